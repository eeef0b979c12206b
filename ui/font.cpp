#include "ui/font.h"

#include "ui/wide.h"

#include <algorithm>

namespace zel {

void Font::Assign(const FontSpec& spec) {
    if (spec == spec_)
        return;
    spec_ = spec;
    handle_.reset();
}

HFONT Font::Handle() const {
    if (!handle_) {
        const FontDesc& face = spec_.Face;
        LOGFONTW lf{};
        lf.lfHeight = -face.Height;
        lf.lfEscapement = lf.lfOrientation = face.Orientation;
        lf.lfWeight = face.Bold ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = face.Italic;
        lf.lfUnderline = face.Underline;
        lf.lfStrikeOut = face.StrikeOut;
        lf.lfCharSet = spec_.Charset;
        lf.lfPitchAndFamily = spec_.Pitch == TFontPitch::fpFixed      ? FIXED_PITCH
                              : spec_.Pitch == TFontPitch::fpVariable ? VARIABLE_PITCH
                                                                      : DEFAULT_PITCH;
        lf.lfQuality =
            spec_.Quality == TFontQuality::fqClearType ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
        size_t n = std::min<size_t>(face.Name.size(), LF_FACESIZE - 1);
        std::copy_n(W(face.Name), n, lf.lfFaceName);
        handle_.reset(::CreateFontIndirectW(&lf));
    }
    return handle_.get();
}

} // namespace zel
