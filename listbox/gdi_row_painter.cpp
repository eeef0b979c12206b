#include "listbox/gdi_row_painter.h"

#include "listbox/row_painter.h"
#include "ui/unique_handle.h"

#include <shlwapi.h>
#include <uxtheme.h>
#include <vsstyle.h>

namespace zel {

namespace {

// OpenThemeData/CloseThemeData as a pair.
class OpenedTheme {
public:
    OpenedTheme(HWND window, const wchar_t* classes) : theme_(::OpenThemeData(window, classes)) {}
    OpenedTheme(const OpenedTheme&) = delete;
    OpenedTheme& operator=(const OpenedTheme&) = delete;
    ~OpenedTheme() {
        if (theme_)
            ::CloseThemeData(theme_);
    }
    HTHEME get() const noexcept { return theme_; }

private:
    HTHEME theme_;
};

class GdiCheckBoxes final : public CheckBoxPainter {
public:
    GdiCheckBoxes(HWND window, bool themed) : window_(window), themed_(themed) {}

    void DrawCheckBox(Canvas& canvas, Point topLeft, bool checked) override {
        HDC dc = static_cast<GdiCanvas&>(canvas).Handle();
        RECT square{topLeft.X, topLeft.Y, topLeft.X + kCheckBoxSize, topLeft.Y + kCheckBoxSize};
        if (themed_ && ::IsThemeActive()) {
            OpenedTheme theme(window_, L"button");
            if (theme.get()) {
                ::DrawThemeBackground(theme.get(), dc, BP_CHECKBOX,
                                      checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL, &square,
                                      nullptr);
                return;
            }
        }
        // The classic frame control, its standard size centred in the square.
        const int size = ::GetSystemMetrics(SM_CXMENUCHECK);
        RECT box{square.left + (kCheckBoxSize - size) / 2, square.top + (kCheckBoxSize - size) / 2,
                 0, 0};
        box.right = box.left + size;
        box.bottom = box.top + size;
        ::DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0));
    }

private:
    HWND window_;
    bool themed_;
};

} // namespace

void GdiRowPainter::Paint(HDC dc, const RECT& rect, bool selected, const TListBoxItem* item,
                          const RowStyle& style, HWND window, bool themed) {
    GdiCanvas canvas(dc, &fonts_);
    GdiCheckBoxes boxes(window, themed);
    PaintRow(canvas, {rect.left, rect.top, rect.right, rect.bottom}, selected, item, style, boxes);
}

} // namespace zel
