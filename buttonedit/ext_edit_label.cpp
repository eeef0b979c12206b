// TExtEdit's caption label: a TEditLabel in the field's parent, placed by the portable
// arithmetic of label_placement, following the field's bounds, visibility, enabling and focus.
#include "buttonedit/ext_edit.h"

namespace zel {

void TExtEdit::SetLabelCaption(std::u16string value) {
    FLabelCaption = std::move(value);
    if (!FEditLabel) {
        FEditLabel = Make<TEditLabel>();
        FEditLabel->SetAutoSize(true);
        FEditLabel->SetFocusControl(this);
        FEditLabel->SetTransparent(FLabelTransparent);
        FEditLabel->SetAlwaysEnable(FLabelAlwaysEnabled);
        FEditLabel->SetVisible(Visible());
        FEditLabel->SetEnabled(Enabled());
        FEditLabel->OnClick = [this](Component*) {
            if (OnLabelClick)
                OnLabelClick(this);
        };
        FEditLabel->OnDblClick = [this](Component*) {
            if (OnLabelDblClick)
                OnLabelDblClick(this);
        };
        ApplyLabelFont(false);
        FEditLabel->SetParent(Parent());
    }
    FEditLabel->SetCaption(FLabelCaption);
    PlaceLabel();
}

void TExtEdit::SetLabelPosition(TLabelPosition value) {
    FLabelPosition = value;
    PlaceLabel();
}

void TExtEdit::SetLabelMargin(int value) {
    FLabelMargin = value;
    PlaceLabel();
}

void TExtEdit::SetLabelTransparent(bool value) {
    FLabelTransparent = value;
    if (FEditLabel)
        FEditLabel->SetTransparent(value);
}

void TExtEdit::SetLabelAlwaysEnabled(bool value) {
    FLabelAlwaysEnabled = value;
    if (FEditLabel) {
        FEditLabel->SetAlwaysEnable(value);
        FEditLabel->SetEnabled(Enabled());
    }
}

const FontAttributes& TExtEdit::LabelFont() noexcept {
    return FLabelFont ? *FLabelFont : GetFont().Attributes();
}

void TExtEdit::SetLabelFont(const FontAttributes& value) {
    FLabelFont = value;
    ApplyLabelFont(FFocusLabel && HasFocus());
}

void TExtEdit::ApplyLabelFont(bool focused) {
    if (!FEditLabel)
        return;
    FontAttributes attributes = LabelFont();
    attributes.Face.Bold = attributes.Face.Bold || focused;
    FEditLabel->SetFont(attributes);
    PlaceLabel();
}

LabelExtent TExtEdit::LabelSize() {
    const SIZE caption = FEditLabel->TextExtent();
    return {static_cast<int>(caption.cx), FEditLabel->Width(), FEditLabel->Height()};
}

void TExtEdit::PlaceLabel() {
    if (!FEditLabel)
        return;
    const Point at = LabelOrigin(FLabelPosition, BoundsRect(), LabelSize(), FLabelMargin,
                                 FBorderStyle == TBorderStyle::bsSingle);
    FEditLabel->SetBounds(at.X, at.Y, FEditLabel->Width(), FEditLabel->Height());
}

void TExtEdit::LeaveRoomForLabel() {
    if (!FEditLabel || Align() == TAlign::alNone)
        return;
    const TRect room =
        FieldRoomForLabel(FLabelPosition, Align(), BoundsRect(), LabelSize(), FLabelMargin);
    if (!(room == BoundsRect()))
        StoreBounds(room);
}

void TExtEdit::SetParent(WinControl* parent) {
    WinControl::SetParent(parent);
    if (FEditLabel) {
        FEditLabel->SetParent(parent);
        PlaceLabel();
    }
}

void TExtEdit::SetVisible(bool visible) {
    WinControl::SetVisible(visible);
    if (FEditLabel)
        FEditLabel->SetVisible(visible);
}

} // namespace zel
