#pragma once
// Names of the POSIX classes as "[:name:]" and "\p{name}" write them.
#include <optional>
#include <string_view>

#include "regex/types.h"

namespace zel {

// Looks a POSIX class name up without regard to ASCII letter case ("alpha", "Alpha").
std::optional<TREPosixClassKind> FindPosixClassName(std::u16string_view name);

} // namespace zel
