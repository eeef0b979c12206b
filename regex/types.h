#pragma once
// Types shared by every part of the regular-expression engine: the option sets, the Unicode
// property enumeration, the pending buffer of a multi-character case folding, the POSIX class
// kinds and the exception classes.
#include "core/error.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace zel {

// A set over an enumeration whose members are small ordinals: bit n stands for the member of
// ordinal n, so the raw bits are the stored form of the set.
template <typename E, typename Bits>
class EnumSet {
public:
    constexpr EnumSet() = default;
    constexpr EnumSet(E item) : bits_(Bit(item)) {}
    constexpr EnumSet(std::initializer_list<E> items) {
        for (E item : items)
            bits_ |= Bit(item);
    }
    static constexpr EnumSet FromBits(Bits bits) {
        EnumSet set;
        set.bits_ = bits;
        return set;
    }
    constexpr Bits ToBits() const { return bits_; }

    constexpr bool Contains(E item) const { return (bits_ & Bit(item)) != 0; }
    constexpr bool ContainsAny(EnumSet other) const { return (bits_ & other.bits_) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr EnumSet& Include(E item) {
        bits_ |= Bit(item);
        return *this;
    }
    constexpr EnumSet& Exclude(E item) {
        bits_ &= static_cast<Bits>(~Bit(item));
        return *this;
    }

    constexpr EnumSet& operator|=(EnumSet other) {
        bits_ |= other.bits_;
        return *this;
    }
    constexpr EnumSet& operator&=(EnumSet other) {
        bits_ &= other.bits_;
        return *this;
    }
    constexpr EnumSet& operator-=(EnumSet other) {
        bits_ &= static_cast<Bits>(~other.bits_);
        return *this;
    }
    friend constexpr EnumSet operator|(EnumSet a, EnumSet b) { return a |= b; }
    friend constexpr EnumSet operator&(EnumSet a, EnumSet b) { return a &= b; }
    friend constexpr EnumSet operator-(EnumSet a, EnumSet b) { return a -= b; }
    friend constexpr bool operator==(EnumSet, EnumSet) = default;

private:
    static constexpr Bits Bit(E item) {
        return static_cast<Bits>(Bits{1} << static_cast<std::underlying_type_t<E>>(item));
    }
    Bits bits_ = 0;
};

// Options of a pattern (16 bits stored).
enum TREOption : std::uint8_t {
    roNone,
    roIgnoreCase,             // letters compare case-insensitively
    roMultiLine,              // "^" and "$" also match at line breaks
    roNamedGroupOnly,         // unnamed parentheses do not capture
    roSingleLine,             // "." also matches line breaks
    roExtended,               // white space in the pattern is ignored
    roIgnoreWidth,            // full-width and half-width forms compare equal
    roIgnoreKana,             // hiragana and katakana compare equal
    roDefinedCharClassLegacy, // "\w", "\d", "\s" and POSIX classes count ASCII members only
    roAutoCallout,            // a callout is inserted automatically
    roASCIICharClass,         // as roDefinedCharClassLegacy, and "\b"/"\B" use ASCII words
    roASCIIOnly,              // case folding limited to ASCII
};
using TREOptions = EnumSet<TREOption, std::uint16_t>;
constexpr TREOptions operator|(TREOption a, TREOption b) {
    return TREOptions(a) | b;
}

// The folding options of one comparison, derived from TREOptions.
enum TRECompareOption : std::uint8_t {
    coIgnoreCase,
    coIgnoreWidth,
    coIgnoreKana,
    coASCIIOnly,
};
using TRECompareOptions = EnumSet<TRECompareOption, std::uint8_t>;
constexpr TRECompareOptions operator|(TRECompareOption a, TRECompareOption b) {
    return TRECompareOptions(a) | b;
}

constexpr TRECompareOptions CompareOptionsOf(TREOptions options) {
    TRECompareOptions result;
    if (options.Contains(roIgnoreCase))
        result.Include(coIgnoreCase);
    if (options.Contains(roIgnoreWidth))
        result.Include(coIgnoreWidth);
    if (options.Contains(roIgnoreKana))
        result.Include(coIgnoreKana);
    if (options.Contains(roASCIIOnly))
        result.Include(coASCIIOnly);
    return result;
}

// Properties that "\p{...}" names: the "\p" name of each member is its name without "up".
// The ordinal ranges matter: the property test and the tables rely on them.
enum TUnicodeProperty : std::uint16_t {
    // 0-6: general-category groups
    upC,
    upL,
    upM,
    upN,
    upP,
    upS,
    upZ,
    // 7-37: general categories (LC, the cased letters, at its alphabetical place)
    upCc,
    upCf,
    upCn,
    upCo,
    upCs,
    upLC,
    upLl,
    upLm,
    upLo,
    upLt,
    upLu,
    upMc,
    upMe,
    upMn,
    upNd,
    upNl,
    upNo,
    upPc,
    upPd,
    upPe,
    upPf,
    upPi,
    upPo,
    upPs,
    upSc,
    upSk,
    upSm,
    upSo,
    upZl,
    upZp,
    upZs,
    // 38: no script
    upunKnown,
    // 39-139: scripts, ordered by their four-letter script codes
    upArabic,
    upImperialAramaic,
    upArmenian,
    upAvestan,
    upBalinese,
    upBamum,
    upBatak,
    upBengali,
    upBopomofo,
    upBrahmi,
    upBraille,
    upBuginese,
    upBuhid,
    upChakma,
    upCanadianAboriginal,
    upCarian,
    upCham,
    upCherokee,
    upCoptic,
    upCypriot,
    upCyrillic,
    upDevanagari,
    upDeseret,
    upEgyptianHieroglyphs,
    upEthiopic,
    upGeorgian,
    upGlagolitic,
    upGothic,
    upGreek,
    upGujarati,
    upGurmukhi,
    upHangul,
    upHan,
    upHanunoo,
    upHebrew,
    upHiragana,
    upKatakanaOrHiragana,
    upOldItalic,
    upJavanese,
    upKayahLi,
    upKatakana,
    upKharoshthi,
    upKhmer,
    upKannada,
    upKaithi,
    upTaiTham,
    upLao,
    upLatin,
    upLepcha,
    upLimbu,
    upLinearB,
    upLisu,
    upLycian,
    upLydian,
    upMandaic,
    upMeroiticCursive,
    upMeroiticHieroglyphs,
    upMalayalam,
    upMongolian,
    upMeeteiMayek,
    upMyanmar,
    upNko,
    upOgham,
    upOlChiki,
    upOldTurkic,
    upOriya,
    upOsmanya,
    upPhagsPa,
    upInscriptionalPahlavi,
    upPhoenician,
    upMiao,
    upInscriptionalParthian,
    upRejang,
    upRunic,
    upSamaritan,
    upOldSouthArabian,
    upSaurashtra,
    upShavian,
    upSharada,
    upSinhala,
    upSoraSompeng,
    upSundanese,
    upSylotiNagri,
    upSyriac,
    upTagbanwa,
    upTakri,
    upTaiLe,
    upNewTaiLue,
    upTamil,
    upTaiViet,
    upTelugu,
    upTifinagh,
    upTagalog,
    upThaana,
    upThai,
    upTibetan,
    upUgaritic,
    upVai,
    upOldPersian,
    upCuneiform,
    upYi,
    // 140-141
    upInherited,
    upCommon,
    // 142-361: blocks in code-point order
    upInBasicLatin,
    upInLatin1Supplement,
    upInLatinExtendedA,
    upInLatinExtendedB,
    upInIPAExtensions,
    upInSpacingModifierLetters,
    upInCombiningDiacriticalMarks,
    upInGreekandCoptic,
    upInCyrillic,
    upInCyrillicSupplement,
    upInArmenian,
    upInHebrew,
    upInArabic,
    upInSyriac,
    upInArabicSupplement,
    upInThaana,
    upInNKo,
    upInSamaritan,
    upInMandaic,
    upInArabicExtendedA,
    upInDevanagari,
    upInBengali,
    upInGurmukhi,
    upInGujarati,
    upInOriya,
    upInTamil,
    upInTelugu,
    upInKannada,
    upInMalayalam,
    upInSinhala,
    upInThai,
    upInLao,
    upInTibetan,
    upInMyanmar,
    upInGeorgian,
    upInHangulJamo,
    upInEthiopic,
    upInEthiopicSupplement,
    upInCherokee,
    upInUnifiedCanadianAboriginalSyllabics,
    upInOgham,
    upInRunic,
    upInTagalog,
    upInHanunoo,
    upInBuhid,
    upInTagbanwa,
    upInKhmer,
    upInMongolian,
    upInUnifiedCanadianAboriginalSyllabicsExtended,
    upInLimbu,
    upInTaiLe,
    upInNewTaiLue,
    upInKhmerSymbols,
    upInBuginese,
    upInTaiTham,
    upInBalinese,
    upInSundanese,
    upInBatak,
    upInLepcha,
    upInOlChiki,
    upInSundaneseSupplement,
    upInVedicExtensions,
    upInPhoneticExtensions,
    upInPhoneticExtensionsSupplement,
    upInCombiningDiacriticalMarksSupplement,
    upInLatinExtendedAdditional,
    upInGreekExtended,
    upInGeneralPunctuation,
    upInSuperscriptsandSubscripts,
    upInCurrencySymbols,
    upInCombiningDiacriticalMarksforSymbols,
    upInLetterlikeSymbols,
    upInNumberForms,
    upInArrows,
    upInMathematicalOperators,
    upInMiscellaneousTechnical,
    upInControlPictures,
    upInOpticalCharacterRecognition,
    upInEnclosedAlphanumerics,
    upInBoxDrawing,
    upInBlockElements,
    upInGeometricShapes,
    upInMiscellaneousSymbols,
    upInDingbats,
    upInMiscellaneousMathematicalSymbolsA,
    upInSupplementalArrowsA,
    upInBraillePatterns,
    upInSupplementalArrowsB,
    upInMiscellaneousMathematicalSymbolsB,
    upInSupplementalMathematicalOperators,
    upInMiscellaneousSymbolsandArrows,
    upInGlagolitic,
    upInLatinExtendedC,
    upInCoptic,
    upInGeorgianSupplement,
    upInTifinagh,
    upInEthiopicExtended,
    upInCyrillicExtendedA,
    upInSupplementalPunctuation,
    upInCJKRadicalsSupplement,
    upInKangxiRadicals,
    upInIdeographicDescriptionCharacters,
    upInCJKSymbolsandPunctuation,
    upInHiragana,
    upInKatakana,
    upInBopomofo,
    upInHangulCompatibilityJamo,
    upInKanbun,
    upInBopomofoExtended,
    upInCJKStrokes,
    upInKatakanaPhoneticExtensions,
    upInEnclosedCJKLettersandMonths,
    upInCJKCompatibility,
    upInCJKUnifiedIdeographsExtensionA,
    upInYijingHexagramSymbols,
    upInCJKUnifiedIdeographs,
    upInYiSyllables,
    upInYiRadicals,
    upInLisu,
    upInVai,
    upInCyrillicExtendedB,
    upInBamum,
    upInModifierToneLetters,
    upInLatinExtendedD,
    upInSylotiNagri,
    upInCommonIndicNumberForms,
    upInPhagspa,
    upInSaurashtra,
    upInDevanagariExtended,
    upInKayahLi,
    upInRejang,
    upInHangulJamoExtendedA,
    upInJavanese,
    upInCham,
    upInMyanmarExtendedA,
    upInTaiViet,
    upInMeeteiMayekExtensions,
    upInEthiopicExtendedA,
    upInMeeteiMayek,
    upInHangulSyllables,
    upInHangulJamoExtendedB,
    upInHighSurrogates,
    upInHighPrivateUseSurrogates,
    upInLowSurrogates,
    upInPrivateUseArea,
    upInCJKCompatibilityIdeographs,
    upInAlphabeticPresentationForms,
    upInArabicPresentationFormsA,
    upInVariationSelectors,
    upInVerticalForms,
    upInCombiningHalfMarks,
    upInCJKCompatibilityForms,
    upInSmallFormVariants,
    upInArabicPresentationFormsB,
    upInHalfwidthandFullwidthForms,
    upInSpecials,
    upInLinearBSyllabary,
    upInLinearBIdeograms,
    upInAegeanNumbers,
    upInAncientGreekNumbers,
    upInAncientSymbols,
    upInPhaistosDisc,
    upInLycian,
    upInCarian,
    upInOldItalic,
    upInGothic,
    upInUgaritic,
    upInOldPersian,
    upInDeseret,
    upInShavian,
    upInOsmanya,
    upInCypriotSyllabary,
    upInImperialAramaic,
    upInPhoenician,
    upInLydian,
    upInMeroiticHieroglyphs,
    upInMeroiticCursive,
    upInKharoshthi,
    upInOldSouthArabian,
    upInAvestan,
    upInInscriptionalParthian,
    upInInscriptionalPahlavi,
    upInOldTurkic,
    upInRumiNumeralSymbols,
    upInBrahmi,
    upInKaithi,
    upInSoraSompeng,
    upInChakma,
    upInSharada,
    upInTakri,
    upInCuneiform,
    upInCuneiformNumbersandPunctuation,
    upInEgyptianHieroglyphs,
    upInBamumSupplement,
    upInMiao,
    upInKanaSupplement,
    upInByzantineMusicalSymbols,
    upInMusicalSymbols,
    upInAncientGreekMusicalNotation,
    upInTaiXuanJingSymbols,
    upInCountingRodNumerals,
    upInMathematicalAlphanumericSymbols,
    upInArabicMathematicalAlphabeticSymbols,
    upInMahjongTiles,
    upInDominoTiles,
    upInPlayingCards,
    upInEnclosedAlphanumericSupplement,
    upInEnclosedIdeographicSupplement,
    upInMiscellaneousSymbolsAndPictographs,
    upInEmoticons,
    upInTransportAndMapSymbols,
    upInAlchemicalSymbols,
    upInCJKUnifiedIdeographsExtensionB,
    upInCJKUnifiedIdeographsExtensionC,
    upInCJKUnifiedIdeographsExtensionD,
    upInCJKCompatibilityIdeographsSupplement,
    upInTags,
    upInVariationSelectorsSupplement,
    upInSupplementaryPrivateUseAreaA,
    upInSupplementaryPrivateUseAreaB,

};
inline constexpr int kUnicodePropertyCount = 362;
inline constexpr TUnicodeProperty kFirstCategory = upCc;
inline constexpr TUnicodeProperty kFirstScript = upunKnown;
inline constexpr TUnicodeProperty kFirstBlock = upInBasicLatin;
static_assert(upLC == 12 && upZs == 37 && upYi == 139 && upCommon == 141 &&
              upInSupplementaryPrivateUseAreaB == kUnicodePropertyCount - 1);

// The characters of a multi-character case folding that are still to be handed out. Chars is
// stored last first: the next pending character is Chars[Count - 1].
struct TUnicodeMultiChar {
    std::int32_t Count = 0;
    std::array<char32_t, 3> Chars{};

    // The next pending character (Count > 0); it leaves the buffer.
    constexpr char32_t Take() { return Chars[static_cast<std::size_t>(--Count)]; }
    friend constexpr bool operator==(const TUnicodeMultiChar&, const TUnicodeMultiChar&) = default;
};

// POSIX classes ("[:alpha:]", "\p{Alpha}"); pckSpaceVertical and pckSpaceHorizontal have no
// name and serve "\v" and "\h".
enum TREPosixClassKind : std::uint8_t {
    pckNone,
    pckAlnum,
    pckAlpha,
    pckAscii,
    pckBlank,
    pckCntrl,
    pckDigit,
    pckGraph,
    pckLower,
    pckPrint,
    pckUpper,
    pckPunct,
    pckSpace,
    pckSpacePerl,
    pckSpaceVertical,
    pckSpaceHorizontal,
    pckXdigit,
    pckWord,
    pckAny,
    pckAssigned,
};

// Failures of the regular-expression engine.
class EZelRegExp : public Exception {
public:
    using Exception::Exception;
};

// A pattern error. ErrorPos stays 0: the place is marked in the message text instead.
class EZelRegExpCompile : public EZelRegExp {
public:
    using EZelRegExp::EZelRegExp;
    std::int32_t ErrorPos = 0;
};

// Misuse of the engine at run time.
class EZelRegExpRuntime : public EZelRegExp {
public:
    using EZelRegExp::EZelRegExp;
};

// How a search skips positions where no match can start (chosen after every compile):
// lcmNone tries every position; lcmSimple and lcmAhoCrasick, for a pattern that is one literal
// or one alternation of literals, take a hit of that search as the match; lcmFirstLiteral and
// lcmFirstBranch attempt at the hits of the one lead literal or alternation; lcmTextTop attempts
// once at the search start, lcmLineTop at every line start; lcmLeadMap and lcmHasLead attempt
// where a lead code can match (by a map of first units, or by testing the codes);
// lcmFixedAnchor, lcmVariableAnchor, lcmFixedBranch and lcmVariableBranch attempt at the starts
// that reach an occurrence of a literal every match contains (or of one literal of each
// alternative). lcmSimpleBranch is never chosen.
enum TRELeadCharMode : std::uint8_t {
    lcmNone,
    lcmFirstLiteral,
    lcmFirstBranch,
    lcmSimple,
    lcmSimpleBranch,
    lcmTextTop,
    lcmLineTop,
    lcmHasLead,
    lcmLeadMap,
    lcmFixedAnchor,
    lcmVariableAnchor,
    lcmFixedBranch,
    lcmVariableBranch,
    lcmAhoCrasick,
};

} // namespace zel
