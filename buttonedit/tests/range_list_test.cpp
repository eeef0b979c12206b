// Range lists: reading "1-3,5;7", writing runs back, and the bound on what a text may add.
#include "buttonedit/range_list.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace zel {
namespace {

std::vector<int> Values(const TRangeList& list) {
    std::vector<int> values;
    for (int i = 0; i < list.Count(); ++i)
        values.push_back(list.Items(i));
    return values;
}

TEST(RangeList, ReadsValuesAndRuns) {
    struct Case {
        std::u16string text;
        bool valid;
        std::vector<int> values;
    } cases[] = {
        {u"1-3,5;7", true, {1, 2, 3, 5, 7}},
        {u" 4 , 6 ", true, {4, 6}},
        {u"2-2", true, {2}},
        {u"5-3", true, {}},
        {u"1,1,1-2", true, {1, 2}},
        {u"-5--3", true, {-5, -4, -3}},
        {u"-2", true, {-2}},
        {u"1,x,3", false, {1, 3}},
        {u"1-,4", false, {4}},
        {u"1;;2", false, {1, 2}},
        {u"", false, {}},
        {u"99999999999", false, {}},
        {u"1-2-3", false, {}},
    };
    for (const Case& c : cases) {
        TRangeList list;
        EXPECT_EQ(list.StrToList(c.text), c.valid) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(Values(list), c.values) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(RangeList, WritesSortedRuns) {
    TRangeList list;
    for (int v : {7, 1, 2, 3, 5})
        list.Add(v);
    EXPECT_EQ(list.ListToStr(), u"1-3,5,7");
    EXPECT_EQ(Values(list), (std::vector<int>{7, 1, 2, 3, 5})); // the list keeps its order
    list.Sort();
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3, 5, 7}));
    TRangeList edges;
    const int max = std::numeric_limits<int>::max();
    for (int v : {max, -1, max - 1, -2, 0})
        edges.Add(v);
    EXPECT_EQ(edges.ListToStr(), u"-2-0,2147483646-2147483647");
    EXPECT_EQ(TRangeList().ListToStr(), u"");
}

TEST(RangeList, AHugeRunIsRefusedInsteadOfAllocated) {
    TRangeList list;
    EXPECT_FALSE(list.StrToList(u"1-2000000000"));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.StrToList(u"3,-2147483648-2147483647"));
    EXPECT_EQ(Values(list), std::vector<int>{3});
    // Up to the bound a text may go; the part that would pass it is refused.
    EXPECT_TRUE(list.StrToList(u"1-100000"));
    EXPECT_EQ(list.Count(), TRangeList::kMaxCount);
    EXPECT_FALSE(list.StrToList(u"1-100000,100001"));
    EXPECT_EQ(list.Count(), TRangeList::kMaxCount);
    EXPECT_TRUE(list.StrToList(u"1-100000,5-10"));
    EXPECT_FALSE(list.AddMultiple(200000, 1));
    EXPECT_FALSE(list.Add(-1));
    EXPECT_TRUE(list.Add(1));
}

TEST(RangeList, EditsKeepEachValueOnce) {
    TRangeList list;
    EXPECT_TRUE(list.AddMultiple(10, 3));
    EXPECT_TRUE(list.AddMultiple(11, 0));
    EXPECT_FALSE(list.AddMultiple(std::numeric_limits<int>::max(), 2));
    EXPECT_EQ(Values(list), (std::vector<int>{10, 11, 12}));
    list.SetItems(0, 12); // present elsewhere: ignored
    list.SetItems(1, 20);
    EXPECT_EQ(Values(list), (std::vector<int>{10, 20, 12}));
    EXPECT_FALSE(list.InList(11));
    EXPECT_TRUE(list.InList(20));
    list.Delete(0);
    EXPECT_FALSE(list.InList(10));
    EXPECT_EQ(Values(list), (std::vector<int>{20, 12}));
    EXPECT_THROW(list.Delete(5), std::out_of_range);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

} // namespace
} // namespace zel
