#include "ui/clipboard.h"

#include "core/error.h"
#include "ui/files.h"
#include "ui/global_memory.h"

namespace zel {

namespace {

// OpenClipboard/CloseClipboard as a pair.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) {
        if (!::OpenClipboard(owner))
            throw Exception(
                FormatText(u"クリップボード %s を開けません", SystemErrorText(::GetLastError())));
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() { ::CloseClipboard(); }
};

} // namespace

void SetClipboardText(HWND owner, const std::u16string& text) {
    UniqueGlobalMemory memory = GlobalCopy(text.c_str(), (text.size() + 1) * sizeof(char16_t));
    OpenedClipboard clipboard(owner);
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_UNICODETEXT, memory.get()))
        throw Exception(SystemErrorText(::GetLastError()));
    memory.release(); // the clipboard owns the block now
}

bool GetClipboardText(HWND owner, std::u16string& text) {
    if (!::IsClipboardFormatAvailable(CF_UNICODETEXT))
        return false;
    OpenedClipboard clipboard(owner);
    HGLOBAL memory = ::GetClipboardData(CF_UNICODETEXT); // owned by the clipboard
    if (!memory)
        return false;
    text = GlobalText<char16_t>(memory);
    return true;
}

} // namespace zel
