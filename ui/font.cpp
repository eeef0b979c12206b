#include "ui/font.h"

#include "ui/wide.h"

#include <algorithm>

namespace zel {

void Font::Assign(const FontDesc& desc) {
    if (desc == desc_)
        return;
    desc_ = desc;
    handle_.reset();
}

HFONT Font::Handle() const {
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = -desc_.Height;
        lf.lfWeight = (desc_.Style & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (desc_.Style & fsItalic) != 0;
        lf.lfUnderline = (desc_.Style & fsUnderline) != 0;
        lf.lfStrikeOut = (desc_.Style & fsStrikeOut) != 0;
        lf.lfCharSet = desc_.Charset;
        lf.lfPitchAndFamily = desc_.Pitch == TFontPitch::fpFixed      ? FIXED_PITCH
                              : desc_.Pitch == TFontPitch::fpVariable ? VARIABLE_PITCH
                                                                      : DEFAULT_PITCH;
        lf.lfQuality =
            desc_.Quality == TFontQuality::fqClearType ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
        size_t n = std::min<size_t>(desc_.Name.size(), LF_FACESIZE - 1);
        std::copy_n(W(desc_.Name), n, lf.lfFaceName);
        handle_.reset(::CreateFontIndirectW(&lf));
    }
    return handle_.get();
}

} // namespace zel
