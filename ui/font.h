#pragma once
// A window font: the face as the markup engine describes fonts, plus what only GDI knows
// (character set, pitch, quality). The GDI font is made once, when first asked for.
#include "htmltext/canvas.h"
#include "ui/unique_handle.h"

namespace zel {

enum class TFontPitch : uint8_t { fpDefault, fpFixed, fpVariable };
enum class TFontQuality : uint8_t { fqDefault, fqClearType };

struct FontAttributes {
    FontDesc Face{u"Tahoma", 13}; // Height: character height in pixels
    uint8_t Charset = DEFAULT_CHARSET;
    TFontPitch Pitch = TFontPitch::fpDefault;
    TFontQuality Quality = TFontQuality::fqDefault;
    bool operator==(const FontAttributes&) const = default;
};

class Font {
public:
    Font() = default;
    explicit Font(FontAttributes attributes) : attributes_(std::move(attributes)) {}

    const FontAttributes& Attributes() const noexcept { return attributes_; }
    void Assign(const FontAttributes& attributes);
    HFONT Handle() const; // owned by this Font

private:
    FontAttributes attributes_;
    mutable UniqueFont handle_;
};

} // namespace zel
