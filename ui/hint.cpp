#include "ui/hint.h"

#include "ui/wide.h"

#include <commctrl.h>

namespace zel {

WindowHint::WindowHint(HWND owner) : owner_(owner) {
    tooltip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr));
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(owner);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // Hints of several lines keep their line breaks.
    ::SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, 600);
}

void WindowHint::Refresh() {
    ::SendMessageW(tooltip_.get(), TTM_POP, 0, 0);
}

LRESULT WindowHint::Notify(LPARAM lParam, const HintInfo& info) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == TTN_GETDISPINFOW) {
        text_ = info.Text;
        reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = const_cast<wchar_t*>(W(text_));
    } else if (header->code == TTN_SHOW && info.At) {
        POINT at = *info.At;
        ::ClientToScreen(owner_, &at);
        ::SetWindowPos(tooltip_.get(), nullptr, at.x, at.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE; // placed here
    }
    return 0;
}

} // namespace zel
