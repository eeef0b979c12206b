#pragma once
// DrawMarkup: draws a text in the mini-HTML markup into a rectangle of a canvas, line by line,
// measuring it and hit-testing a mouse position against its links and images on the way.
#include "htmltext/canvas.h"
#include "htmltext/picture.h"

#include <string>
#include <string_view>

namespace zel {

struct DrawMarkupParams {
    const ImageList* Images = nullptr; // source of "IDX:" images
    int MouseX = -1;                   // point to hit-test, -1 for none
    int MouseY = -1;
    int FocusLink = -1;   // focused link counted from 0, -1 for none
    int HoverLink = -1;   // link under the mouse counted from 1, -1 for none
    int ShadowOffset = 0; // shadow distance, right and down
    bool HitTestOnly = false;
    bool MeasureOnly = false;
    bool Printing = false; // images stretched by ResFactor
    bool Selected = false; // no colour tags, link colours or backgrounds
    bool Blink = false;    // blink phase
    bool HoverStyle = false;
    bool WordWrap = false; // false: single lines cut with an end ellipsis
    double ResFactor = 1.0;
    Color LinkColor = clBlue;
    Color HoverColor = clNone;
    Color HoverFontColor = clNone;
    Color ShadowColor = clGray;
    const PictureSource* PictureCache = nullptr;     // pictures of "://" sources
    const PictureSource* PictureContainer = nullptr; // named pictures
    int LineSpacing = 0;                             // pixels added to every line height
    bool RightToLeft = false;
};

// Out values. The strings are cleared, not reallocated, so a reused object costs nothing.
struct DrawMarkupResults {
    std::u16string AnchorValue;  // HREF of the link under the mouse
    std::u16string StrippedText; // the text runs, a carriage return for each line break tag
    std::u16string FocusAnchor;  // HREF of the focused link; TITLE of the link under the mouse
    int Width = 0;               // widest line + 2
    int Height = 0;              // sum of the line heights
    int LinkCount = 0;
    int MouseLink = -1; // link under the mouse counted from 1, -1 for none
    Rect HoverRect;     // rectangle of the link under the mouse
};

// Returns true when the mouse point lies on the text of a link or on an image inside a link.
bool DrawMarkup(Canvas& canvas, std::u16string_view text, const Rect& rect,
                const DrawMarkupParams& params, DrawMarkupResults& results);

// The same with every parameter and out value in its place.
bool DrawMarkup(Canvas& canvas, std::u16string_view text, const Rect& rect, const ImageList* Images,
                int MouseX, int MouseY, int FocusLink, int HoverLink, int ShadowOffset,
                bool HitTestOnly, bool MeasureOnly, bool Printing, bool Selected, bool Blink,
                bool HoverStyle, bool WordWrap, double ResFactor, Color LinkColor, Color HoverColor,
                Color HoverFontColor, Color ShadowColor, std::u16string& AnchorValue,
                std::u16string& StrippedText, std::u16string& FocusAnchor, int& Width, int& Height,
                int& LinkCount, int& MouseLink, Rect& HoverRect, const PictureSource* PictureCache,
                const PictureSource* PictureContainer, int LineSpacing, bool RightToLeft);

} // namespace zel
