#pragma once
// Writes the matches of a pattern as text for table tests: every match found by Exec and
// ExecNext as "[index,length g1 g2 ...]" where a group is "index:length" or "-" when it did not
// take part (1-based positions, as the engine reports them).
#include <string>

#include "regex/zelregexp/zel_regexp.h"

namespace zel::testing {

inline std::string DescribeGroups(const TZelRegExp& re) {
    std::string text = "[" + std::to_string(re.Index()) + "," + std::to_string(re.Length());
    for (int i = 1; i <= re.GroupCount(); ++i) {
        const TGroup& g = re.Groups().Items(i);
        text += g.Success() ? " " + std::to_string(g.Index()) + ":" + std::to_string(g.Length())
                            : std::string(" -");
    }
    return text + "]";
}

inline std::string DescribeMatches(TZelRegExp& re, std::u16string_view subject, int limit = 8) {
    std::string text;
    bool found = re.Exec(subject);
    for (int n = 0; found && n < limit; ++n) {
        text += DescribeGroups(re);
        found = re.ExecNext();
    }
    return text;
}

} // namespace zel::testing
