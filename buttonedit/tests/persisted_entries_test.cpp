// What an edit field stores and reads back, without a file or the registry.
#include "buttonedit/persisted_entries.h"

#include <gtest/gtest.h>

#include <map>

namespace zel {
namespace {

// Stored values by name, as a file or registry key would hold them.
struct Store {
    std::map<std::u16string, std::u16string, std::less<>> values;
    int reads = 0;
    PersistedReader Reader() {
        return [this](std::u16string_view name) -> std::optional<std::u16string> {
            ++reads;
            auto it = values.find(name);
            return it == values.end() ? std::nullopt : std::optional(it->second);
        };
    }
    void Put(const std::vector<PersistedEntry>& entries) {
        for (const PersistedEntry& e : entries)
            values[e.Name] = e.Value;
    }
};

TEST(PersistedEntries, TheTextAndEveryHistoryPair) {
    EXPECT_EQ(PersistedEntries(u"Edit1", u"EUR 12", nullptr),
              (std::vector<PersistedEntry>{{u"Edit1", u"EUR 12"}}));
    const std::vector<std::u16string> display{u"Apple", u"Banana"};
    const std::vector<std::u16string> values{u"red", u"yellow"};
    const LookupHistory history{display, values};
    EXPECT_EQ(PersistedEntries(u"Edit1", u"x", &history),
              (std::vector<PersistedEntry>{{u"Edit1", u"x"},
                                           {u"LOOKUPCOUNT", u"2"},
                                           {u"LOOKUPDISPL1", u"Apple"},
                                           {u"LOOKUPVAL1", u"red"},
                                           {u"LOOKUPDISPL2", u"Banana"},
                                           {u"LOOKUPVAL2", u"yellow"}}));
    const std::vector<std::u16string> fewer{u"red"};
    const LookupHistory partial{display, fewer};
    EXPECT_EQ(PersistedEntries(u"E", u"", &partial).size(), 5u); // no value for Banana
}

TEST(PersistedEntries, ReadsBackWhatWasWritten) {
    Store store;
    const std::vector<std::u16string> display{u"Apple", u"Banana", u"Cherry"};
    const std::vector<std::u16string> values{u"", u"yellow", u"dark"};
    const LookupHistory history{display, values};
    store.Put(PersistedEntries(u"Edit1", u"kept", &history));
    const PersistedField field = ReadPersistedField(store.Reader(), u"Edit1", true);
    EXPECT_EQ(field.WindowText, u"kept");
    using Pairs = std::vector<std::pair<std::u16string, std::u16string>>;
    EXPECT_EQ(field.History,
              (Pairs{{u"Apple", u""}, {u"Banana", u"yellow"}, {u"Cherry", u"dark"}}));
    EXPECT_TRUE(ReadPersistedField(store.Reader(), u"Edit1", false).History.empty());
}

TEST(PersistedEntries, AbsentDefaultAndDamagedEntries) {
    Store store;
    EXPECT_EQ(ReadPersistedField(store.Reader(), u"Edit1", true).WindowText, std::nullopt);
    store.values[u"Edit1"] = u"@";
    EXPECT_EQ(ReadPersistedField(store.Reader(), u"Edit1", false).WindowText, std::nullopt);
    store.values[u"Edit1"] = u"";
    EXPECT_EQ(ReadPersistedField(store.Reader(), u"Edit1", false).WindowText, u"");
    // A count far beyond what is stored reads only what is there.
    store.values[u"LOOKUPCOUNT"] = u"2000000000";
    store.values[u"LOOKUPDISPL1"] = u"one";
    store.values[u"LOOKUPDISPL2"] = u"";
    store.values[u"LOOKUPDISPL3"] = u"three";
    store.reads = 0;
    const PersistedField field = ReadPersistedField(store.Reader(), u"Edit1", true);
    using Pairs = std::vector<std::pair<std::u16string, std::u16string>>;
    EXPECT_EQ(field.History, (Pairs{{u"one", u""}, {u"three", u""}}));
    EXPECT_LT(store.reads, 10);
    store.values[u"LOOKUPCOUNT"] = u"-4";
    EXPECT_TRUE(ReadPersistedField(store.Reader(), u"Edit1", true).History.empty());
    store.values[u"LOOKUPCOUNT"] = u"many";
    EXPECT_TRUE(ReadPersistedField(store.Reader(), u"Edit1", true).History.empty());
}

} // namespace
} // namespace zel
