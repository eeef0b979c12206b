// The option objects of the search and insert fields: events only on a change, none on Assign.
#include "listbox/search_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zel {
namespace {

TEST(SearchOptions, DefaultsAndEventsOnlyOnAChange) {
    TSearchOptions options;
    EXPECT_EQ(options.Style(), TSearchStyle::ssFilter);
    EXPECT_TRUE(options.Visible());
    EXPECT_TRUE(options.ShowFind());
    EXPECT_TRUE(options.Flat());
    EXPECT_FALSE(options.AutoFind());
    EXPECT_EQ(options.FilterMethod(), TFilterMethod::fmStartsWith);
    EXPECT_EQ(options.Position(), TInputPosition::ipTop);
    std::vector<std::string> raised;
    options.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &options);
        raised.push_back("change");
    };
    options.OnAlignmentChange = [&](TObject*) { raised.push_back("alignment"); };
    options.SetVisible(true);
    options.SetStyle(TSearchStyle::ssFilter);
    options.SetTextHint(u"");
    EXPECT_TRUE(raised.empty());
    options.SetStyle(TSearchStyle::ssGoto);
    options.SetTextHint(u"find");
    options.SetTextHint(u"find");
    options.SetPosition(TInputPosition::ipBottom);
    // Stored only.
    options.SetAutoFind(true);
    options.SetFilterMethod(TFilterMethod::fmContains);
    options.SetCaseSensitive(true);
    EXPECT_EQ(raised, (std::vector<std::string>{"change", "change", "alignment"}));
}

TEST(SearchOptions, AssignCopiesEveryValueAndRaisesNothing) {
    TSearchOptions source;
    source.SetStyle(TSearchStyle::ssHighlight);
    source.SetShowClose(true);
    source.SetAutoFind(true);
    source.SetShowFind(false);
    source.SetVisible(false);
    source.SetHintFind(u"find");
    source.SetHintClose(u"close");
    source.SetFilterMethod(TFilterMethod::fmContains);
    source.SetEditColor(0x123456);
    source.SetCaseSensitive(true);
    source.SetPosition(TInputPosition::ipBottom);
    source.SetTextHint(u"hint");
    source.SetFlat(false);
    TSearchOptions target;
    int raised = 0;
    target.OnChange = [&](TObject*) { ++raised; };
    target.OnAlignmentChange = [&](TObject*) { ++raised; };
    target.Assign(&source);
    EXPECT_EQ(raised, 0);
    EXPECT_EQ(target.Style(), TSearchStyle::ssHighlight);
    EXPECT_TRUE(target.ShowClose());
    EXPECT_TRUE(target.AutoFind());
    EXPECT_FALSE(target.ShowFind());
    EXPECT_FALSE(target.Visible());
    EXPECT_EQ(target.HintFind(), u"find");
    EXPECT_EQ(target.HintClose(), u"close");
    EXPECT_EQ(target.FilterMethod(), TFilterMethod::fmContains);
    EXPECT_EQ(target.EditColor(), Color(0x123456));
    EXPECT_TRUE(target.CaseSensitive());
    EXPECT_EQ(target.Position(), TInputPosition::ipBottom);
    EXPECT_EQ(target.TextHint(), u"hint");
    EXPECT_FALSE(target.Flat());
    // The events stay; other sources are ignored.
    target.SetFlat(true);
    EXPECT_EQ(raised, 1);
    TInsertOptions other;
    target.Assign(&other);
    EXPECT_EQ(target.Style(), TSearchStyle::ssHighlight);
}

TEST(InsertOptions, DefaultsAndAssign) {
    TInsertOptions source;
    EXPECT_FALSE(source.Visible());
    EXPECT_TRUE(source.Flat());
    source.SetInsertAndClear(true);
    source.SetAutoInsert(true);
    source.SetHintInsert(u"add");
    source.SetVisible(true);
    TInsertOptions target;
    int raised = 0;
    target.OnChange = [&](TObject*) { ++raised; };
    target.Assign(&source);
    EXPECT_EQ(raised, 0);
    EXPECT_TRUE(target.InsertAndClear());
    EXPECT_TRUE(target.AutoInsert());
    EXPECT_EQ(target.HintInsert(), u"add");
    EXPECT_TRUE(target.Visible());
    target.SetHintInsert(u"add");
    EXPECT_EQ(raised, 0);
    target.SetHintInsert(u"plus");
    EXPECT_EQ(raised, 1);
}

} // namespace
} // namespace zel
