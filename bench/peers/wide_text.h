#pragma once
// The engines that read wchar_t get the corpus and the pattern in the same wide form.
#include <string>
#include <string_view>

namespace zel::bench {

std::wstring WideText(std::u16string_view text);

} // namespace zel::bench
