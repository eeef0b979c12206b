#pragma once
// The generated Unicode 6.2 tables (unicode_tables.cpp, made by tools/unicode/regenerate.sh).
// Internal to regex/unicode: the rest of the engine asks unicode_prop.h.
//
// Character records through a two-level index: kFirstLevel[cp / 128] names a second-level block,
// kSecondLevel[block][cp % 128] the record. A record holds the script (offset from upunKnown),
// the general category (offset from upCc) and its case-folding entry.
#include "regex/types.h"

#include <cstdint>
#include <string_view>

namespace zel::unicode_data {

struct TCharRecord {
    std::uint8_t Script;
    std::uint8_t Category;
    std::uint16_t Fold;
};

// Count 0: no folding. Count 1: the folded character is the code point minus Values[0].
// Count 2 or 3: the folded characters, stored last first (Values[Count - 1] is the first).
struct TFoldEntry {
    std::int32_t Count;
    std::int32_t Values[3];
};

struct TBlockRange {
    char32_t First;
    char32_t Last;
};

// A "\p" name in ASCII lower case and its member.
struct TPropertyKey {
    std::u16string_view LowerName;
    std::uint16_t Prop;
};

extern const std::uint8_t kFirstLevel[0x110000 / 128];
extern const std::uint16_t kSecondLevel[][128];
extern const TCharRecord kRecords[];
extern const TFoldEntry kFoldEntries[];
// Bit n: some character from U+0080 up in U+nn00-U+nnFF folds to a string that begins with an
// ASCII character.
extern const std::uint64_t kAsciiFoldPages[4];
extern const TBlockRange kBlocks[kUnicodePropertyCount - kFirstBlock];
// The "\p" name of every member, in member order.
extern const std::u16string_view kPropertyNames[kUnicodePropertyCount];
// Sorted by LowerName; the names of all members plus "l&".
extern const TPropertyKey kPropertyIndex[kUnicodePropertyCount + 1];
// U+FF61-U+FF9F: the full-width form plain, voiced (with U+3099) and semi-voiced (U+309A).
extern const char16_t kHalfKana[0xFF9F - 0xFF61 + 1][3];
// U+3000-U+30FF: the half-width form, one or two units (the second 0 when one).
extern const char16_t kKanaToHalf[0x100][2];

inline const TCharRecord& RecordOf(char32_t cp) {
    return kRecords[kSecondLevel[kFirstLevel[cp >> 7]][cp & 0x7F]];
}

} // namespace zel::unicode_data
