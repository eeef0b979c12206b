#include "app/phrase_list.h"
#include "core/error.h"
#include "core/utf8.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

struct Loaded {
    std::u16string texts;
    std::vector<int> icons;
    int changes = 0;
};

// The items the file's bytes give, texts joined by "|".
Loaded Load(std::string_view bytes) {
    TListBoxItems items;
    Loaded loaded;
    items.OnChange = [&](TObject*) { ++loaded.changes; };
    AddPhraseLines(items, Utf8FileTextToUtf16(bytes));
    for (int i = 0; i < items.Count(); ++i) {
        loaded.texts += (i ? u"|" : u"") + items[i]->Text();
        loaded.icons.push_back(items[i]->ImageIndex());
    }
    return loaded;
}

TEST(PhraseList, LinesAsTheFileHoldsThem) {
    struct Case {
        std::string_view bytes;
        const char16_t* texts;
        size_t count;
    };
    using namespace std::string_view_literals;
    const Case cases[] = {
        {""sv, u"", 0},
        {"\xEF\xBB\xBF"sv, u"", 0},
        {"a\r\n"sv, u"a", 1},
        {"a\n\rb"sv, u"a||b", 3},
        {"a\rb"sv, u"a|b", 2},
        {"  a  \n\nb"sv, u"  a  ||b", 3},
        {"a\nb\0c\nd"sv, u"a|b", 2},
        {"\xEF\xBB\xBF\xE2\x97\x86x"sv, u"◆x", 1},
    };
    for (const Case& c : cases) {
        Loaded loaded = Load(c.bytes);
        EXPECT_EQ(loaded.texts, c.texts);
        EXPECT_EQ(loaded.icons.size(), c.count);
    }
}

TEST(PhraseList, AllLinesAreAddedInOneUpdate) {
    EXPECT_EQ(Load("a\nb\nc\n").changes, 1);
}

TEST(PhraseList, HeadingsMoveToTheNextIcon) {
    using V = std::vector<int>;
    EXPECT_EQ(Load("x\ny\n\xE2\x97\x86"
                   "A\nz\n\xE2\x97\x86"
                   "B\nw")
                  .icons,
              (V{1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(Load("\xE2\x97\x86"
                   "A\nx\n\xE2\x97\x86"
                   "B\ny")
                  .icons,
              (V{1, 1, 2, 2}));
    std::string eleven;
    for (int i = 0; i < 11; ++i)
        eleven += "\xE2\x97\x86\xE2\x97\x86 h\n"; // two marks count once
    EXPECT_EQ(Load(eleven).icons, (V{1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 2}));
    EXPECT_EQ(Load("x\nin the \xE2\x97\x86 middle\n\ny").icons, (V{1, 2, 2, 2}));
}

TEST(PhraseList, InvalidUtf8IsRefused) {
    try {
        Load("\x82\xA0\n"); // "あ" in Shift-JIS
        FAIL() << "no failure";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), kInvalidUtf8Message);
    }
}

TEST(PhraseList, PathsBesideTheProgram) {
    PhraseListPaths paths = PhraseListPathsFor(u"C:\\Tools\\Velmora.exe");
    EXPECT_EQ(paths.List, u"C:\\Tools\\Velmora_LIST.txt");
    EXPECT_EQ(paths.Template, u"C:\\Tools\\Velmora_LIST_tmp.txt");
}

TEST(PhraseList, ItemHeightFollowsTheDisplayDensity) {
    EXPECT_EQ(ItemHeightForDpi(96), 16);
    EXPECT_EQ(ItemHeightForDpi(120), 20);
    EXPECT_EQ(ItemHeightForDpi(144), 24);
    EXPECT_EQ(ItemHeightForDpi(110), 19);
}

TEST(PhraseList, Messages) {
    EXPECT_EQ(TemplateMissingMessage(u"Velmora_LIST_tmp.txt"),
              u"Velmora_LIST_tmp.txt が見つかりません。アプリを終了します。");
    std::u16string edit = EditListMessage();
    EXPECT_EQ(edit.substr(0, 15), u"リストの編集を行います。\n\r\n");
    EXPECT_EQ(std::count(edit.begin(), edit.end(), u'\n'), 9);
    EXPECT_EQ(std::count(edit.begin(), edit.end(), u'\r'), 9);
    EXPECT_EQ(edit.back(), u'。');
    EXPECT_NE(edit.find(u"\n\r【留意事項】\n\r1. 行頭を◆で始めることでアイコンの色が変わります。"),
              std::u16string::npos);
}

} // namespace
} // namespace zel
