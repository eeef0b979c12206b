// The options of the settings file's "Options" section: what reads, and what is reported.
#include "app/options.h"

#include <gtest/gtest.h>

#include <string>

namespace zel {
namespace {

SettingsFile Settings(const std::string& options) {
    return SettingsFile::FromBytes("[System]\r\nForm1Top2=1\r\n\r\n[Options]\r\n" + options);
}

TEST(Options, HotKeysByName) {
    struct Case {
        std::u16string_view text;
        uint32_t modifiers, key;
    } good[] = {
        {u"Ctrl+Alt+V", THotKey::kCtrl | THotKey::kAlt, 'V'},
        {u"win+shift+space", THotKey::kWin | THotKey::kShift, 0x20},
        {u" Control + F ", THotKey::kCtrl, 'F'},
        {u"F12", 0, 0x7B},
        {u"Shift+F1", THotKey::kShift, 0x70},
        {u"Ctrl+F24", THotKey::kCtrl, 0x87},
        {u"Alt+PageDown", THotKey::kAlt, 0x22},
        {u"Ctrl+Shift+9", THotKey::kCtrl | THotKey::kShift, '9'},
        {u"Win+Enter", THotKey::kWin, 0x0D},
    };
    for (const Case& c : good) {
        const std::optional<THotKey> key = ParseHotKey(c.text);
        ASSERT_TRUE(key) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(*key, (THotKey{c.modifiers, c.key}));
    }
    // Typing keys need a modifier that is not Shift; nothing unknown, doubled or missing.
    for (std::u16string_view bad :
         {u"V", u"Shift+V", u"Space", u"Ctrl+", u"Ctrl++", u"Ctrl", u"Ctrl+Ctrl+V", u"Ctrl+V+Alt",
          u"Ctrl+Alt+VV", u"Hyper+V", u"F0", u"F25", u"F01", u"", u"Ctrl+ +V"})
        EXPECT_FALSE(ParseHotKey(bad)) << std::string(bad.begin(), bad.end());
}

TEST(Options, EachIsOffUnlessSetAndBadValuesAreReported) {
    std::vector<TOptionProblem> problems;
    TAppOptions none =
        ReadOptions(SettingsFile::FromBytes("[System]\r\nForm1Top2=1\r\n"), problems);
    EXPECT_FALSE(none.HotKey || none.PasteOnClick || none.SearchIgnoreKana ||
                 none.SearchIgnoreWidth || none.Escapes || none.Variables);
    EXPECT_TRUE(problems.empty());

    TAppOptions all = ReadOptions(Settings("hotkey=Ctrl+Alt+V\r\nPasteOnClick=1\r\n"
                                           "SearchIgnoreKana=TRUE\r\nSearchIgnoreWidth=yes\r\n"
                                           "Escapes=on\r\nVariables=1\r\n"),
                                  problems);
    EXPECT_EQ(all.HotKey, (THotKey{THotKey::kCtrl | THotKey::kAlt, 'V'}));
    EXPECT_EQ(all.HotKeyText, u"Ctrl+Alt+V");
    EXPECT_TRUE(all.PasteOnClick && all.SearchIgnoreKana && all.SearchIgnoreWidth && all.Escapes &&
                all.Variables);
    EXPECT_TRUE(problems.empty());

    TAppOptions bad = ReadOptions(
        Settings("HotKey=Ctrl+Q+\r\nPasteOnClick=2\r\nEscapes=0\r\nVariables=\r\n"), problems);
    EXPECT_FALSE(bad.HotKey || bad.PasteOnClick || bad.Escapes || bad.Variables);
    EXPECT_EQ(problems,
              (std::vector<TOptionProblem>{
                  {u"HotKey", u"Ctrl+Q+"}, {u"PasteOnClick", u"2"}, {u"Variables", u""}}));
    EXPECT_EQ(OptionProblemMessage(problems[1]),
              u"設定ファイルの [Options] にある PasteOnClick=2 を読み取れません。"
              u"このオプションは使われません。");
}

} // namespace
} // namespace zel
