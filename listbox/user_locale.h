#pragma once
// The user's locale as the search patterns compare numbers and dates: the short date format,
// the date, time, decimal and thousands separators, and the locale-aware upper-casing.
#include "listbox/filter_locale.h"

namespace zel {

FilterLocale UserFilterLocale();

} // namespace zel
