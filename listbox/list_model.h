#pragma once
// What the list box shows, without windows: all items, the last filter result, and the mapping
// between visible rows and items. While no filter is active row r shows item r; while one is,
// row r shows the item whose index is entry r of the filter result. The filter result is only
// renewed when the filter is applied, so after a change of the items it may name positions
// that no longer exist: such rows show no item.
#include "listbox/filter_pattern.h"
#include "listbox/int_list.h"
#include "listbox/list_items.h"

#include <memory>
#include <string>

namespace zel {

class FilterListModel {
public:
    explicit FilterListModel(
        std::unique_ptr<TListBoxItems> items = std::make_unique<TListBoxItems>());

    TListBoxItems& Items() noexcept { return *FItems; }
    const TListBoxItems& Items() const noexcept { return *FItems; }

    bool FilterActive() const noexcept { return FFilterActive; }
    void SetFilterActive(bool value) noexcept { FFilterActive = value; }
    const std::u16string& FilterCondition() const noexcept { return FFilterCondition; }
    void SetFilterCondition(std::u16string value) { FFilterCondition = std::move(value); }
    // The filter result: indexes into Items of the matching items, in item order, and their
    // number.
    TIntList& FilterIndexes() noexcept { return FFilterIndexes; }
    const TIntList& FilterIndexes() const noexcept { return FFilterIndexes; }
    int FilterItems() const noexcept { return FFilterItems; }
    void SetFilterItems(int value) noexcept { FFilterItems = value; }

    // The filter pass: the items the matcher accepts become the filter result, in item order;
    // each item learns whether it matched and how many matched up to it.
    void ApplyFilter(TFilterMatcher& matcher);

    // Number of visible rows.
    int ItemCount() const noexcept;
    // The item row `row` shows, or null past the end (or for a stale filter entry).
    TListBoxItem* GetItem(int row) const;
    // The index in Items of the item row `row` shows, -1 for no row or no item.
    int ItemIndexOfRow(int row) const;

private:
    std::unique_ptr<TListBoxItems> FItems;
    int FFilterItems = 0;
    std::u16string FFilterCondition;
    bool FFilterActive = false;
    TIntList FFilterIndexes;
};

} // namespace zel
