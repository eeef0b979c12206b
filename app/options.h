#pragma once
// The program's optional abilities, read from the section "Options" of the settings file.
// Each is off when its entry is absent; the program never writes them. A value that cannot be
// read leaves its option off and is reported once, naming the key and the value.
#include "ui/settings_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

// A system-wide key combination: modifier flags as the platform numbers them (Alt 1, Ctrl 2,
// Shift 4, Win 8) and the virtual key.
struct THotKey {
    enum : uint32_t { kAlt = 1, kCtrl = 2, kShift = 4, kWin = 8 };
    uint32_t Modifiers = 0;
    uint32_t Key = 0;
    bool operator==(const THotKey&) const = default;
};

// "Ctrl+Alt+V", "Win+Shift+Space", "Ctrl+F12": modifiers and one key, joined by "+", letters
// in any case. Letters, digits, space and the keys that type something need a modifier other
// than Shift, so that the hotkey never takes typing away from other programs.
std::optional<THotKey> ParseHotKey(std::u16string_view text);

struct TAppOptions {
    std::optional<THotKey> HotKey;
    std::u16string HotKeyText; // as written, for messages
    bool PasteOnClick = false;
    bool SearchIgnoreKana = false;
    bool SearchIgnoreWidth = false;
    bool Escapes = false;
    bool Variables = false;
};

struct TOptionProblem {
    std::u16string Key;
    std::u16string Value;
    bool operator==(const TOptionProblem&) const = default;
};

inline constexpr std::u16string_view kOptionsSection = u"Options";

// Reads the options; every entry that cannot be read goes to problems.
TAppOptions ReadOptions(const SettingsFile& settings, std::vector<TOptionProblem>& problems);

// The messages of the options, in the program's language.
std::u16string OptionProblemMessage(const TOptionProblem& problem);
std::u16string HotKeyTakenMessage(std::u16string_view hotKey);

} // namespace zel
