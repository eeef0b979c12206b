#pragma once
// zelgrep: the regex engine on the command line. RunGrep takes the arguments (UTF-16) and the
// three streams, so that the entry points of each platform stay thin and tests can drive it.
#include <iosfwd>
#include <string>
#include <vector>

namespace zel {

// Exit status: 0 a line was selected, 1 none was, 2 an error (its message on err; with -q a
// selected line still gives 0). outIsTerminal: --color=auto colours.
int RunGrep(const std::vector<std::u16string>& args, std::istream& in, std::ostream& out,
            std::ostream& err, bool outIsTerminal = false);

} // namespace zel
