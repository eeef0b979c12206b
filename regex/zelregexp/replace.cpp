// Substitute, Replace and Split on top of the search, and their class-level forms.
#include "regex/zelregexp/zel_regexp.h"
#include "regex/zelregexp/zel_regexp_impl.h"

namespace zel {

namespace {

std::u16string_view Between(const char16_t* from, const char16_t* to) {
    return from < to ? std::u16string_view(from, static_cast<std::size_t>(to - from))
                     : std::u16string_view();
}

// Clears the replace function and the handler on every way out of Replace with a function.
class TReplaceFuncScope {
public:
    TReplaceFuncScope(TZelRegExpReplaceFunction& func, TZelRegExpReplaceEvent& event)
        : FFunc(func), FEvent(event) {}
    ~TReplaceFuncScope() {
        FFunc = nullptr;
        FEvent = nullptr;
    }
    TReplaceFuncScope(const TReplaceFuncScope&) = delete;
    TReplaceFuncScope& operator=(const TReplaceFuncScope&) = delete;

private:
    TZelRegExpReplaceFunction& FFunc;
    TZelRegExpReplaceEvent& FEvent;
};

} // namespace

std::u16string TZelRegExp::Substitute(std::u16string_view ATemplate) {
    if (ATemplate.empty() || !Success())
        return {};
    const auto& groups = Groups();
    const TGroup& whole = groups.Items(0);
    const std::u16string& subject = InputString();
    const char16_t* top = subject.data();
    std::u16string result;
    for (std::size_t i = 0; i < ATemplate.size(); ++i) {
        const char16_t c = ATemplate[i];
        if (c != u'$' || i + 1 >= ATemplate.size()) {
            result += c; // a "$" at the very end stays as it is
            continue;
        }
        const char16_t d = ATemplate[++i];
        if (d >= u'0' && d <= u'9') {
            const int n = d - u'0';
            if (n <= GroupCount())
                result += groups.Items(n).Strings();
        } else if (d == u'{') {
            const std::size_t close = ATemplate.find(u'}', i + 1);
            const std::size_t stop = close == std::u16string_view::npos ? ATemplate.size() : close;
            const std::u16string_view name = ATemplate.substr(i + 1, stop - i - 1);
            if (groups.IndexOfName(name) != -1)
                result += groups.Names(name).Strings();
            i = close == std::u16string_view::npos ? ATemplate.size() : close;
        } else if (d == u'&') {
            result += whole.Strings();
        } else if (d == u'`') {
            result += Between(top, whole.FStartP);
        } else if (d == u'\'') {
            result += Between(whole.FEndP, top + subject.size());
        } else if (d == u'_') {
            result += subject;
        } else if (d == u'+') {
            for (int n = GroupCount(); n >= 1; --n)
                if (groups.Items(n).Index() > 0) {
                    result += groups.Items(n).Strings();
                    break;
                }
        } else {
            result += d; // "$$" gives "$", "$x" gives "x"
        }
    }
    return result;
}

std::u16string TZelRegExp::Replace(std::u16string_view Input, std::u16string_view Replacement,
                                   int Count, int AOffset) {
    const std::u16string input(Input); // Input may view the current subject
    SetInputString(input);
    const std::u16string templ = DecodeEscape(Replacement);
    std::u16string result;
    std::size_t last = 0;
    int n = 0;
    if (ExecPos(AOffset, 0)) {
        do {
            const TGroup& whole = Groups().Items(0);
            if (whole.Length() == 0)
                continue;
            if (Count > 0 && ++n > Count)
                break;
            std::u16string with = Substitute(templ);
            if (OnReplace)
                OnReplace(*this, with);
            const auto start = static_cast<std::size_t>(whole.Index() - 1);
            result.append(input, last, start - last);
            result += with;
            last = start + static_cast<std::size_t>(whole.Length());
        } while (ExecNext());
    }
    result.append(input, last, std::u16string::npos);
    return result;
}

std::u16string TZelRegExp::Replace(std::u16string_view Input,
                                   const TZelRegExpReplaceFunction& AReplaceFunc, int Count,
                                   int AOffset) {
    TReplaceFuncScope scope(FImpl->FReplaceFunc, OnReplace);
    FImpl->FReplaceFunc = AReplaceFunc;
    OnReplace = [this](TZelRegExp&, std::u16string& ReplaceWith) {
        if (FImpl->FReplaceFunc)
            ReplaceWith = FImpl->FReplaceFunc(*this);
    };
    return Replace(Input, std::u16string_view(), Count, AOffset);
}

void TZelRegExp::Split(std::u16string_view Input, std::vector<std::u16string>& APieces, int Count,
                       int AOffset) {
    APieces.clear();
    const std::u16string input(Input);
    SetInputString(input);
    if (!ExecPos(AOffset, 0))
        return;
    std::size_t last = 0;
    int k = 0;
    do {
        const TGroup& whole = Groups().Items(0);
        if (whole.Length() == 0)
            continue;
        const auto start = static_cast<std::size_t>(whole.Index() - 1);
        APieces.push_back(input.substr(last, start - last));
        last = start + static_cast<std::size_t>(whole.Length());
        if (Count > 0 && ++k >= Count - 1)
            break;
    } while (ExecNext());
    APieces.push_back(input.substr(last));
}

void TZelRegExp::RegSplit(std::u16string_view ARegExpStr, std::u16string_view AInputStr,
                          std::vector<std::u16string>& APieces, TREOptions AOptions) {
    TZelRegExp re(ARegExpStr, AOptions);
    APieces.clear();
    re.Split(AInputStr, APieces, 0, 1);
}

std::u16string TZelRegExp::RegReplace(std::u16string_view ARegExpStr, std::u16string_view AInputStr,
                                      std::u16string_view AReplaceStr, TREOptions AOptions) {
    TZelRegExp re(ARegExpStr, AOptions);
    return re.Replace(AInputStr, AReplaceStr, 0, 1);
}

std::u16string TZelRegExp::RegReplace(std::u16string_view ARegExpStr, std::u16string_view AInputStr,
                                      const TZelRegExpReplaceFunction& AReplaceFunc,
                                      TREOptions AOptions) {
    TZelRegExp re(ARegExpStr, AOptions);
    return re.Replace(AInputStr, AReplaceFunc, 0, 1);
}

} // namespace zel
