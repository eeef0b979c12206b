#include "app/copy_text.h"

#include "app/phrase_list.h"
#include "regex/zelregexp/zel_regexp.h"

namespace zel {

std::u16string CopyTextOf(std::u16string_view line) {
    if (IsHeading(line))
        return {};
    TZelRegExp regex;
    regex.SetExpression(u"\\[.*\\]\\s");
    regex.SetIgnoreCase(true);
    std::u16string text = regex.Replace(line, u"", 0, 1);
    regex.SetExpression(u"\\[.*\\]");
    regex.SetIgnoreCase(true);
    return regex.Replace(text, u"", 0, 1);
}

} // namespace zel
