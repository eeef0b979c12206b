#include "listbox/list_items.h"

#include "core/error.h"

namespace zel {

void TListBoxItem::Assign(const TObject* Source) {
    const auto* item = dynamic_cast<const TListBoxItem*>(Source);
    if (!item || item == this)
        return;
    FChecked = item->FChecked;
    FImageIndex = item->FImageIndex;
    FText = item->FText;
    FTag = item->FTag;
    FObject = item->FObject;
    FHasCheckBox = item->FHasCheckBox;
}

void TListBoxItems::CheckIndex(int Index, int limit) const {
    if (Index < 0 || Index >= limit)
        throw Exception(ListIndexErrorText(Index));
}

TListBoxItem* TListBoxItems::GetItems(int Index) const {
    CheckIndex(Index, Count());
    return FItems[static_cast<size_t>(Index)].get();
}

void TListBoxItems::SetItems(int Index, const TObject* Value) {
    GetItems(Index)->Assign(Value);
}

TListBoxItem* TListBoxItems::Add() {
    FItems.push_back(std::make_unique<TListBoxItem>());
    TListBoxItem* item = FItems.back().get();
    Changed();
    return item;
}

TListBoxItem* TListBoxItems::Insert(int Index) {
    CheckIndex(Index, Count() + 1);
    auto position = FItems.insert(FItems.begin() + Index, std::make_unique<TListBoxItem>());
    TListBoxItem* item = position->get();
    Changed();
    return item;
}

void TListBoxItems::Delete(int Index) {
    CheckIndex(Index, Count());
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TListBoxItems::Clear() {
    if (FItems.empty())
        return;
    FItems.clear();
    Changed();
}

int TListBoxItems::IndexOf(std::u16string_view Value) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i]->Text() == Value)
            return static_cast<int>(i);
    return -1;
}

void TListBoxItems::Move(int FromIndex, int ToIndex) {
    if (FromIndex >= Count() || ToIndex >= Count())
        throw Exception(u"Invalid item index");
    // A negative index is refused here too, before the item is deleted, so that a failed move
    // never loses the item.
    CheckIndex(FromIndex, Count());
    CheckIndex(ToIndex, Count());
    WithinUpdate(*this, [&] {
        TListBoxItem kept;
        kept.Assign(GetItems(FromIndex));
        Delete(FromIndex);
        Insert(ToIndex)->Assign(&kept);
    });
}

void TListBoxItems::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

void TListBoxItems::Changed() {
    if (FUpdateCount == 0)
        Update();
}

void TListBoxItems::Update() {
    if (OnChange)
        OnChange(this);
}

} // namespace zel
