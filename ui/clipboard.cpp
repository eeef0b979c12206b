#include "ui/clipboard.h"

#include "core/error.h"
#include "ui/files.h"
#include "ui/unique_handle.h"

#include <algorithm>
#include <cstring>

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

// GlobalLock/GlobalUnlock as a pair.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {
        if (!data_)
            throw Exception(SystemErrorText(::GetLastError()));
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    ~LockedGlobal() { ::GlobalUnlock(memory_); }
    void* data() const noexcept { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

} // namespace

void SetClipboardText(HWND owner, const std::u16string& text) {
    const size_t bytes = (text.size() + 1) * sizeof(char16_t);
    UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        throw Exception(SystemErrorText(::GetLastError()));
    {
        LockedGlobal locked(memory.get());
        std::memcpy(locked.data(), text.c_str(), bytes);
    }
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
    LockedGlobal locked(memory);
    const auto* units = static_cast<const char16_t*>(locked.data());
    const size_t capacity = ::GlobalSize(memory) / sizeof(char16_t);
    text.assign(units, std::find(units, units + capacity, u'\0'));
    return true;
}

} // namespace zel
