#pragma once
// The settings file beside the program: sections of "key=value" lines, UTF-8 with a
// byte-order mark, CR LF line ends. Portable: bytes in, bytes out; the Win32 side reads and
// writes the file itself.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

class SettingsFile {
public:
    SettingsFile() = default;

    // Strict UTF-8 with or without EF BB BF; throws zel::Exception on invalid bytes.
    static SettingsFile FromBytes(std::string_view bytes);

    // The first section and entry whose names match without regard to letter case count.
    // The text after the entry's "=", or nothing when there is no such entry.
    std::optional<std::u16string> ReadString(std::u16string_view section,
                                             std::u16string_view key) const;
    // A missing entry, an empty value, junk or a number out of range gives the default.
    int ReadInteger(std::u16string_view section, std::u16string_view key, int defaultValue) const;
    // Sets the entry, or adds it at the end of its section (a new section at the end of the
    // file). A value holds one line: it ends before its first line break.
    void WriteString(std::u16string_view section, std::u16string_view key,
                     std::u16string_view value);
    void WriteInteger(std::u16string_view section, std::u16string_view key, int value);

    // The whole file: EF BB BF, then each section line, its entries and one empty line, every
    // line ended by CR LF.
    std::string ToBytes() const;

private:
    struct Section {
        std::u16string name;
        std::vector<std::u16string> lines; // "key=value", or a line without "=" kept as read
    };

    template <class Self>
    static auto* FindSection(Self& self, std::u16string_view name);
    std::vector<Section> sections_;
};

// An integer value as the settings file writes and reads it: optional sign, then decimal
// digits in the signed 32-bit range, or "$", "x", "X", "0x", "0X" and at most eight
// hexadecimal digits taken as a 32-bit pattern. Returns false when the text is not exactly that.
bool ParseSettingsInteger(std::u16string_view text, int& value);

} // namespace zel
