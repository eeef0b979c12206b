#include "fuzz/regex_fuzz.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "regex/zelregexp/zel_regexp.h"

namespace zel {

namespace {

// Work stays bounded: short patterns and subjects (counted repeats are capped by the lexer).
constexpr std::size_t kMaxPattern = 48;
constexpr std::size_t kMaxSubject = 192;

// Bytes to UTF-16: below 0xF0 a byte is its own unit; 0xF0-0xFF picks a unit from a small set
// of interesting ones (surrogates, line breaks, wide and kana forms, case pairs).
std::u16string Units(const std::uint8_t* p, std::size_t n) {
    static constexpr char16_t kSpecial[] = {0xD83D, 0xDE00, 0x2028, 0x0085, 0x3000, 0xFF21,
                                            0x3042, 0x30A2, 0xFF71, 0x00DF, 0x017F, 0x212A,
                                            0x0301, 0x000B, 0xDC00, 0xFFFF};
    std::u16string text;
    for (std::size_t i = 0; i < n; ++i)
        text += p[i] < 0xF0 ? static_cast<char16_t>(p[i]) : kSpecial[p[i] - 0xF0];
    return text;
}

// A table row that reproduces the case (set ZEL_FUZZ_PRINT to see each one).
void Print(const std::u16string& pattern, const std::u16string& subject, std::uint16_t bits) {
    auto literal = [](const std::u16string& s) {
        std::string text = "u\"";
        for (char16_t c : s) {
            char buffer[16];
            if (c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\')
                text += static_cast<char>(c);
            else {
                std::snprintf(buffer, sizeof buffer, "\\x%04X\"u\"", static_cast<unsigned>(c));
                text += buffer;
            }
        }
        return text + "\"";
    };
    std::fprintf(stderr, "{%s, TREOptions::FromBits(0x%04X), %s}\n", literal(pattern).c_str(),
                 static_cast<unsigned>(bits), literal(subject).c_str());
}

// Every match with its groups, as positions; the search acceleration must not change them.
std::vector<int> AllMatches(const std::u16string& pattern, const std::u16string& subject,
                            std::uint16_t bits, bool acceleration) {
    TZelRegExp re(pattern, TREOptions::FromBits(bits));
    re.SetLineBreakKind(static_cast<TRELineBreakKind>(bits % 5));
    re.SetAcceleration(acceleration);
    re.OnCallout = [](TZelRegExp&, TCalloutData& d, bool& isMatch, std::int32_t& length) {
        isMatch = d.CalloutNumber % 2 == 0;
        length = d.CalloutNumber % 3 == 0 ? 1 : 0;
    };
    std::vector<int> positions;
    int found = 0;
    for (bool ok = re.Exec(subject); ok && found < 64; ok = re.ExecNext()) {
        ++found;
        for (int i = 0; i <= re.GroupCount(); ++i) {
            const TGroup& g = re.Groups().Items(i);
            positions.push_back(g.Success() ? g.Index() : -1);
            positions.push_back(g.Success() ? g.Length() : -1);
        }
    }
    return positions;
}

} // namespace

void RunRegexFuzzCase(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return;
    const std::uint16_t bits = static_cast<std::uint16_t>((data[0] | data[1] << 8) & 0x0FFE);
    data += 2;
    size -= 2;
    std::size_t split = 0;
    while (split < size && data[split] != 0)
        ++split;
    if (split > kMaxPattern || size - split > kMaxSubject + 1)
        return;
    const std::u16string pattern = Units(data, split);
    const std::u16string subject = split < size ? Units(data + split + 1, size - split - 1) : u"";
    if (std::getenv("ZEL_FUZZ_PRINT") != nullptr)
        Print(pattern, subject, bits);
    try {
        TZelRegExp re(pattern, TREOptions::FromBits(bits));
        re.SetLineBreakKind(static_cast<TRELineBreakKind>(bits % 5));
        re.OnCallout = [](TZelRegExp&, TCalloutData& d, bool& isMatch, std::int32_t& length) {
            isMatch = d.CalloutNumber % 2 == 0;
            length = d.CalloutNumber % 3 == 0 ? 1 : 0;
        };
        int found = 0;
        for (bool ok = re.Exec(subject); ok && found < 64; ok = re.ExecNext()) {
            ++found;
            for (int i = 0; i <= re.GroupCount(); ++i) {
                const TGroup& g = re.Groups().Items(i);
                if (g.Success() && (g.Index() < 1 ||
                                    g.Index() + g.Length() - 1 > static_cast<int>(subject.size())))
                    std::abort(); // a group outside the subject
            }
            re.Substitute(u"$1${n}$+$`$'");
        }
        const int length = static_cast<int>(subject.size());
        re.ExecPos(length / 3 + 1, length / 2);
        re.Replace(subject, u"<$0>", 0, 1);
        std::vector<std::u16string> pieces;
        re.Split(subject, pieces, 3, 1);
        TZelRegExp::EncodeEscape(TZelRegExp::DecodeEscape(pattern));
        if (AllMatches(pattern, subject, bits, true) != AllMatches(pattern, subject, bits, false))
            std::abort(); // skipping starts changed a result
    } catch (const EZelRegExp&) {
        // pattern and escape errors are expected
    }
}

} // namespace zel
