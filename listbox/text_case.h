#pragma once
// Upper-casing as the user's locale does it: the platform's service, handed to the portable
// search code (the Windows implementation asks the system, tests use a plain one).
#include <string>
#include <string_view>

namespace zel {

class TextCase {
public:
    virtual ~TextCase() = default;
    virtual std::u16string Upper(std::u16string_view text) const = 0;
};

// Basic Latin only: for tests and as the portable default.
class AsciiTextCase : public TextCase {
public:
    std::u16string Upper(std::u16string_view text) const override;
};

} // namespace zel
