// The phrase list fuzz case. Input: the file's bytes, read as the program reads its phrase
// list: strictly decoded, split into lines, one item per line with its icon.
#include "fuzz/fuzz_cases.h"
#include "fuzz/fuzz_input.h"

#include "app/phrase_list.h"
#include "core/error.h"
#include "core/utf8.h"
#include "ui/text_lines.h"

#include <string_view>

namespace zel {
namespace {

// Long enough for many lines and headings; the reading is linear.
constexpr std::size_t kMaxFile = 1 << 16;
constexpr std::u16string_view kBreaks(u"\r\n\0", 3);

// The text as the lines give it back: up to the first U+0000, every line break (CR LF, LF or
// CR) as one LF, and no break at the very end.
std::u16string JoinedLines(std::u16string_view text) {
    text = text.substr(0, text.find(u'\0'));
    std::u16string joined;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        joined += text[i] == u'\r' ? u'\n' : text[i];
    }
    if (!joined.empty() && joined.back() == u'\n')
        joined.pop_back();
    return joined;
}

} // namespace

void RunPhraseListFuzzCase(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxFile)
        return;
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    std::u16string text;
    try {
        text = Utf8FileTextToUtf16(file);
    } catch (const Exception& e) {
        fuzz::CheckInput(e.Message() == kInvalidUtf8Message, "only invalid UTF-8 fails", file);
        return;
    }
    const std::string_view body = file.starts_with("\xEF\xBB\xBF") ? file.substr(3) : file;
    fuzz::CheckInput(Utf16ToUtf8(text) == body,
                     "strictly decoded text encodes back to the same bytes", file);

    TListBoxItems items;
    AddPhraseLines(items, text);
    std::u16string joined;
    int icon = 0; // before the first line
    for (int i = 0; i < items.Count(); ++i) {
        const std::u16string& line = items[i]->Text();
        fuzz::CheckInput(line.find_first_of(kBreaks) == std::u16string::npos,
                         "no line holds a line break or U+0000", file);
        // A heading moves on to the next of the icons 1 to 9; other lines keep the icon.
        icon = IsHeading(line) ? icon % 9 + 1 : std::max(icon, 1);
        fuzz::CheckInput(items[i]->ImageIndex() == icon, "each line has its group's icon", file);
        joined += (i > 0 ? u"\n" : u"") + line;
    }
    fuzz::CheckInput(joined == JoinedLines(text), "the lines are the text", file);
    fuzz::CheckInput(items.UpdateCount() == 0, "the update bracket is closed", file);
}

} // namespace zel
