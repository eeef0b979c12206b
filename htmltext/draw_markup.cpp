#include "htmltext/draw_markup.h"

namespace zel {

bool DrawMarkup(Canvas& canvas, std::u16string_view text, const Rect& rect, const ImageList* Images,
                int MouseX, int MouseY, int FocusLink, int HoverLink, int ShadowOffset,
                bool HitTestOnly, bool MeasureOnly, bool Printing, bool Selected, bool Blink,
                bool HoverStyle, bool WordWrap, double ResFactor, Color LinkColor, Color HoverColor,
                Color HoverFontColor, Color ShadowColor, std::u16string& AnchorValue,
                std::u16string& StrippedText, std::u16string& FocusAnchor, int& Width, int& Height,
                int& LinkCount, int& MouseLink, Rect& HoverRect, const PictureSource* PictureCache,
                const PictureSource* PictureContainer, int LineSpacing, bool RightToLeft) {
    const DrawMarkupParams params{
        Images,       MouseX,           MouseY,      FocusLink,  HoverLink,      ShadowOffset,
        HitTestOnly,  MeasureOnly,      Printing,    Selected,   Blink,          HoverStyle,
        WordWrap,     ResFactor,        LinkColor,   HoverColor, HoverFontColor, ShadowColor,
        PictureCache, PictureContainer, LineSpacing, RightToLeft};
    DrawMarkupResults results;
    results.AnchorValue.swap(AnchorValue);
    results.StrippedText.swap(StrippedText);
    results.FocusAnchor.swap(FocusAnchor);
    const bool onLink = DrawMarkup(canvas, text, rect, params, results);
    AnchorValue.swap(results.AnchorValue);
    StrippedText.swap(results.StrippedText);
    FocusAnchor.swap(results.FocusAnchor);
    Width = results.Width;
    Height = results.Height;
    LinkCount = results.LinkCount;
    MouseLink = results.MouseLink;
    HoverRect = results.HoverRect;
    return onLink;
}

} // namespace zel
