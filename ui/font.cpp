#include "ui/font.h"

#include "ui/wide.h"

#include <algorithm>

namespace zel {

void Font::Assign(const FontAttributes& attributes) {
    if (attributes == attributes_)
        return;
    attributes_ = attributes;
    handle_.reset();
}

HFONT Font::Handle() const {
    if (!handle_) {
        const FontDesc& face = attributes_.Face;
        LOGFONTW lf{};
        lf.lfHeight = -face.Height;
        lf.lfEscapement = lf.lfOrientation = face.Orientation;
        lf.lfWeight = face.Bold ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = face.Italic;
        lf.lfUnderline = face.Underline;
        lf.lfStrikeOut = face.StrikeOut;
        lf.lfCharSet = attributes_.Charset;
        lf.lfPitchAndFamily = attributes_.Pitch == TFontPitch::fpFixed      ? FIXED_PITCH
                              : attributes_.Pitch == TFontPitch::fpVariable ? VARIABLE_PITCH
                                                                            : DEFAULT_PITCH;
        lf.lfQuality =
            attributes_.Quality == TFontQuality::fqClearType ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
        size_t n = std::min<size_t>(face.Name.size(), LF_FACESIZE - 1);
        std::copy_n(W(face.Name), n, lf.lfFaceName);
        handle_.reset(::CreateFontIndirectW(&lf));
    }
    return handle_.get();
}

} // namespace zel
