#include "listbox/list_model.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

// Seven items "0".."6"; a filter result that matched items 2 and 5.
struct FilteredModel : ::testing::Test {
    FilterListModel model;
    void SetUp() override {
        WithinUpdate(model.Items(), [&] {
            for (char16_t c = u'0'; c < u'7'; ++c)
                model.Items().Add()->SetText(std::u16string(1, c));
        });
    }
    void Filter(std::initializer_list<int> indexes) {
        model.FilterIndexes().Clear();
        for (int index : indexes)
            model.FilterIndexes().Add(index);
        model.SetFilterItems(static_cast<int>(indexes.size()));
        model.SetFilterActive(true);
    }
};

TEST_F(FilteredModel, UnfilteredRowsAreItems) {
    EXPECT_EQ(model.ItemCount(), 7);
    EXPECT_EQ(model.GetItem(3)->Text(), u"3");
    EXPECT_EQ(model.ItemIndexOfRow(6), 6);
    EXPECT_EQ(model.GetItem(7), nullptr);
    EXPECT_EQ(model.GetItem(-1), nullptr);
    EXPECT_EQ(model.ItemIndexOfRow(-1), -1);
}

TEST_F(FilteredModel, FilteredRowsMapToTheWholeCollection) {
    Filter({2, 5});
    EXPECT_EQ(model.ItemCount(), 2);
    EXPECT_EQ(model.ItemIndexOfRow(1), 5);
    EXPECT_EQ(model.Items()[model.ItemIndexOfRow(1)]->Text(), u"5");
    EXPECT_EQ(model.GetItem(0)->Text(), u"2");
    EXPECT_EQ(model.GetItem(2), nullptr);
    EXPECT_EQ(model.ItemIndexOfRow(-1), -1);
}

TEST_F(FilteredModel, StaleFilterEntriesPastTheItemsShowNoItem) {
    Filter({2, 5});
    model.Items().Delete(6);
    model.Items().Delete(5); // the reload shrank the list; the filter result is not renewed
    EXPECT_EQ(model.ItemCount(), 2);
    EXPECT_EQ(model.GetItem(0)->Text(), u"2");
    EXPECT_EQ(model.GetItem(1), nullptr);
    EXPECT_EQ(model.ItemIndexOfRow(1), -1);
}

} // namespace
} // namespace zel
