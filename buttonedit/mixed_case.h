#pragma once
// The capitalisation of etMixedCase: every word starts upper case and goes on lower case; the
// letter after a leading "Mc" or "Mac", and after the "Mc" that starts the first such word later
// in the text, is upper case; a closing " I" followed by a letter ends in two capitals ("II").
#include "ui/locale_data.h"

#include <string>
#include <string_view>

namespace zel {

// The text re-capitalised in the locale's cases; same length in and out.
std::u16string MixedCase(std::u16string_view Text, const LocaleData& Locale);

} // namespace zel
