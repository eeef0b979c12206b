#include "core/error.h"

#include "core/utf8.h"

namespace zel {

Exception::Exception(std::u16string message)
    : std::runtime_error(Utf16ToUtf8(message)), message_(std::move(message)) {}

std::u16string FormatText(std::u16string_view templ, std::u16string_view arg) {
    std::u16string out(templ);
    if (auto at = out.find(u"%s"); at != std::u16string::npos)
        out.replace(at, 2, arg);
    return out;
}

std::u16string FormatText(std::u16string_view templ, std::u16string_view arg1,
                          std::u16string_view arg2) {
    std::u16string out(templ);
    auto at = out.find(u"%s");
    if (at == std::u16string::npos)
        return out;
    out.replace(at, 2, arg1);
    if (auto second = out.find(u"%s", at + arg1.size()); second != std::u16string::npos)
        out.replace(second, 2, arg2);
    return out;
}

std::u16string ListIndexErrorText(int index) {
    std::string digits = std::to_string(index);
    return u"List index out of bounds (" + std::u16string(digits.begin(), digits.end()) + u")";
}

} // namespace zel
