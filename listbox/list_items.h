#pragma once
// The list box's items. The collection keeps update brackets: every structural change outside a
// bracket, and the end of the outermost bracket, runs the Update hook, which raises OnChange so
// that the list box resynchronises its rows once per bracket, not once per item.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

// Base of everything an item can be assigned from or refer to.
class TObject {
public:
    virtual ~TObject() = default;
};

using TChangeEvent = std::function<void(TObject* Sender)>;

class TListBoxItem : public TObject {
public:
    int32_t Tag() const noexcept { return FTag; }
    void SetTag(int32_t value) noexcept { FTag = value; }
    // May hold markup; drawn formatted, copied raw.
    const std::u16string& Text() const noexcept { return FText; }
    void SetText(std::u16string value) { FText = std::move(value); }
    bool Checked() const noexcept { return FChecked; }
    void SetChecked(bool value) noexcept { FChecked = value; }
    // Index into the list box's Images, -1 for none.
    int32_t ImageIndex() const noexcept { return FImageIndex; }
    void SetImageIndex(int32_t value) noexcept { FImageIndex = value; }
    // Stored and copied only; drawing follows the list box's style.
    bool HasCheckBox() const noexcept { return FHasCheckBox; }
    void SetHasCheckBox(bool value) noexcept { FHasCheckBox = value; }
    // Not owned: never freed by the item.
    TObject* ItemObject() const noexcept { return FObject; }
    void SetItemObject(TObject* value) noexcept { FObject = value; }

    // Written by the filter pass: matches up to and including this item, minus one, and
    // whether this item matched the last filter.
    int32_t FilterIndex() const noexcept { return FFilterIndex; }
    void SetFilterIndex(int32_t value) noexcept { FFilterIndex = value; }
    bool Filtered() const noexcept { return FFiltered; }
    void SetFiltered(bool value) noexcept { FFiltered = value; }

    // Copies the six user values from another item; any other source is ignored.
    void Assign(const TObject* Source);

private:
    int32_t FTag = 0;
    std::u16string FText;
    bool FChecked = false;
    int32_t FImageIndex = -1;
    bool FHasCheckBox = false;
    TObject* FObject = nullptr; // not owned
    int32_t FFilterIndex = 0;
    bool FFiltered = false;
};

class TListBoxItems : public TObject {
public:
    TListBoxItems() = default;
    TListBoxItems(const TListBoxItems&) = delete;
    TListBoxItems& operator=(const TListBoxItems&) = delete;

    int Count() const noexcept { return static_cast<int>(FItems.size()); }
    // The item at Index of the whole collection; outside 0..Count-1 the index error.
    TListBoxItem* GetItems(int Index) const;
    // Copies the values of Value into the item at Index.
    void SetItems(int Index, const TObject* Value);
    TListBoxItem* operator[](int Index) const { return GetItems(Index); }

    TListBoxItem* Add();
    TListBoxItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    // Index of the first item whose text equals Value exactly, else -1.
    int IndexOf(std::u16string_view Value) const;
    // Re-creates the item at FromIndex at ToIndex with its values: references to the old item
    // become invalid. Fails before changing anything.
    void Move(int FromIndex, int ToIndex);

    void BeginUpdate() noexcept { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const noexcept { return FUpdateCount; }

    TChangeEvent OnChange;

protected:
    // Runs after every structural change outside a bracket and at the outermost EndUpdate.
    virtual void Update();

private:
    void Changed();
    void CheckIndex(int Index, int limit) const;

    std::vector<std::unique_ptr<TListBoxItem>> FItems;
    int FUpdateCount = 0;
};

// Runs `change` inside one update bracket, closed also when the change fails (the failure goes
// on to the caller). The end of the bracket may itself notify, so it is not left to a destructor.
template <class F>
void WithinUpdate(TListBoxItems& items, F&& change) {
    items.BeginUpdate();
    try {
        change();
    } catch (...) {
        items.EndUpdate();
        throw;
    }
    items.EndUpdate();
}

} // namespace zel
