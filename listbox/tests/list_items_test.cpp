#include "core/error.h"
#include "listbox/int_list.h"
#include "listbox/list_items.h"
#include "listbox/version.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

struct CountingItems : ::testing::Test {
    TListBoxItems items;
    int changes = 0;
    void SetUp() override {
        items.OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, &items);
            ++changes;
        };
    }
    void AddTexts(std::initializer_list<const char16_t*> texts) {
        for (const char16_t* text : texts)
            items.Add()->SetText(text);
        changes = 0;
    }
    std::u16string Texts() const {
        std::u16string all;
        for (int i = 0; i < items.Count(); ++i)
            all += (i ? u"," : u"") + items[i]->Text();
        return all;
    }
};

std::u16string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return u"(no failure)";
}

TEST_F(CountingItems, NewItemDefaultsAndStoringValuesNotifiesNothing) {
    TListBoxItem* item = items.Add();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(item->ImageIndex(), -1);
    EXPECT_EQ(item->Tag(), 0);
    EXPECT_FALSE(item->Checked());
    EXPECT_FALSE(item->HasCheckBox());
    EXPECT_EQ(item->ItemObject(), nullptr);
    EXPECT_EQ(item->Text(), u"");
    item->SetText(u"a");
    item->SetImageIndex(3);
    item->SetChecked(true);
    item->SetTag(7);
    EXPECT_EQ(changes, 1);
}

TEST_F(CountingItems, StructuralChangesNotifyOncePerOutermostBracket) {
    items.BeginUpdate();
    items.BeginUpdate();
    for (int i = 0; i < 100; ++i)
        items.Add();
    items.Delete(0);
    items.Insert(5);
    items.EndUpdate();
    EXPECT_EQ(changes, 0);
    items.EndUpdate();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(items.Count(), 100);

    items.Insert(0);
    items.Delete(0);
    items.Clear();
    EXPECT_EQ(changes, 4);
    items.Clear(); // already empty: nothing changes
    EXPECT_EQ(changes, 4);
}

TEST_F(CountingItems, WithinUpdateClosesTheBracketWhenTheChangeFails) {
    EXPECT_THROW(WithinUpdate(items,
                              [&] {
                                  items.Add();
                                  items.Delete(5);
                              }),
                 Exception);
    EXPECT_EQ(items.UpdateCount(), 0);
    EXPECT_EQ(changes, 1);
}

TEST_F(CountingItems, IndexOfIsExactAndCaseSensitive) {
    AddTexts({u"Alpha", u"beta", u"Beta"});
    EXPECT_EQ(items.IndexOf(u"Beta"), 2);
    EXPECT_EQ(items.IndexOf(u"beta"), 1);
    EXPECT_EQ(items.IndexOf(u"ALPHA"), -1);
    EXPECT_EQ(items.IndexOf(u"Alph"), -1);
}

TEST_F(CountingItems, MoveRecreatesTheItemWithAllItsValuesAndNotifiesOnce) {
    AddTexts({u"A", u"B", u"C"});
    TObject referenced;
    TListBoxItem* a = items[0];
    a->SetTag(11);
    a->SetImageIndex(4);
    a->SetChecked(true);
    a->SetHasCheckBox(true);
    a->SetItemObject(&referenced);
    items.Move(0, 2);
    EXPECT_EQ(Texts(), u"B,C,A");
    EXPECT_EQ(changes, 1);
    TListBoxItem* moved = items[2];
    EXPECT_EQ(moved->Tag(), 11);
    EXPECT_EQ(moved->ImageIndex(), 4);
    EXPECT_TRUE(moved->Checked());
    EXPECT_TRUE(moved->HasCheckBox());
    EXPECT_EQ(moved->ItemObject(), &referenced);
}

TEST_F(CountingItems, FailedMovesLeaveTheCollectionUnchanged) {
    AddTexts({u"A", u"B", u"C"});
    EXPECT_EQ(ErrorOf([&] { items.Move(3, 0); }), u"Invalid item index");
    EXPECT_EQ(ErrorOf([&] { items.Move(0, 3); }), u"Invalid item index");
    EXPECT_EQ(ErrorOf([&] { items.Move(-1, 0); }), u"List index out of bounds (-1)");
    EXPECT_EQ(ErrorOf([&] { items.Move(0, -1); }), u"List index out of bounds (-1)");
    EXPECT_EQ(Texts(), u"A,B,C");
    EXPECT_EQ(changes, 0);
}

TEST_F(CountingItems, IndexErrorsOutsideTheCollection) {
    AddTexts({u"A"});
    EXPECT_EQ(ErrorOf([&] { items.GetItems(1); }), u"List index out of bounds (1)");
    EXPECT_EQ(ErrorOf([&] { items.GetItems(-1); }), u"List index out of bounds (-1)");
    EXPECT_EQ(ErrorOf([&] { items.Delete(1); }), u"List index out of bounds (1)");
    EXPECT_EQ(ErrorOf([&] { items.Insert(2); }), u"List index out of bounds (2)");
    items.Insert(1)->SetText(u"end");
    EXPECT_EQ(Texts(), u"A,end");
}

TEST_F(CountingItems, AssigningCopiesItemValuesAndIgnoresOtherObjects) {
    AddTexts({u"A", u"B"});
    items[1]->SetImageIndex(2);
    items[1]->SetFilterIndex(9);
    TObject other;
    items.SetItems(0, &other);
    EXPECT_EQ(items[0]->Text(), u"A");
    EXPECT_EQ(items[0]->ImageIndex(), -1);
    items.SetItems(0, items[1]);
    EXPECT_EQ(items[0]->Text(), u"B");
    EXPECT_EQ(items[0]->ImageIndex(), 2);
    EXPECT_EQ(items[0]->FilterIndex(), 0); // the filter state is not a user value
    EXPECT_EQ(changes, 0);
}

TEST(IntList, ChangesRaiseOnChangeExceptInsert) {
    TIntList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.Add(5);
    list.Add(7);
    list.Insert(0, 3);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(list.StrValue(), u"3,5,7");
    list.SetInteger(1, -6);
    list.Delete(0);
    EXPECT_EQ(changes, 4);
    EXPECT_TRUE(list.HasValue(-6));
    list.DeleteValue(42);
    EXPECT_EQ(changes, 4);
    list.DeleteValue(-6);
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(list.StrValue(), u"7");
    EXPECT_EQ(ErrorOf([&] { list.GetInteger(1); }), u"List index out of bounds (1)");
}

TEST(IntList, StrValueReadsCommaText) {
    TIntList list;
    EXPECT_EQ(list.StrValue(), u"");
    list.SetStrValue(u"  1, 2 3,\"4\",$10,-0x2");
    EXPECT_EQ(list.StrValue(), u"1,2,3,4,16,-2");
    EXPECT_EQ(ErrorOf([&] { list.SetStrValue(u"1,x"); }), u"'x' is not a valid integer value");
    EXPECT_EQ(ErrorOf([&] { list.SetStrValue(u"1,"); }), u"'' is not a valid integer value");
}

TEST(CommaText, SplitsAsTheFrameworkReader) {
    using V = std::vector<std::u16string>;
    EXPECT_EQ(SplitCommaText(u""), V{});
    EXPECT_EQ(SplitCommaText(u"a,,b"), (V{u"a", u"", u"b"}));
    EXPECT_EQ(SplitCommaText(u"\"a b\" c"), (V{u"a b", u"c"}));
    EXPECT_EQ(SplitCommaText(u"\"say \"\"hi\"\"\",x"), (V{u"say \"hi\"", u"x"}));
    EXPECT_EQ(SplitCommaText(u"a,"), (V{u"a", u""}));
    EXPECT_EQ(SplitCommaText(std::u16string_view(u"a\0b", 3)), V{u"a"});
}

TEST(Version, ReadsAsFourDecimalBytes) {
    EXPECT_EQ(VersionText(GetVersionNr()), u"1.1.5.1");
}

} // namespace
} // namespace zel
