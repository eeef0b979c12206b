#include "app/phrase_list.h"

#include "ui/paths.h"
#include "ui/text_lines.h"

#include <cmath>
#include <iterator>

namespace zel {

PhraseListPaths PhraseListPathsFor(std::u16string_view programFile) {
    std::u16string stem(StripExtension(programFile));
    return {stem + u"_LIST.txt", stem + u"_LIST_tmp.txt"};
}

void AddPhraseLines(TListBoxItems& items, std::u16string_view text) {
    std::vector<std::u16string> lines = SplitLines(text);
    WithinUpdate(items, [&] {
        IconCounter icons;
        for (std::u16string& line : lines) {
            TListBoxItem* item = items.Add();
            int icon = icons.Next(line);
            item->SetText(std::move(line));
            item->SetImageIndex(icon);
        }
    });
}

int ItemHeightForDpi(int dpi) {
    int percent = dpi * 100 / 96;
    return static_cast<int>(std::ceil(percent * 16 / 100.0));
}

std::u16string TemplateMissingMessage(std::u16string_view templateFileName) {
    return std::u16string(templateFileName) + u" が見つかりません。アプリを終了します。";
}

std::u16string EditListMessage() {
    static constexpr const char16_t* kLines[] = {
        u"リストの編集を行います。",
        u"",
        u"メモ帳が起動するので内容を編集したら、",
        u"上書き保存し、メモ帳を閉じてください。",
        u"その後、[リスト再読込]をクリックすると、",
        u"変更内容がリストに反映されます。",
        u"",
        u"【留意事項】",
        u"1. 行頭を◆で始めることでアイコンの色が変わります。",
        u"2. []内の文字はコピーされません。説明用にどうぞ。",
    };
    std::u16string message = kLines[0];
    for (size_t i = 1; i < std::size(kLines); ++i)
        message += std::u16string(u"\n\r") + kLines[i];
    return message;
}

} // namespace zel
