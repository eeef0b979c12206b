#include "buttonedit/label_placement.h"

namespace zel {

namespace {

using enum TLabelPosition;

int CentredTop(const TRect& Field, int LabelHeight, bool SingleBorder) {
    const int c = SingleBorder ? 2 : 0;
    const int h = Field.Height();
    return LabelHeight < h ? Field.Top + (h - c - LabelHeight) / 2
                           : Field.Top - (LabelHeight + c - h) / 2;
}

int LabelTop(TLabelPosition Position, const TRect& Field, int LabelHeight, int Margin,
             bool SingleBorder) {
    switch (Position) {
    case lpLeftTop:
    case lpLeftTopLeft:
    case lpRightTop:
        return Field.Top;
    case lpLeftCenter:
    case lpLeftCenterLeft:
    case lpRightCenter:
        return CentredTop(Field, LabelHeight, SingleBorder);
    case lpLeftBottom:
    case lpLeftBottomLeft:
    case lpRighBottom:
        return Field.Bottom - LabelHeight;
    case lpTopLeft:
    case lpTopCenter:
    case lpTopRight:
        return Field.Top - LabelHeight - Margin;
    default: // the three bottom places
        return Field.Bottom + Margin;
    }
}

int LabelLeft(TLabelPosition Position, const TRect& Field, const LabelExtent& Label, int Margin) {
    switch (Position) {
    case lpLeftTop:
    case lpLeftCenter:
    case lpLeftBottom:
        return Field.Left - Label.CaptionWidth - Margin;
    case lpLeftTopLeft:
    case lpLeftCenterLeft:
    case lpLeftBottomLeft:
        return Field.Left - Margin;
    case lpTopCenter:
    case lpBottomCenter:
        return Field.Left + (Field.Width() - Label.Width) / 2;
    case lpRightTop:
    case lpRightCenter:
    case lpRighBottom:
        return Field.Right + Margin;
    case lpTopRight:
    case lpBottomRight:
        return Field.Right - Label.Width;
    default: // top left and bottom left
        return Field.Left;
    }
}

bool AtTheLeft(TLabelPosition Position) {
    return Position == lpLeftTop || Position == lpLeftCenter || Position == lpLeftBottom ||
           Position == lpLeftTopLeft || Position == lpLeftCenterLeft ||
           Position == lpLeftBottomLeft;
}

bool OnTop(TLabelPosition Position) {
    return Position == lpTopLeft || Position == lpTopCenter || Position == lpTopRight;
}

bool AtTheRight(TLabelPosition Position) {
    return Position == lpRightTop || Position == lpRightCenter || Position == lpRighBottom;
}

} // namespace

Point LabelOrigin(TLabelPosition Position, const TRect& Field, const LabelExtent& Label, int Margin,
                  bool SingleBorder) {
    return {LabelLeft(Position, Field, Label, Margin),
            LabelTop(Position, Field, Label.Height, Margin, SingleBorder)};
}

TRect FieldRoomForLabel(TLabelPosition Position, TAlign Align, const TRect& Arranged,
                        const LabelExtent& Label, int Margin) {
    // Only a side the layout stretches gives way: the other keeps its size across arrangements.
    const bool widthStretched =
        Align == TAlign::alTop || Align == TAlign::alBottom || Align == TAlign::alClient;
    const bool heightStretched =
        Align == TAlign::alLeft || Align == TAlign::alRight || Align == TAlign::alClient;
    TRect room = Arranged;
    if (widthStretched && AtTheLeft(Position))
        room.Left += Label.CaptionWidth + Margin;
    else if (widthStretched && AtTheRight(Position))
        room.Right -= Label.Width + Margin;
    else if (heightStretched && OnTop(Position))
        room.Top += Label.Height;
    return room;
}

} // namespace zel
