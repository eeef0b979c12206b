#pragma once
// Codes that read the match state: back-references by number and by name, the conditions of
// conditional groups (a group has matched; a subroutine call is active) and callouts.
#include <string>

#include "regex/compile/code.h"
#include "regex/compile/owner.h"

namespace zel {

class TREReferenceCode : public TRECode {
public:
    TREReferenceCode(TREOwner* ARegExp, int AGroupIndex, TREOptions AOptions);
    TRETextPosRec CharLength() const override;
    bool IsEqual(const char16_t* AStr, int& Len) override;
    bool IsVariable() const override { return true; }

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int index) { FGroupIndex = index; }

protected:
    // Compares the captured text of group with the subject at AStr.
    bool MatchCapture(const TGroup& group, const char16_t* AStr, int& Len) const;

    int FGroupIndex;
    TRECompareOptions FCompareOptions;
};

// By name: the first group of that name that matched (FGroupIndex, -1 until the name is
// resolved, serves the length queries).
class TRENamedReferenceCode : public TREReferenceCode {
public:
    TRENamedReferenceCode(TREOwner* ARegExp, std::u16string AGroupName, int AGroupIndex,
                          TREOptions AOptions)
        : TREReferenceCode(ARegExp, AGroupIndex, AOptions), FGroupName(std::move(AGroupName)) {}
    bool IsEqual(const char16_t* AStr, int& Len) override;
    const std::u16string& GroupName() const { return FGroupName; }

private:
    std::u16string FGroupName;
};

class TREConditionCode : public TRECode {
public:
    explicit TREConditionCode(TREOwner* ARegExp) : TRECode(ARegExp, {}) {}
    TRETextPosRec CharLength() const override { return {0, 0}; }
    bool IsEqual(const char16_t* AStr, int& Len) override;
    bool IsVariable() const override { return true; }

protected:
    virtual bool Holds() const = 0;
};

// "(?(1)...": group n has matched.
class TREIfThenReferenceCode : public TREConditionCode {
public:
    TREIfThenReferenceCode(TREOwner* ARegExp, int AGroupIndex)
        : TREConditionCode(ARegExp), FGroupIndex(AGroupIndex) {}
    int FGroupIndex;

protected:
    bool Holds() const override;
};

// "(?(<name>)...": the first group of that name that matched has matched.
class TREIfThenNamedReferenceCode : public TREConditionCode {
public:
    TREIfThenNamedReferenceCode(TREOwner* ARegExp, std::u16string AGroupName)
        : TREConditionCode(ARegExp), FGroupName(std::move(AGroupName)) {}
    std::u16string FGroupName;

protected:
    bool Holds() const override;
};

// "(?(R)..." / "(?(Rn)...": a subroutine call (of group n) is the innermost active one.
class TREInSubReferenceCode : public TREConditionCode {
public:
    TREInSubReferenceCode(TREOwner* ARegExp, int AGroupIndex)
        : TREConditionCode(ARegExp), FGroupIndex(AGroupIndex) {}
    int FGroupIndex;

protected:
    bool Holds() const override;
};

// "(?(R&name)...": the innermost active call is of a group bearing the name.
class TREInSubNameReferenceCode : public TREConditionCode {
public:
    TREInSubNameReferenceCode(TREOwner* ARegExp, std::u16string AGroupName)
        : TREConditionCode(ARegExp), FGroupName(std::move(AGroupName)) {}
    std::u16string FGroupName;

protected:
    bool Holds() const override;
};

// "(?C)", "(?Cn)" and the automatic callouts: the owner's handler decides; without a handler
// the path through the callout fails.
class TRECalloutCode : public TRECode {
public:
    TRECalloutCode(TREOwner* ARegExp, int ACalloutNumber, int APatternPosition, int APatternLength);
    TRETextPosRec CharLength() const override { return {0, -1}; }
    bool IsEqual(const char16_t* AStr, int& Len) override;
    bool IsVariable() const override { return true; }
    void SetPatternLength(int length) { FData.PatternLength = length; }
    const TCalloutData& Data() const { return FData; }

private:
    TCalloutData FData;
};

} // namespace zel
