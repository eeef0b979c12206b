#pragma once
// A font description and the GDI font made from it, once, when first asked for.
#include "ui/unique_handle.h"

#include <string>

namespace zel {

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
enum class TFontPitch : uint8_t { fpDefault, fpFixed, fpVariable };
enum class TFontQuality : uint8_t { fqDefault, fqClearType };

struct FontDesc {
    std::u16string Name = u"Tahoma";
    int Height = 13; // character height in pixels
    uint8_t Style = 0;
    uint8_t Charset = DEFAULT_CHARSET;
    TFontPitch Pitch = TFontPitch::fpDefault;
    TFontQuality Quality = TFontQuality::fqDefault;
    bool operator==(const FontDesc&) const = default;
};

class Font {
public:
    Font() = default;
    explicit Font(FontDesc desc) : desc_(std::move(desc)) {}

    const FontDesc& Desc() const noexcept { return desc_; }
    void Assign(const FontDesc& desc);
    HFONT Handle() const; // owned by this Font

private:
    FontDesc desc_;
    mutable UniqueFont handle_;
};

} // namespace zel
