#include "core/error.h"
#include "core/utf8.h"
#include "ui/settings_file.h"
#include "ui/text_lines.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

TEST(SettingsInteger, ReadsTheFormsTheFileMayHold) {
    struct Case {
        const char16_t* value;
        bool ok;
        int expected;
    } cases[] = {
        {u"12", true, 12},
        {u"+7", true, 7},
        {u"-16", true, -16},
        {u"0x20", true, 32},
        {u"0X20", true, 32},
        {u"x20", true, 32},
        {u"X1f", true, 31},
        {u"$10", true, 16},
        {u"-$10", true, -16},
        {u"$FFFFFFFF", true, -1},
        {u"$80000000", true, INT32_MIN},
        {u"2147483647", true, INT32_MAX},
        {u"-2147483648", true, INT32_MIN},
        {u"2147483648", false, 0},
        {u"-2147483649", false, 0},
        {u"$123456789", false, 0},
        {u"", false, 0},
        {u"-", false, 0},
        {u"$", false, 0},
        {u"0x", false, 0},
        {u"12px", false, 0},
        {u"1 2", false, 0},
        {u"--1", false, 0},
        {u"１２", false, 0},
    };
    for (const auto& c : cases) {
        int value = 0;
        EXPECT_EQ(ParseSettingsInteger(c.value, value), c.ok) << Utf16ToUtf8(c.value);
        if (c.ok) {
            EXPECT_EQ(value, c.expected) << Utf16ToUtf8(c.value);
        }
    }
}

TEST(SettingsFile, ReadsEntriesWithDefaultsForMissingAndJunk) {
    auto file = SettingsFile::FromBytes("[System]\r\nForm1Top2=0x20\r\nForm1Left2=12px\r\n"
                                        "Form1ClientWidth2=\r\n  form1clientheight2 =  300 \n");
    EXPECT_EQ(file.ReadInteger(u"System", u"Form1Top2", 7), 32);
    EXPECT_EQ(file.ReadInteger(u"System", u"Form1Left2", 7), 7);
    EXPECT_EQ(file.ReadInteger(u"System", u"Form1ClientWidth2", 372), 372);
    EXPECT_EQ(file.ReadInteger(u"SYSTEM", u"Form1ClientHeight2", 320), 300);
    EXPECT_EQ(file.ReadInteger(u"Other", u"Form1Top2", 5), 5);
    EXPECT_EQ(file.ReadInteger(u"System", u"Missing", -3), -3);
}

TEST(SettingsFile, FirstMatchingSectionAndKeyCount) {
    auto file = SettingsFile::FromBytes(
        "Form1Top2=99\r\n[system]\r\nA=1\r\nA=2\r\n[System]\r\nA=3\r\nB=4\r\n");
    EXPECT_EQ(file.ReadInteger(u"System", u"A", 0), 1);
    EXPECT_EQ(file.ReadInteger(u"System", u"B", 0), 0) << "B lives only in the second section";
    EXPECT_EQ(file.ReadInteger(u"System", u"Form1Top2", 0), 0) << "lines before a section drop";
}

TEST(SettingsFile, WritesNewFileByteExact) {
    SettingsFile file;
    file.WriteInteger(u"System", u"Form1Top2", 10);
    file.WriteInteger(u"System", u"Form1Left2", -20);
    file.WriteInteger(u"System", u"Form1ClientWidth2", 372);
    file.WriteInteger(u"System", u"Form1ClientHeight2", 320);
    EXPECT_EQ(file.ToBytes(), kBom + "[System]\r\nForm1Top2=10\r\nForm1Left2=-20\r\n"
                                     "Form1ClientWidth2=372\r\nForm1ClientHeight2=320\r\n\r\n");
}

TEST(SettingsFile, RewriteKeepsForeignSectionsDropsCommentsAndRespellsKeys) {
    auto file = SettingsFile::FromBytes(kBom + "; comment\r\n[Other]\r\n x = y \r\nflag\r\n\r\n"
                                               "[System]\r\nform1top2=5\r\nExtra=1\r\n");
    EXPECT_EQ(file.ReadInteger(u"System", u"Form1Top2", 0), 5);
    file.WriteInteger(u"System", u"Form1Top2", 6);
    file.WriteInteger(u"System", u"Form1Left2", 7);
    file.WriteInteger(u"New", u"K", 1);
    EXPECT_EQ(file.ToBytes(), kBom + "[Other]\r\nx=y\r\nflag\r\n\r\n"
                                     "[System]\r\nForm1Top2=6\r\nExtra=1\r\nForm1Left2=7\r\n\r\n"
                                     "[New]\r\nK=1\r\n\r\n");
}

TEST(SettingsFile, StringsReplaceTheirEntryAndKeepOneLine) {
    auto file = SettingsFile::FromBytes(kBom + "[Edits]\r\nname=old\r\nOther=x\r\n");
    file.WriteString(u"Edits", u"Name", u"new value");
    file.WriteString(u"Edits", u"Added", u"first\r\n[Injected]\r\nkey=1");
    file.WriteString(u"More", u"Empty", u"");
    EXPECT_EQ(file.ReadString(u"Edits", u"name"), u"new value");
    EXPECT_EQ(file.ReadString(u"Injected", u"key"), std::nullopt);
    EXPECT_EQ(file.ToBytes(), kBom + "[Edits]\r\nName=new value\r\nOther=x\r\nAdded=first\r\n\r\n"
                                     "[More]\r\nEmpty=\r\n\r\n");
}

TEST(SettingsFile, RejectsInvalidUtf8AndAcceptsMissingBom) {
    EXPECT_THROW(SettingsFile::FromBytes("[System]\r\nA=\x82\xA0\r\n"), Exception);
    EXPECT_EQ(SettingsFile::FromBytes("[System]\nA=1").ReadInteger(u"System", u"A", 0), 1);
    EXPECT_EQ(SettingsFile::FromBytes("").ToBytes(), kBom);
}

TEST(SplitLines, FollowsThePhraseListRules) {
    using V = std::vector<std::u16string>;
    EXPECT_EQ(SplitLines(u""), V{});
    EXPECT_EQ(SplitLines(u"a\r\n"), V{u"a"});
    EXPECT_EQ(SplitLines(u"a\n\rb"), (V{u"a", u"", u"b"}));
    EXPECT_EQ(SplitLines(u"a\rb"), (V{u"a", u"b"}));
    EXPECT_EQ(SplitLines(u"a\r\n\r\n"), (V{u"a", u""}));
    EXPECT_EQ(SplitLines(std::u16string_view(u"x\ny\0z\nw", 7)), (V{u"x", u"y"}));
    EXPECT_EQ(SplitLines(u"  a  \n\n"), (V{u"  a  ", u""}));
}

} // namespace
} // namespace zel
