// DecodeEscape, EncodeEscape and EscapeRegExChars.
#include <cstdio>

#include "core/chars.h"
#include "regex/compile/lexer.h"
#include "regex/compile/messages.h"
#include "regex/unicode/unicode_prop.h"
#include "regex/zelregexp/zel_regexp.h"

namespace zel {

namespace {

constexpr char32_t kMaxCodePoint = 0x10FFFF;

// Reads the escapes of one string; every error names the input up to the offending character.
class TEscapeDecoder {
public:
    explicit TEscapeDecoder(std::u16string_view text) : FText(text) {
        const std::size_t nul = text.find(u'\0');
        FEnd = nul == std::u16string_view::npos ? text.size() : nul;
    }

    std::u16string Decode() {
        while (FPos < FEnd) {
            const char16_t c = FText[FPos++];
            if (c != u'\\') {
                FResult += c;
                continue;
            }
            if (FPos >= FEnd) {
                FResult += c; // a lone "\" at the end stays
                break;
            }
            Escape();
        }
        return FResult;
    }

private:
    [[noreturn]] void Fail(TREMessageId id, std::size_t at) const {
        const std::size_t upto = std::min(at + 1, FText.size());
        std::u16string shown(FText.substr(0, upto));
        shown += u" <-- ";
        throw EZelRegExpCompile(FormatRegExpMessage(id, shown));
    }
    char16_t At(std::size_t pos) const { return pos < FEnd ? FText[pos] : u'\0'; }
    void Put(char32_t cp, std::size_t at) {
        if (cp > kMaxCodePoint)
            Fail(TREMessageId::rmCodePointRange, at);
        AppendChar(FResult, cp);
    }

    void Escape() {
        const std::size_t start = FPos - 1;
        const char16_t c = FText[FPos++];
        switch (c) {
        case u'0': {
            char32_t value = 0;
            for (int i = 0; i < 2 && IsOctalDigit(At(FPos)); ++i)
                value = value * 8 + (FText[FPos++] - u'0');
            Put(value, FPos - 1);
            return;
        }
        case u'o':
            Octal();
            return;
        case u'a':
            FResult += u'\a';
            return;
        case u'e':
            FResult += u'\x1B';
            return;
        case u'f':
            FResult += u'\f';
            return;
        case u'n':
            FResult += u'\n';
            return;
        case u'r':
            FResult += u'\r';
            return;
        case u't':
            FResult += u'\t';
            return;
        case u'c':
            Control();
            return;
        case u'x':
            Hex();
            return;
        default:
            break;
        }
        if (c >= u'1' && c <= u'9') {
            Number(start);
            return;
        }
        FResult += c; // "\\" gives "\", "\$" gives "$"
    }

    void Octal() {
        if (At(FPos) != u'{')
            Fail(TREMessageId::rmOctalNeedsBrace, FPos - 1);
        ++FPos;
        char32_t value = 0;
        int digits = 0;
        for (;;) {
            if (FPos >= FEnd)
                Fail(TREMessageId::rmOctalNeedsCloseBrace, FEnd - 1);
            const char16_t d = FText[FPos];
            if (d == u'}')
                break;
            if (!IsOctalDigit(d))
                Fail(TREMessageId::rmOctalDigitRequired, FPos);
            if (++digits > 7)
                Fail(TREMessageId::rmOctalNeedsCloseBrace, FPos);
            value = value * 8 + (d - u'0');
            ++FPos;
        }
        Put(value, FPos);
        ++FPos;
    }

    void Control() {
        const char16_t x = At(FPos);
        if (FPos >= FEnd)
            return;
        ++FPos;
        if (x == u'\\') {
            if (At(FPos) != u'\\')
                Fail(TREMessageId::rmEscapeInvalid, FPos < FEnd ? FPos : FPos - 1);
            ++FPos;
            FResult += u'\x1C';
            return;
        }
        if ((x >= 0x40 && x <= 0x5F) || (x >= u'a' && x <= u'z')) {
            const char16_t upper = x >= u'a' && x <= u'z' ? static_cast<char16_t>(x - 32) : x;
            FResult += static_cast<char16_t>(upper ^ 0x40);
            return;
        }
        FResult += x; // not a control letter: the character itself
    }

    void Hex() {
        if (At(FPos) != u'{') {
            char32_t value = 0;
            for (int i = 0; i < 2; ++i) {
                const int h = HexDigitValue(At(FPos));
                if (FPos >= FEnd || h < 0)
                    Fail(TREMessageId::rmHexDigitRequired, FPos < FEnd ? FPos : FEnd - 1);
                value = value * 16 + static_cast<char32_t>(h);
                ++FPos;
            }
            Put(value, FPos - 1);
            return;
        }
        ++FPos;
        char32_t value = 0;
        int digits = 0;
        for (;;) {
            if (FPos >= FEnd)
                Fail(TREMessageId::rmBraceUnmatched, FEnd - 1);
            const char16_t d = FText[FPos];
            if (d == u'}' && digits > 0)
                break;
            const int h = HexDigitValue(d);
            if (h < 0)
                Fail(TREMessageId::rmHexDigitRequired, FPos);
            if (++digits > 6)
                Fail(TREMessageId::rmBraceMissing, FPos);
            value = value * 16 + static_cast<char32_t>(h);
            ++FPos;
        }
        Put(value, FPos);
        ++FPos;
    }

    // "\" and a decimal number: a reference that stays as text, or an octal character.
    void Number(std::size_t start) {
        std::size_t p = FPos - 1;
        std::uint64_t number = 0;
        while (p < FEnd && FText[p] >= u'0' && FText[p] <= u'9') {
            number = std::min<std::uint64_t>(number * 10 + (FText[p] - u'0'), 0xFFFFFFFFull);
            ++p;
        }
        if (number <= static_cast<std::uint64_t>(TRELex::CountGroup(FText.substr(0, FEnd)))) {
            FResult.append(FText.substr(start, p - start));
            FPos = p;
            return;
        }
        if (number > kMaxCodePoint)
            Fail(TREMessageId::rmCodePointRange, p - 1);
        FPos = FPos - 1;
        char32_t value = 0;
        for (int i = 0; i < 3 && IsOctalDigit(At(FPos)); ++i)
            value = value * 8 + (FText[FPos++] - u'0');
        Put(value, FPos - 1);
    }

    std::u16string_view FText;
    std::size_t FEnd = 0;
    std::size_t FPos = 0;
    std::u16string FResult;
};

} // namespace

std::u16string TZelRegExp::DecodeEscape(std::u16string_view S) {
    return TEscapeDecoder(S).Decode();
}

std::u16string TZelRegExp::EncodeEscape(std::u16string_view Str) {
    std::u16string result;
    for (std::size_t i = 0; i < Str.size(); ++i) {
        const char16_t c = Str[i];
        switch (c) {
        case u'\a':
            result += u"\\a";
            continue;
        case u'\t':
            result += u"\\t";
            continue;
        case u'\n':
            result += u"\\n";
            continue;
        case u'\f':
            result += u"\\f";
            continue;
        case u'\r':
            result += u"\\r";
            continue;
        case u'\x1B':
            result += u"\\e";
            continue;
        default:
            break;
        }
        if (c >= 0xD800 && c <= 0xDBFF) {
            result += c;
            if (i + 1 < Str.size())
                result += Str[++i];
            continue;
        }
        const TUnicodeProperty category = CategoryOf(c);
        if (c != 0x85 && (category == upCc || category == upCn || category == upCs)) {
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "\\x{%.2x}", static_cast<unsigned>(c));
            for (const char* b = buffer; *b != 0; ++b)
                result += static_cast<char16_t>(*b);
            continue;
        }
        result += c;
    }
    return result;
}

std::u16string TZelRegExp::EscapeRegExChars(std::u16string_view S) {
    static constexpr std::u16string_view kSpecial = u"$()*+.?[\\]^{|}";
    std::u16string result;
    for (char16_t c : S) {
        if (c == 0) {
            result += u"\\0";
            continue;
        }
        if (kSpecial.find(c) != std::u16string_view::npos)
            result += u'\\';
        result += c;
    }
    return result;
}

} // namespace zel
