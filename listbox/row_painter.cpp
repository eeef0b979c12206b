#include "listbox/row_painter.h"

#include "htmltext/draw_markup.h"
#include "listbox/highlight.h"

#include <algorithm>

namespace zel {

namespace {

constexpr int kGap = 2;         // before the check box, and after the image
constexpr int kImageMargin = 4; // added to the image height for the row height
constexpr int kTextRaise = 2;   // the text rectangle starts above the row

} // namespace

int RowHeight(int itemHeight, const ImageList* images) {
    return images ? std::max(itemHeight, images->Height() + kImageMargin) : itemHeight;
}

void PaintRow(Canvas& canvas, const Rect& rect, bool selected, const TListBoxItem* item,
              const RowStyle& style, CheckBoxPainter& checkBoxes) {
    Color back = selected ? clHighlight : style.ListColor;
    canvas.SetBrushColor(back);
    canvas.SetTextColor(selected ? clHighlightText : style.FontColor);
    canvas.FillRect(rect, back);

    Rect r = rect;
    r.Left += kGap;
    if (!item)
        return;
    if (style.CheckList) {
        checkBoxes.DrawCheckBox(canvas, {r.Left, r.Top}, item->Checked());
        r.Left += kCheckBoxSize;
    }
    if (style.Images && item->ImageIndex() >= 0) {
        // Top-aligned in the row, not centred.
        style.Images->Draw(
            canvas, item->ImageIndex(),
            {r.Left, r.Top, r.Left + style.Images->Width(), r.Top + style.Images->Height()});
        r.Left += style.Images->Width();
    }
    r.Left += kGap;
    r.Top -= kTextRaise;

    DrawMarkupParams params;
    params.Images = style.Images;
    params.ShadowOffset = 2;
    params.Selected = selected;
    params.WordWrap = false;
    params.LinkColor = clBlue;
    params.HoverColor = clNone;
    params.HoverFontColor = clNone;
    params.ShadowColor = clGray;
    params.LineSpacing = 2;
    DrawMarkupResults ignored;
    std::u16string marked;
    std::u16string_view text = style.Text ? *style.Text : item->Text();
    if (!style.HighlightText.empty()) {
        static const TextFolder kExact(nullptr, false, false);
        marked = MarkHighlights(text, style.HighlightText, style.Folder ? *style.Folder : kExact);
        text = marked;
    }
    DrawMarkup(canvas, text, r, params, ignored);
}

} // namespace zel
