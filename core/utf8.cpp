#include "core/utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "core/error.h"

namespace zel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Where an invalid sequence begins; Decode's caller turns it into a Utf8Error.
struct InvalidSequence {
    const unsigned char* At;
};

[[noreturn]] void Invalid(const unsigned char* at) {
    throw InvalidSequence{at};
}

// Copies the run of ASCII bytes at p (whole blocks of it) as units; answers how many.
std::size_t CopyAscii(const unsigned char* p, const unsigned char* end, char16_t* out) {
    const unsigned char* start = p;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    while (end - p >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        if (_mm_movemask_epi8(bytes) != 0)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(bytes, zero));
        p += 16;
        out += 16;
    }
#else
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        if ((word & 0x8080808080808080ull) != 0)
            break;
        for (int i = 0; i < 8; ++i)
            out[i] = p[i];
        p += 8;
        out += 8;
    }
#endif
    return static_cast<std::size_t>(p - start);
}

// The length of the sequence that lead byte b begins, its payload bits and the smallest code
// point it may encode; 0 for a byte that begins none.
int SequenceLength(unsigned char b, char32_t& cp, char32_t& min) {
    if (b >= 0xC2 && b <= 0xDF) {
        cp = b & 0x1F, min = 0x80;
        return 2;
    }
    if (b >= 0xE0 && b <= 0xEF) {
        cp = b & 0x0F, min = 0x800;
        return 3;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        cp = b & 0x07, min = 0x10000;
        return 4;
    }
    return 0;
}

// Decodes the non-ASCII sequence at p onto out; answers its length in bytes, or 0 when it
// runs past end (only allowed when more is to come).
std::size_t DecodeSequence(const unsigned char* p, const unsigned char* end, char16_t*& out,
                           bool final) {
    char32_t cp = 0;
    char32_t min = 0;
    const int length = SequenceLength(*p, cp, min);
    if (length == 0)
        Invalid(p);
    const std::ptrdiff_t available = end - p;
    for (int i = 1; i < length; ++i) {
        if (i >= available) {
            if (final)
                Invalid(p);
            return 0;
        }
        const unsigned char c = p[i];
        if ((c & 0xC0) != 0x80)
            Invalid(p);
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        Invalid(p);
    if (cp < 0x10000) {
        *out++ = static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        *out++ = static_cast<char16_t>(0xD800 + (cp >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
    return static_cast<std::size_t>(length);
}

// The three-byte sequence at p (there are three bytes) when it is a valid one: the common
// case of Japanese text, decoded without the general path's steps.
bool ThreeByteChar(const unsigned char* p, char16_t& unit) {
    if ((p[0] & 0xF0) != 0xE0 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80)
        return false;
    const char32_t cp =
        (char32_t{p[0] & 0x0Fu} << 12) | (char32_t{p[1] & 0x3Fu} << 6) | char32_t{p[2] & 0x3Fu};
    if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))
        return false;
    unit = static_cast<char16_t>(cp);
    return true;
}

// Decodes bytes onto out, which has room for bytes.size() units (no sequence gives more units
// than bytes); answers how many bytes it used: all, or all but a cut sequence at the end when
// the text goes on (final false).
std::size_t Decode(std::string_view bytes, char16_t*& out, bool final) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const std::size_t ascii = CopyAscii(p, end, out);
        p += ascii;
        out += ascii;
        while (p < end && *p < 0x80)
            *out++ = *p++;
        while (end - p >= 3 && ThreeByteChar(p, *out)) {
            p += 3;
            ++out;
        }
        if (p == end || *p < 0x80)
            continue;
        const std::size_t used = DecodeSequence(p, end, out, final);
        if (used == 0)
            break;
        p += used;
    }
    return static_cast<std::size_t>(p - reinterpret_cast<const unsigned char*>(bytes.data()));
}

// Decodes bytes onto the end of out through a buffer that stays in the cache (the string
// grows by copies, never by filling it first); answers how many bytes it used, as Decode.
std::size_t DecodeAppend(std::string_view bytes, std::u16string& out, bool final) {
    constexpr std::size_t kBlock = 1 << 15;
    char16_t buffer[kBlock];
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t size = std::min(kBlock, bytes.size() - done);
        const bool last = done + size == bytes.size();
        char16_t* end = buffer;
        std::size_t used = 0;
        try {
            used = Decode(bytes.substr(done, size), end, final && last);
        } catch (const InvalidSequence& invalid) {
            throw Utf8Error(static_cast<std::size_t>(
                invalid.At - reinterpret_cast<const unsigned char*>(bytes.data())));
        }
        out.append(buffer, static_cast<std::size_t>(end - buffer));
        done += used;
        if (last || used == 0)
            break; // used == 0: a block of four bytes or more always completes a sequence
    }
    return done;
}

} // namespace

Utf8Error::Utf8Error(std::size_t offset)
    : Exception(std::u16string(kInvalidUtf8Message)), offset_(offset) {}

std::u16string Utf8ToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    DecodeAppend(bytes, out, true);
    return out;
}

std::u16string Utf8FileTextToUtf16(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    return Utf8ToUtf16(bytes);
}

void Utf8StreamDecoder::Append(std::string_view bytes, std::u16string& out) {
    if (markPending_) {
        // The mark may arrive in pieces: the first bytes wait until they show whether they
        // are one.
        const std::size_t take = std::min(bytes.size(), kByteOrderMark.size() - pending_.size());
        pending_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (pending_.size() < kByteOrderMark.size() && kByteOrderMark.starts_with(pending_))
            return;
        markPending_ = false;
        std::string head = std::move(pending_);
        pending_.clear();
        if (head == kByteOrderMark) {
            head.clear();
            offset_ += kByteOrderMark.size();
        }
        DecodeInto(head, out, false);
    }
    if (!pending_.empty()) {
        // The sequence the last piece cut takes what it lacks from this one.
        char32_t cp = 0;
        char32_t min = 0;
        const std::size_t length = static_cast<std::size_t>(
            SequenceLength(static_cast<unsigned char>(pending_[0]), cp, min));
        const std::size_t take = std::min(bytes.size(), length - pending_.size());
        pending_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (pending_.size() < length)
            return;
        const std::string sequence = std::move(pending_);
        pending_.clear();
        DecodeInto(sequence, out, true);
    }
    DecodeInto(bytes, out, false);
}

void Utf8StreamDecoder::Finish(std::u16string& out) {
    markPending_ = false;
    const std::string rest = std::move(pending_);
    pending_.clear();
    DecodeInto(rest, out, true);
}

void Utf8StreamDecoder::DecodeInto(std::string_view bytes, std::u16string& out, bool final) {
    std::size_t used = 0;
    try {
        used = DecodeAppend(bytes, out, final);
    } catch (const Utf8Error& error) {
        throw Utf8Error(offset_ + error.Offset());
    }
    offset_ += used;
    pending_.assign(bytes.substr(used));
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3 / 2);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

} // namespace zel
