#pragma once
// The regex engine's message texts, by their fixed numbers, and the formatting of their single
// "%s" or "%d" placeholder. The texts are the system's own and are used exactly as they stand.
#include <string>
#include <string_view>

namespace zel {

enum class TREMessageId : int {
    rmOptionAOverTwo = 65056,
    rmExecNotCalled = 65057,
    rmBraceUnmatched = 65058,
    rmGroupIndexOutOfRange = 65059,
    rmGroupNameNotExists = 65060,
    rmConditionInvalid = 65072,
    rmConditionTooManyBranches = 65073,
    rmExpressionUnterminated = 65074,
    rmEscapeInvalid = 65075,
    rmPosixOutsideClass = 65076,
    rmCalloutNumberRange = 65077,
    rmRepeatNoTarget = 65078,
    rmConditionUnknown = 65079,
    rmVerbUnterminated = 65080,
    rmNumberedReferenceNotAllowed = 65081,
    rmOctalNeedsBrace = 65082,
    rmOctalNeedsCloseBrace = 65083,
    rmOctalDigitRequired = 65084,
    rmOptionNotNegatable = 65085,
    rmOptionCaretNegation = 65086,
    rmOptionAdluConflict = 65087,
    rmGroupNumberMissing = 65088,
    rmGroupUnterminated = 65089,
    rmParenUnmatched = 65090,
    rmOptionUnterminated = 65091,
    rmPropertyUnknown = 65092,
    rmPropertyInvalid = 65093,
    rmPropertyUnterminated = 65094,
    rmRepeatZeroLength = 65095,
    rmExpressionBadEnd = 65096,
    rmCharClassInvalid = 65097,
    rmGoSubAmbiguousName = 65098,
    rmReferenceUnavailable = 65099,
    rmGroupNameUnknown = 65100,
    rmGroupNameBadChar = 65101,
    rmRecursionEndless = 65102,
    rmBehindVariableLength = 65103,
    rmExpressionUnknown = 65109,
    rmHexDigitRequired = 65110,
    rmCodePointRange = 65111,
    rmAheadRepeat = 65112,
    rmBracketUnmatched = 65113,
    rmBraceMissing = 65114,
    rmRepeatTooLarge = 65115,
    rmRepeatMinAboveMax = 65116,
    rmPosixUnknown = 65117,
    rmCharRangeInvalid = 65118,
    rmGroupNameMissing = 65119,
    rmStepLimitExceeded = 65120,
};

// The template of a message; empty for a number that has no message.
std::u16string_view RegExpMessage(TREMessageId id);
std::u16string_view RegExpMessage(int id);

// The template with its "%s" placeholder replaced by a string, or its "%d" by a number.
std::u16string FormatRegExpMessage(TREMessageId id, std::u16string_view arg);
std::u16string FormatRegExpMessage(TREMessageId id, int arg);

// Fixed texts of the parser's bookkeeping faults, and of an empty class reaching Build.
inline constexpr std::u16string_view sBugReferenceName =
    u"bug?: not set reference group name on TREParser.Parse";
inline constexpr std::u16string_view sBugGoSubName =
    u"bug?: not set gosub group name TREParser.Parse";
inline constexpr std::u16string_view sBugCharClass = u"bug?: can not build charactor class";

// How a compile error joins its message and the marked pattern, and the position marker.
inline constexpr std::u16string_view sCompileErrorFormat = u"%s; %s";
inline constexpr std::u16string_view sErrorPosMarker = u" <-- ";

// The text of a compile error: the message, then the marked pattern.
std::u16string JoinCompileError(std::u16string_view text, std::u16string_view marked);

// The pattern with the marker after its first `pos` units (1-based position of the character
// the error was found at); empty when pos <= 0.
std::u16string MarkErrorPosition(std::u16string_view pattern, int pos);

} // namespace zel
