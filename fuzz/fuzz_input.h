#pragma once
// What the fuzz cases share: reading an input as a few option bytes and a text, and printing a
// text as a C++ literal for a paste-ready reproduction.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zel::fuzz {

// Takes option bytes off the front of an input; past its end every byte reads as 0.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return size_ > 0 ? (--size_, *data_++) : 0; }
    std::uint16_t Bits16() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }
    std::size_t Remaining() const { return size_; }
    std::string_view Bytes() const { return {reinterpret_cast<const char*>(data_), size_}; }
    // The rest as UTF-16: below 0xF0 a byte is its own unit; 0xF0 to 0xFF pick one of
    // `special` (surrogates, marks and other units a byte cannot spell).
    std::u16string Units(std::u16string_view special) const;

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// u"..." with every unit outside printable ASCII written as \xXXXX.
std::string CppLiteral(std::u16string_view text);

// Ends the run when a check fails, naming it and printing the input as a literal.
void CheckInput(bool holds, const char* what, std::string_view input);

// True when the environment asks for each case to be printed (ZEL_FUZZ_PRINT).
bool PrintCases();

} // namespace zel::fuzz
