#include "app/options.h"

#include "core/error.h"
#include "ui/text_lines.h"

#include <array>

namespace zel {

namespace {

struct NamedKey {
    std::u16string_view Name;
    uint32_t Key;
    bool Types; // a key that types something: needs a modifier
};

// The keys by name, as the platform numbers them.
constexpr std::array kNamedKeys{
    NamedKey{u"Space", 0x20, true},        NamedKey{u"Enter", 0x0D, true},
    NamedKey{u"Return", 0x0D, true},       NamedKey{u"Tab", 0x09, true},
    NamedKey{u"Esc", 0x1B, true},          NamedKey{u"Escape", 0x1B, true},
    NamedKey{u"Backspace", 0x08, true},    NamedKey{u"Insert", 0x2D, false},
    NamedKey{u"Ins", 0x2D, false},         NamedKey{u"Delete", 0x2E, true},
    NamedKey{u"Del", 0x2E, true},          NamedKey{u"Home", 0x24, false},
    NamedKey{u"End", 0x23, false},         NamedKey{u"PageUp", 0x21, false},
    NamedKey{u"PgUp", 0x21, false},        NamedKey{u"PageDown", 0x22, false},
    NamedKey{u"PgDn", 0x22, false},        NamedKey{u"Left", 0x25, true},
    NamedKey{u"Up", 0x26, true},           NamedKey{u"Right", 0x27, true},
    NamedKey{u"Down", 0x28, true},         NamedKey{u"Pause", 0x13, false},
    NamedKey{u"PrintScreen", 0x2C, false},
};

// The key of a name, and whether it types something.
std::optional<NamedKey> KeyNamed(std::u16string_view name) {
    if (name.size() == 1) {
        const char16_t c =
            static_cast<char16_t>(name[0] | (name[0] >= u'A' && name[0] <= u'Z' ? 0x20 : 0));
        if (c >= u'a' && c <= u'z')
            return NamedKey{name, static_cast<uint32_t>(c - u'a' + 'A'), true};
        if (c >= u'0' && c <= u'9')
            return NamedKey{name, static_cast<uint32_t>(c), true};
    }
    if (name.size() >= 2 && name.size() <= 3 && (name[0] | 0x20) == u'f') {
        int number = 0;
        for (char16_t c : name.substr(1)) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
            number = number * 10 + (c - u'0');
        }
        if (number >= 1 && number <= 24 && name[1] != u'0')
            return NamedKey{name, static_cast<uint32_t>(0x70 + number - 1), false};
        return std::nullopt;
    }
    for (const NamedKey& key : kNamedKeys)
        if (SameTextIgnoringCase(name, key.Name))
            return key;
    return std::nullopt;
}

std::optional<uint32_t> ModifierNamed(std::u16string_view name) {
    if (SameTextIgnoringCase(name, u"Ctrl") || SameTextIgnoringCase(name, u"Control"))
        return THotKey::kCtrl;
    if (SameTextIgnoringCase(name, u"Alt"))
        return THotKey::kAlt;
    if (SameTextIgnoringCase(name, u"Shift"))
        return THotKey::kShift;
    if (SameTextIgnoringCase(name, u"Win"))
        return THotKey::kWin;
    return std::nullopt;
}

std::optional<bool> ParseSwitch(std::u16string_view text) {
    for (std::u16string_view on : {u"1", u"true", u"yes", u"on"})
        if (SameTextIgnoringCase(text, on))
            return true;
    for (std::u16string_view off : {u"0", u"false", u"no", u"off"})
        if (SameTextIgnoringCase(text, off))
            return false;
    return std::nullopt;
}

} // namespace

std::optional<THotKey> ParseHotKey(std::u16string_view text) {
    THotKey hotKey;
    std::optional<NamedKey> key;
    for (size_t start = 0; start <= text.size();) {
        size_t plus = text.find(u'+', start);
        // A "+" right after another, or at the end, is the plus key itself: not offered.
        const std::u16string_view part =
            TrimBlanks(text.substr(start, plus == std::u16string_view::npos ? plus : plus - start));
        if (key) // the key comes last
            return std::nullopt;
        if (std::optional<uint32_t> modifier = ModifierNamed(part)) {
            if (hotKey.Modifiers & *modifier)
                return std::nullopt;
            hotKey.Modifiers |= *modifier;
        } else if (!(key = KeyNamed(part))) {
            return std::nullopt;
        }
        if (plus == std::u16string_view::npos)
            break;
        start = plus + 1;
    }
    if (!key || (key->Types && (hotKey.Modifiers & ~uint32_t{THotKey::kShift}) == 0))
        return std::nullopt;
    hotKey.Key = key->Key;
    return hotKey;
}

TAppOptions ReadOptions(const SettingsFile& settings, std::vector<TOptionProblem>& problems) {
    TAppOptions options;
    if (std::optional<std::u16string> text = settings.ReadString(kOptionsSection, u"HotKey")) {
        options.HotKey = ParseHotKey(*text);
        options.HotKeyText = *text;
        if (!options.HotKey)
            problems.push_back({u"HotKey", *text});
    }
    const std::pair<std::u16string_view, bool TAppOptions::*> switches[] = {
        {u"PasteOnClick", &TAppOptions::PasteOnClick},
        {u"SearchIgnoreKana", &TAppOptions::SearchIgnoreKana},
        {u"SearchIgnoreWidth", &TAppOptions::SearchIgnoreWidth},
        {u"Escapes", &TAppOptions::Escapes},
        {u"Variables", &TAppOptions::Variables},
    };
    for (const auto& [key, field] : switches) {
        std::optional<std::u16string> text = settings.ReadString(kOptionsSection, key);
        if (!text)
            continue;
        if (std::optional<bool> value = ParseSwitch(*text))
            options.*field = *value;
        else
            problems.push_back({std::u16string(key), *text});
    }
    return options;
}

std::u16string OptionProblemMessage(const TOptionProblem& problem) {
    return FormatText(u"設定ファイルの [Options] にある %s を読み取れません。"
                      u"このオプションは使われません。",
                      problem.Key + u"=" + problem.Value);
}

std::u16string HotKeyTakenMessage(std::u16string_view hotKey) {
    return FormatText(u"ホットキー %s は他のプログラムが使っているため登録できません。"
                      u"ホットキーなしで動作します。",
                      hotKey);
}

} // namespace zel
