#include "regex/zelregexp/zel_regexp.h"

#include "regex/compile/messages.h"
#include "regex/compile/parser.h"
#include "regex/zelregexp/zel_regexp_impl.h"

namespace zel {

TZelRegExp::TZelRegExp() : FImpl(std::make_unique<TImpl>()) {
    FImpl->FOwner.FOnCallout = [this](TCalloutData& AData, bool& IsMatch,
                                      std::int32_t& MatchLength) {
        if (OnCallout)
            OnCallout(*this, AData, IsMatch, MatchLength);
    };
}

TZelRegExp::TZelRegExp(std::u16string_view AExpression, TREOptions AOptions) : TZelRegExp() {
    SetOptions(AOptions);
    SetExpression(AExpression);
}

TZelRegExp::~TZelRegExp() = default;

// ---- pattern and options -------------------------------------------------------------------

const std::u16string& TZelRegExp::Expression() const {
    return FImpl->FOwner.FExpression;
}

void TZelRegExp::SetExpression(std::u16string_view Value) {
    auto& impl = *FImpl;
    if (impl.FOwner.FExpression == Value)
        return;
    // The groups of the old pattern point into its text: they go with it.
    impl.FOwner.ClearCompiled();
    impl.FProgram.Clear();
    impl.FMatchEngine.Optimize();
    impl.FOwner.FExpression = std::u16string(Value);
    impl.FCompiled = false;
}

TREOptions TZelRegExp::Options() const {
    return FImpl->FOwner.FOptions;
}

void TZelRegExp::SetOptions(TREOptions Value) {
    FImpl->FOwner.FOptions = Value;
}

bool TZelRegExp::Option(TREOption AOption) const {
    return FImpl->FOwner.FOptions.Contains(AOption);
}

void TZelRegExp::SetOption(TREOption AOption, bool Value) {
    auto& options = FImpl->FOwner.FOptions;
    if (options.Contains(AOption) == Value)
        return;
    if (Value)
        options.Include(AOption);
    else
        options.Exclude(AOption);
    FImpl->FCompiled = false;
}

void TZelRegExp::SetIgnoreZenHan(bool Value) {
    SetIgnoreWidth(Value);
    SetIgnoreKana(Value);
}

TRELineBreakKind TZelRegExp::LineBreakKind() const {
    return FImpl->FOwner.LineBreakKind();
}

void TZelRegExp::SetLineBreakKind(TRELineBreakKind Value) {
    if (Value == FImpl->FOwner.LineBreakKind())
        return;
    FImpl->FOwner.SetLineBreakKind(Value);
    // The search strategy depends on which units end a line: choose it again.
    FImpl->FCompiled = false;
}

void TZelRegExp::Compile() {
    auto& impl = *FImpl;
    if (impl.FCompiled)
        return;
    impl.FOwner.ClearCompiled();
    impl.FProgram.Clear();
    impl.FMatchEngine.Optimize();
    {
        TREParser parser(impl.FOwner, impl.FOwner.FExpression);
        parser.Parse();
        TRENFA nfa(impl.FOwner, impl.FProgram);
        nfa.Compile(parser);
    }
    impl.FMatchEngine.Optimize();
    impl.FOwner.FCode = nullptr;
    impl.FOwner.FBinCodeList.clear();
    impl.FCompiled = true;
}

bool TZelRegExp::Acceleration() const {
    return FImpl->FMatchEngine.Acceleration();
}

void TZelRegExp::SetAcceleration(bool Value) {
    FImpl->FMatchEngine.SetAcceleration(Value);
}

int TZelRegExp::StepLimit() const {
    return static_cast<int>(FImpl->FMatchEngine.StepLimit());
}

void TZelRegExp::SetStepLimit(int Value) {
    FImpl->FMatchEngine.SetStepLimit(Value > 0 ? static_cast<std::uint64_t>(Value) : 0);
}

TRELeadCharMode TZelRegExp::LeadCharMode() {
    Compile();
    return FImpl->FMatchEngine.LeadCharMode();
}

bool TZelRegExp::Compiled() const {
    return FImpl->FCompiled;
}

// ---- searching ---------------------------------------------------------------------------------

const std::u16string& TZelRegExp::InputString() const {
    return FImpl->FInputString;
}

void TZelRegExp::SetInputString(std::u16string Value) {
    auto& impl = *FImpl;
    impl.FInputString = std::move(Value);
    impl.FModified = true;
    impl.FHasSubject = true;
    const char16_t* top = impl.FInputString.data();
    impl.FOwner.SetSubject(top, top + impl.FInputString.size());
    impl.FOwner.FGroups.ResetMatch();
    impl.FSuccess = false;
    impl.FMatchStartP = top;
    impl.FGlobalStartP = impl.FGlobalEndP = nullptr;
}

bool TZelRegExp::Search(const char16_t* AStr) {
    auto& impl = *FImpl;
    auto& owner = impl.FOwner;
    impl.FSuccess = impl.FMatchEngine.Match(AStr);
    impl.FLastRegMarkIndex = impl.FMatchEngine.LastRegMarkIndex();
    impl.FLastRegErrorIndex = impl.FMatchEngine.LastRegErrorIndex();
    if (impl.FSuccess) {
        const TGroup& whole = owner.FGroups.Items(0);
        impl.FGlobalStartP = whole.FStartP;
        impl.FGlobalEndP = owner.FGlobalEndP = whole.FEndP;
        if (OnMatch)
            OnMatch(*this);
    } else {
        impl.FGlobalStartP = impl.FGlobalEndP = owner.FMatchTopP;
        owner.FGlobalEndP = nullptr;
    }
    return impl.FSuccess;
}

bool TZelRegExp::Exec(std::u16string_view AInputStr) {
    auto& impl = *FImpl;
    impl.FMatchOffset = 1;
    impl.FMatchLength = 0;
    Compile();
    SetInputString(std::u16string(AInputStr));
    impl.FModified = false;
    auto& owner = impl.FOwner;
    owner.FMatchTopP = impl.FMatchStartP = owner.FTextTopP;
    owner.FMatchEndP = owner.FTextEndP;
    return Search(owner.FTextTopP);
}

bool TZelRegExp::ExecNext() {
    auto& impl = *FImpl;
    if (!impl.FCompiled)
        Error(RegExpMessage(TREMessageId::rmExecNotCalled));
    if (!impl.FSuccess)
        return false;
    const char16_t* P = impl.FGlobalEndP;
    if (impl.FGlobalEndP == impl.FGlobalStartP)
        ++P;
    impl.FMatchStartP = P;
    impl.FMatchOffset = static_cast<int>(P - impl.FOwner.FTextTopP) + 1;
    return Search(P);
}

bool TZelRegExp::ExecPos(int AOffset, int AMaxLength) {
    auto& impl = *FImpl;
    auto& owner = impl.FOwner;
    impl.FMatchOffset = AOffset;
    impl.FMatchLength = AMaxLength;
    if (AOffset < 1 || !impl.FHasSubject)
        return false;
    if (!impl.FCompiled) {
        Compile();
        impl.FModified = false;
    }
    const auto length = static_cast<std::int64_t>(impl.FInputString.size());
    if (AOffset - 1 > length) {
        impl.FSuccess = false;
        return false;
    }
    const char16_t* P = owner.FTextTopP + (AOffset - 1);
    impl.FMatchOffset = static_cast<int>(P - owner.FTextTopP) + 1;
    if (AMaxLength <= 0) {
        owner.FMatchEndP = owner.FTextEndP;
        owner.FMatchTopP = owner.FTextTopP;
    } else {
        const char16_t* end = length < static_cast<std::int64_t>(AMaxLength) + impl.FMatchOffset
                                  ? owner.FTextEndP
                                  : P + AMaxLength;
        owner.FMatchEndP = end;
        owner.FMatchTopP = P;
        owner.FGlobalEndP = nullptr; // a new text: no previous match in it
        impl.FMatchLength = static_cast<int>(end - P);
    }
    impl.FMatchStartP = owner.FMatchTopP;
    return Search(P);
}

// ---- the last search -------------------------------------------------------------------------

bool TZelRegExp::Success() const {
    return FImpl->FSuccess;
}

int TZelRegExp::MatchOffset() const {
    return FImpl->FMatchOffset;
}

int TZelRegExp::MatchLength() const {
    return FImpl->FMatchLength;
}

int TZelRegExp::StartMatch() const {
    return FImpl->FOwner.FStartMatch;
}

std::u16string TZelRegExp::RegMark() const {
    const int index = FImpl->FLastRegMarkIndex;
    const auto& names = FImpl->FOwner.FVerbNames;
    return index >= 0 && index < static_cast<int>(names.size())
               ? names[static_cast<std::size_t>(index)]
               : std::u16string();
}

std::u16string TZelRegExp::RegError() const {
    const int index = FImpl->FLastRegErrorIndex;
    const auto& names = FImpl->FOwner.FVerbNames;
    return index >= 0 && index < static_cast<int>(names.size())
               ? names[static_cast<std::size_t>(index)]
               : std::u16string();
}

const TGroupCollection& TZelRegExp::Groups() const {
    return FImpl->FOwner.FGroups;
}

std::u16string TZelRegExp::GroupNameFromIndex(int Index) const {
    return Groups().Items(Index).GroupName();
}

int TZelRegExp::IndexFromGroupName(std::u16string_view Name) const {
    const auto indexes = Groups().EnumIndexOfName(Name);
    for (int index : indexes)
        if (Groups().Items(index).Success())
            return index;
    return indexes.empty() ? -1 : indexes.front();
}

void TZelRegExp::Error(std::u16string_view ErrorMes) {
    throw EZelRegExpRuntime(std::u16string(ErrorMes));
}

// ---- class-level helpers
// -------------------------------------------------------------------------

bool TZelRegExp::RegIsMatch(std::u16string_view ARegExpStr, std::u16string_view AInputStr,
                            TREOptions AOptions) {
    TZelRegExp re;
    re.SetOptions(AOptions);
    re.SetExpression(ARegExpStr);
    re.SetNamedGroupOnly(true);
    return re.Exec(AInputStr);
}

bool TZelRegExp::RegMatch(std::u16string_view ARegExpStr, std::u16string_view AInputStr,
                          std::vector<std::u16string>& AMatches, TREOptions AOptions) {
    TZelRegExp re;
    re.SetOptions(AOptions);
    re.SetExpression(ARegExpStr);
    AMatches.clear();
    if (!re.Exec(AInputStr))
        return false;
    for (int i = 0; i <= re.GroupCount(); ++i)
        AMatches.push_back(re.Groups().Items(i).Strings());
    return true;
}

} // namespace zel
