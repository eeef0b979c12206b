#pragma once
// TFilterListBox: a list of text items with images and optional check boxes, drawn with markup
// by an inner owner-drawn list, whose visible rows map to the items (all of them, or the last
// filter result). ItemIndex always names a position in the whole collection.
//
// Every event carries the list box as Sender, also when it comes from the inner list.
#include "listbox/list_model.h"
#include "listbox/visual_list_box.h"
#include "ui/control.h"
#include "ui/image_list.h"
#include "ui/input_events.h"

#include <functional>
#include <string>

namespace zel {

enum class TFilterListBoxStyle : uint8_t { stList, stCheckList };

using TListBoxItemHintEvent =
    std::function<void(Component* Sender, TListBoxItem* Item, int Index, std::u16string& HintStr)>;

class TFilterListBox : public WinControl {
public:
    explicit TFilterListBox(Component* owner);

    TListBoxItems& Items() noexcept { return model_.Items(); }
    // The selected item's position in Items, -1 for none; setting selects the visible row of
    // that position, without mapping and without any event.
    int ItemIndex();
    void SetItemIndex(int value);
    // Number of visible rows.
    int ItemCount() const noexcept { return model_.ItemCount(); }
    // The item visible row `Index` shows; null past the end.
    TListBoxItem* GetItem(int Index) const { return model_.GetItem(Index); }
    TListBoxItem* GetItemAtXY(int X, int Y);
    bool Selected(int Index);
    void SetSelected(int Index, bool Value);

    bool FilterActive() const noexcept { return model_.FilterActive(); }
    void SetFilterActive(bool value);
    const std::u16string& FilterCondition() const noexcept { return model_.FilterCondition(); }
    // The last filter result: indexes into Items, and their number.
    TIntList& FilterIndexes() noexcept { return model_.FilterIndexes(); }
    void SetFilterResult(int filterItems) noexcept { model_.SetFilterItems(filterItems); }

    int ItemHeight() const noexcept { return FItemHeight; }
    void SetItemHeight(int value);
    BitmapImageList* Images() const noexcept { return FImages; }
    void SetImages(BitmapImageList* value);
    const ImageList* ImagesForDrawing() const noexcept;
    TFilterListBoxStyle Style() const noexcept { return FStyle; }
    void SetStyle(TFilterListBoxStyle value);
    TColor ListColor() const noexcept { return FListColor; }
    void SetListColor(TColor value);
    bool AutoComplete() const noexcept { return FAutoComplete; }
    void SetAutoComplete(bool value) noexcept { FAutoComplete = value; }
    int AutoCompleteDelay() const noexcept { return FAutoCompleteDelay; }
    void SetAutoCompleteDelay(int value) noexcept { FAutoCompleteDelay = value; }
    bool BorderSingle() const noexcept { return FBorderSingle; }
    void SetBorderSingle(bool value);
    bool MultiSelect() const noexcept { return FMultiSelect; }
    void SetMultiSelect(bool value);
    uint16_t SearchShortCut() const noexcept { return FSearchShortCut; }
    void SetSearchShortCut(uint16_t value) noexcept { FSearchShortCut = value; }
    uint16_t InsertShortCut() const noexcept { return FInsertShortCut; }
    void SetInsertShortCut(uint16_t value) noexcept { FInsertShortCut = value; }
    static std::u16string Version();

    TVisualListBox& ListBox() noexcept { return *FListBox; }

    void SetFont(const FontSpec& spec) override;
    void SetEnabled(bool enabled) override;

    TNotifyEvent OnListClick;
    TNotifyEvent OnListDblClick;
    TKeyEvent OnListKeyDown;
    TKeyEvent OnListKeyUp;
    TKeyPressEvent OnListKeyPress;
    TMouseEvent OnListMouseDown;
    TMouseEvent OnListMouseUp;
    TMouseMoveEvent OnListMouseMove;
    TCheckBoxClickEvent OnListCheckBoxClick;
    TListBoxItemHintEvent OnItemHint;

protected:
    // Items.OnChange: the rows follow the item count, then the control repaints.
    virtual void ItemsChanged();
    // Makes the inner list hold exactly ItemCount rows: extra rows go from the front, missing
    // ones are added at the end.
    void SyncRows();
    virtual void ListClick();
    virtual void ListDblClick();
    virtual void ListKeyDown(WORD& Key, TShiftState Shift);
    virtual void ListKeyUp(WORD& Key, TShiftState Shift);
    // Swallows the space; every other character is raised as OnListKeyPress.
    virtual void ListKeyPress(char16_t& Key);
    virtual void ListCheckBoxClick(int Index);
    virtual void ListMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListMouseMove(TShiftState Shift, int X, int Y);

    void HandleCreated() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Notification(Component* component, TOperation operation) override;

private:
    TVisualListBox* FListBox;           // owned as a component
    BitmapImageList* FImages = nullptr; // not owned: cleared when it goes
    FilterListModel model_;
    TFilterListBoxStyle FStyle = TFilterListBoxStyle::stList;
    int FItemHeight = 15;
    uint16_t FSearchShortCut = 0;
    uint16_t FInsertShortCut = 0;
    int FAutoCompleteDelay = 500;
    bool FAutoComplete = true;
    bool FBorderSingle = true;
    bool FMultiSelect = false;
    TColor FListColor = clWindow;
};

} // namespace zel
