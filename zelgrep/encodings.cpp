#include "zelgrep/encodings.h"

#include <bit>
#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include "core/chars.h"
#include "zelgrep/input.h"

namespace zel {

namespace {

std::u16string DecodeUtf16(std::string_view bytes) {
    const bool bigEndian = bytes.starts_with("\xFE\xFF");
    const std::size_t start = bigEndian || bytes.starts_with("\xFF\xFE") ? 2 : 0;
    const std::size_t units = (bytes.size() - start) / 2;
    const auto unit = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[start + 2 * i]);
        const auto second = static_cast<unsigned char>(bytes[start + 2 * i + 1]);
        return static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    const auto invalid = [](std::size_t offset) {
        return TDecodeError(EncodingName(TEncoding::Utf16), offset);
    };
    std::u16string text;
    text.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t c = unit(i);
        // Surrogates must come in pairs: a lone one is no character.
        if (IsHighSurrogate(c) && i + 1 < units && IsLowSurrogate(unit(i + 1))) {
            text += c;
            text += unit(++i);
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            throw invalid(start + 2 * i);
        } else {
            text += c;
        }
    }
    if ((bytes.size() - start) % 2 != 0)
        throw invalid(bytes.size() - 1);
    return text;
}

#ifdef _WIN32

UINT CodePage(TEncoding encoding) {
    return encoding == TEncoding::ShiftJis ? 932 : 20932;
}

// How many units the bytes give, 0 when they are not whole characters of the code page.
int ConvertedUnits(UINT codePage, std::string_view bytes, char16_t* out, int room) {
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                               static_cast<int>(bytes.size()), reinterpret_cast<wchar_t*>(out),
                               room);
}

// The code page's converter tells only that it failed: the first byte where no character of
// one to three bytes begins is found by converting character by character.
std::size_t FirstInvalidByte(UINT codePage, std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t length = 1;
        while (length <= 3 && at + length <= bytes.size() &&
               ConvertedUnits(codePage, bytes.substr(at, length), nullptr, 0) == 0)
            ++length;
        if (length > 3 || at + length > bytes.size())
            break;
        at += length;
    }
    return at;
}

std::u16string DecodeCodePage(std::string_view bytes, TEncoding encoding) {
    static_assert(sizeof(wchar_t) == 2);
    if (bytes.empty())
        return {};
    const UINT codePage = CodePage(encoding);
    // No character of these code pages gives more units than it has bytes.
    std::u16string text(bytes.size(), u'\0');
    const int units = ConvertedUnits(codePage, bytes, text.data(), static_cast<int>(text.size()));
    if (units == 0)
        throw TDecodeError(EncodingName(encoding), FirstInvalidByte(codePage, bytes));
    text.resize(static_cast<std::size_t>(units));
    return text;
}

#else

class TIconv {
public:
    explicit TIconv(const char* from) : FHandle(iconv_open("UTF-16LE", from)) {
        if (FHandle == reinterpret_cast<iconv_t>(-1))
            throw Exception(u"the system cannot convert this encoding");
    }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;
    ~TIconv() { iconv_close(FHandle); }
    iconv_t Handle() const { return FHandle; }

private:
    iconv_t FHandle;
};

std::u16string DecodeCodePage(std::string_view bytes, TEncoding encoding) {
    static_assert(std::endian::native == std::endian::little);
    const TIconv converter(encoding == TEncoding::ShiftJis ? "CP932" : "EUC-JP");
    // No character of these encodings gives more units than it has bytes.
    std::u16string text(bytes.size(), u'\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* out = reinterpret_cast<char*>(text.data());
    std::size_t outLeft = text.size() * sizeof(char16_t);
    if (iconv(converter.Handle(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
        throw TDecodeError(EncodingName(encoding), static_cast<std::size_t>(in - bytes.data()));
    text.resize(text.size() - outLeft / sizeof(char16_t));
    return text;
}

#endif

} // namespace

std::u16string_view EncodingName(TEncoding encoding) {
    switch (encoding) {
    case TEncoding::ShiftJis:
        return u"Shift_JIS";
    case TEncoding::EucJp:
        return u"EUC-JP";
    case TEncoding::Utf16:
        return u"UTF-16";
    default:
        return u"UTF-8";
    }
}

std::u16string DecodeLegacy(std::string_view bytes, TEncoding encoding) {
    return encoding == TEncoding::Utf16 ? DecodeUtf16(bytes) : DecodeCodePage(bytes, encoding);
}

} // namespace zel
