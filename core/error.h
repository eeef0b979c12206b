#pragma once
// The one base of every failure the system raises. The message is the system's own text
// (UTF-16), shown as it stands by the application's general error report.
#include <stdexcept>
#include <string>

namespace zel {

class Exception : public std::runtime_error {
public:
    explicit Exception(std::u16string message);
    const std::u16string& Message() const noexcept { return message_; }

private:
    std::u16string message_;
};

// Replaces the first "%s" of a message template with an argument, as the system's messages do.
std::u16string FormatText(std::u16string_view templ, std::u16string_view arg);
std::u16string FormatText(std::u16string_view templ, std::u16string_view arg1,
                          std::u16string_view arg2);

// The failure text of an index outside a list or collection.
std::u16string ListIndexErrorText(int index);

} // namespace zel
