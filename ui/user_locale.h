#pragma once
// The user's locale from the system: the short date format, the date, time, decimal and
// thousands separators, and the locale-aware upper- and lower-casing.
#include "ui/locale_data.h"

namespace zel {

LocaleData UserLocaleData();

} // namespace zel
