#include "buttonedit/lookup_popup.h"

#include "ui/wide.h"

#include <algorithm>

namespace zel {

namespace {

constexpr int kGripSize = 10;

// Whether a hit-test's screen point lies in the lower-right corner of the window's client area.
bool InGrip(HWND window, LPARAM lParam) {
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    RECT client{};
    ::ScreenToClient(window, &point);
    ::GetClientRect(window, &client);
    return point.x >= client.right - kGripSize && point.y >= client.bottom - kGripSize &&
           point.x < client.right && point.y < client.bottom;
}

SIZE TextSize(HDC dc, const std::u16string& text) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc, W(text), static_cast<int>(text.size()), &size);
    return size;
}

} // namespace

// ---- TListBoxTab -----------------------------------------------------------------------------

void TListBoxTab::SetEntries(std::vector<TLookupEntry> entries, int selected) {
    FEntries = std::move(entries);
    SetRowCount(static_cast<int>(FEntries.size()));
    SetItemIndex(selected);
    Invalidate();
}

void TListBoxTab::DrawItem(HDC dc, int index, const RECT& rect, bool selected) {
    const COLORREF back = selected ? ::GetSysColor(COLOR_HIGHLIGHT) : ColorToRGB(Color());
    const COLORREF fore = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    UniqueBrush brush(::CreateSolidBrush(back));
    ::FillRect(dc, &rect, brush.get());
    if (static_cast<size_t>(index) >= FEntries.size())
        return;
    const std::u16string& text = FEntries[static_cast<size_t>(index)].Text;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, fore);
    ::TextOutW(dc, rect.left + 2, rect.top, W(text), static_cast<int>(text.size()));
}

LRESULT TListBoxTab::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDLGCODE && FHandleTab)
        return DefaultHandler(message, wParam, lParam) | DLGC_WANTTAB;
    // The popup's sizing grip lies over the list's lower-right corner.
    if (message == WM_NCHITTEST && InGrip(HandleIfAllocated(), lParam))
        return HTTRANSPARENT;
    return ListBox::WndProc(message, wParam, lParam);
}

// ---- TListHintWindow -------------------------------------------------------------------------

TListHintWindow::TListHintWindow(Component* owner) : HintWindow(owner) {
    FList = Make<TListBoxTab>();
    FList->SetBorderSingle(false);
    FList->SetAlign(TAlign::alClient);
    FList->SetParent(this);
}

int TListHintWindow::WidestEntry(const std::vector<TLookupEntry>& entries) {
    WindowDC dc(nullptr);
    SelectGuard font(dc.get(), FList->GetFont().Handle());
    int widest = 0;
    for (const TLookupEntry& entry : entries)
        widest = std::max(widest, static_cast<int>(TextSize(dc.get(), entry.Text).cx));
    return widest;
}

int TListHintWindow::TextHeight() {
    WindowDC dc(nullptr);
    SelectGuard font(dc.get(), FList->GetFont().Handle());
    return TextSize(dc.get(), u"gh").cy;
}

void TListHintWindow::ShowEntries(std::vector<TLookupEntry> entries, int selected, Point at,
                                  int spacing, int displayCount) {
    const int rowHeight = TextHeight() + spacing;
    const Size size = LookupPopupSize(static_cast<int>(entries.size()), displayCount, rowHeight,
                                      WidestEntry(entries), ::GetSystemMetrics(SM_CXVSCROLL));
    FList->SetRowHeight(rowHeight);
    FList->SetEntries(std::move(entries), selected);
    ShowAt(zel::BoundsRect(at.X, at.Y, size.cx, size.cy));
}

LRESULT TListHintWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            Hide();
        else
            FList->SetFocus();
        return 0;
    case WM_NCHITTEST:
        if (InGrip(HandleIfAllocated(), lParam))
            return HTBOTTOMRIGHT;
        break;
    case WM_DRAWITEM:
        if (FList->OwnerDraw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    default:
        break;
    }
    return HintWindow::WndProc(message, wParam, lParam);
}

} // namespace zel
