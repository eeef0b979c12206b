#include "listbox/list_model.h"

namespace zel {

FilterListModel::FilterListModel(std::unique_ptr<TListBoxItems> items) : FItems(std::move(items)) {}

int FilterListModel::ItemCount() const noexcept {
    return FFilterActive ? FFilterItems : FItems->Count();
}

int FilterListModel::ItemIndexOfRow(int row) const {
    if (row < 0)
        return -1;
    if (!FFilterActive)
        return row < FItems->Count() ? row : -1;
    if (row >= FFilterIndexes.Count())
        return -1;
    int index = FFilterIndexes[row];
    return index >= 0 && index < FItems->Count() ? index : -1;
}

void FilterListModel::ApplyFilter(TFilterMatcher& matcher) {
    FFilterIndexes.Clear();
    int matches = 0;
    const int count = FItems->Count();
    for (int i = 0; i < count; ++i) {
        TListBoxItem& item = *FItems->GetItems(i);
        const bool match = matcher.Matches(item.Text());
        if (match) {
            ++matches;
            FFilterIndexes.Add(i);
        }
        item.SetFiltered(match);
        item.SetFilterIndex(matches - 1);
    }
    FFilterItems = matches;
}

TListBoxItem* FilterListModel::GetItem(int row) const {
    int index = ItemIndexOfRow(row);
    return index < 0 ? nullptr : FItems->GetItems(index);
}

} // namespace zel
