#pragma once
// What a TZelRegExp owns: the owner context its codes read, the compiled NFA, the matcher and
// the state of the current subject and search. Shared by the object's source files only.
#include <string>

#include "regex/compile/owner.h"
#include "regex/match/match_engine.h"
#include "regex/match/nfa.h"
#include "regex/zelregexp/zel_regexp.h"

namespace zel {

struct TZelRegExp::TImpl {
    TREOwner FOwner;
    TRENFAProgram FProgram;
    TREMatchEngine FMatchEngine{FOwner, FProgram};
    std::u16string FInputString;
    bool FCompiled = false;
    bool FModified = false;
    bool FSuccess = false;
    bool FHasSubject = false;
    const char16_t* FMatchStartP = nullptr;
    const char16_t* FGlobalStartP = nullptr;
    const char16_t* FGlobalEndP = nullptr;
    int FMatchOffset = 1;
    int FMatchLength = 0;
    int FLastRegMarkIndex = -1;
    int FLastRegErrorIndex = -1;
    TZelRegExpReplaceFunction FReplaceFunc;
};

} // namespace zel
