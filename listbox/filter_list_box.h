#pragma once
// TFilterListBox: a list of text items with images and optional check boxes, drawn with markup
// by an inner owner-drawn list, whose visible rows map to the items (all of them, or the last
// filter result). ItemIndex always names a position in the whole collection. A search field
// filters, highlights or jumps through the items as the user types; an insert field appends
// items.
//
// Every event carries the list box as Sender, also when it comes from the inner list or one
// of the fields.
#include "buttonedit/multi_button_edit.h"
#include "listbox/list_model.h"
#include "listbox/search_options.h"
#include "listbox/visual_list_box.h"
#include "ui/control.h"
#include "ui/image_list.h"
#include "ui/input_events.h"
#include "ui/locale_data.h"

#include <functional>
#include <string>

namespace zel {

enum class TFilterListBoxStyle : uint8_t { stList, stCheckList };

using TListBoxItemHintEvent =
    std::function<void(Component* Sender, TListBoxItem* Item, int Index, std::u16string& HintStr)>;
using TListBoxItemEvent = std::function<void(Component* Sender, TListBoxItem* Item)>;
using TItemDisplayTextEvent =
    std::function<void(Component* Sender, TListBoxItem* Item, std::u16string& Text)>;

// Shortcuts as the framework encodes them: the virtual key in the low byte and these flags.
enum : uint16_t { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000 };
uint16_t ShortCutOf(WORD key, TShiftState shift);

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
    // Filters by the condition at once and shows it in the search field.
    void SetFilterCondition(const std::u16string& value);
    // The last filter result: indexes into Items.
    TIntList& FilterIndexes() noexcept { return model_.FilterIndexes(); }

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
    // Rows are drawn through a bitmap, so that none shows half drawn (on by default).
    bool DoubleBuffered() const noexcept { return FDoubleBuffered; }
    void SetDoubleBuffered(bool value) noexcept { FDoubleBuffered = value; }
    bool MultiSelect() const noexcept { return FMultiSelect; }
    void SetMultiSelect(bool value);
    uint16_t SearchShortCut() const noexcept { return FSearchShortCut; }
    void SetSearchShortCut(uint16_t value) noexcept { FSearchShortCut = value; }
    uint16_t InsertShortCut() const noexcept { return FInsertShortCut; }
    void SetInsertShortCut(uint16_t value) noexcept { FInsertShortCut = value; }
    static std::u16string Version();

    TVisualListBox& ListBox() noexcept { return *FListBox; }
    TMultiButtonEdit& SearchEdit() noexcept { return *FSearchEdit; }
    TMultiButtonEdit& InsertEdit() noexcept { return *FInsertEdit; }
    TSearchOptions& SearchOptions() noexcept { return *FSearchOptions; }
    void SetSearchOptions(const TSearchOptions& value) { FSearchOptions->Assign(&value); }
    TInsertOptions& InsertOptions() noexcept { return *FInsertOptions; }
    void SetInsertOptions(const TInsertOptions& value) { FInsertOptions->Assign(&value); }
    // The locale the search compares numbers and dates in and upper-cases with.
    void SetLocale(LocaleData locale);
    // Beyond the usual search: hiragana match katakana, full-width characters their half-width
    // forms (off unless set).
    bool SearchIgnoreKana() const noexcept { return FSearchIgnoreKana; }
    void SetSearchIgnoreKana(bool value);
    bool SearchIgnoreWidth() const noexcept { return FSearchIgnoreWidth; }
    void SetSearchIgnoreWidth(bool value);
    // How the search and the highlight compare texts, with or without regard to case.
    const TextFolder& Folder(bool caseSensitive);

    // Appends an item with the text, selects the last row, and raises OnInsertItem.
    void InsertText(const std::u16string& text);

    // The form has configured the control: the search and insert options take effect.
    void Loaded() override;

    void SetFont(const FontAttributes& attributes) override;
    void SetEnabled(bool enabled) override;
    // The inner list, which fills the control, drags and is dragged over: it follows.
    void SetDragMode(TDragMode mode) override;

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
    // Beyond the usual list: the text a row shows for its item, when it is not the item's own
    // text (the search and the item keep the item's text).
    TItemDisplayTextEvent OnItemDisplayText;

    TNotifyEvent OnSearchEditChange;
    TNotifyEvent OnSearchEditClick;
    TNotifyEvent OnSearchEditDblClick;
    TKeyEvent OnSearchEditKeyDown;
    TKeyEvent OnSearchEditKeyUp;
    TKeyPressEvent OnSearchEditKeyPress;
    TNotifyEvent OnSearchClick;
    TNotifyEvent OnSearchClose;
    TNotifyEvent OnSearchShow;
    TListBoxItemEvent OnInsertItem;
    TNotifyEvent OnInsertClick;
    TNotifyEvent OnInsertClose;
    TNotifyEvent OnInsertShow;
    TNotifyEvent OnInsertEditChange;
    TNotifyEvent OnInsertEditClick;
    TNotifyEvent OnInsertEditDblClick;
    TKeyEvent OnInsertEditKeyDown;
    TKeyEvent OnInsertEditKeyUp;
    TKeyPressEvent OnInsertEditKeyPress;

protected:
    // The item collection's factory; the constructor calls it (this class's, as C++ calls
    // virtual functions during construction).
    virtual std::unique_ptr<TListBoxItems> CreateItems();
    // The filter pass: no selection, then the items that match the filter condition.
    virtual void ApplyFilter();
    // The search and insert fields at the top or the bottom edge.
    virtual void PlaceInputs();
    // Items.OnChange: the rows follow the item count, then the control repaints.
    virtual void ItemsChanged();
    virtual void ApplySearchOptions();
    virtual void SearchEditChange();
    virtual void SearchButtonClick();
    virtual void SearchCloseClick();
    virtual void DoSearchShow();
    virtual void ApplyInsertOptions();
    virtual void InsertButtonClick();
    virtual void InsertCloseClick();
    virtual void DoInsertShow();
    virtual void InsertEditKeyDown(WORD& Key, TShiftState Shift);
    virtual void InsertEditKeyUp(WORD& Key, TShiftState Shift);
    virtual void InsertEditKeyPress(char16_t& Key);
    virtual void SearchEditClick();
    virtual void SearchEditDblClick();
    virtual void InsertEditChange();
    virtual void InsertEditClick();
    virtual void InsertEditDblClick();
    virtual void SearchEditKeyDown(WORD& Key, TShiftState Shift);
    virtual void SearchEditKeyUp(WORD& Key, TShiftState Shift);
    virtual void SearchEditKeyPress(char16_t& Key);
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
    // Raises an event with this control as the sender, when it has a handler.
    template <class Event, class... Args>
    void Raise(const Event& event, Args&&... args) {
        if (event)
            event(this, std::forward<Args>(args)...);
    }
    void BindListEvents();
    void BindSearchEvents();
    void BindInsertEvents();
    // Filter, highlight or jump to the search text; Apply false removes filter and highlight.
    void DoSearch(bool Apply);
    void GotoMatch(const std::u16string& text);
    // The find button's two states: down in group 1 while a filter is shown, else up.
    void SetFindButtonDown(bool down);
    // Shows and focuses a field whose shortcut the key is.
    void CheckShortCuts(WORD key);
    // A key in the rows that returns to the search field.
    void BackToSearch(WORD& Key);
    // The way texts compare changed: new folders, and a shown filter applied again.
    void FoldingChanged();
    // Makes a field have exactly one button of the style when `wanted`, none otherwise; a
    // new one is flat as `flat` says. The button that is left, or null.
    static TEditButton* KeepButton(TMultiButtonEdit& field, TButtonStyle style, bool wanted,
                                   bool flat);

    TVisualListBox* FListBox;      // owned as a component
    TMultiButtonEdit* FSearchEdit; // owned as a component
    TMultiButtonEdit* FInsertEdit; // owned as a component
    std::unique_ptr<TSearchOptions> FSearchOptions;
    std::unique_ptr<TInsertOptions> FInsertOptions;
    LocaleData FLocale;
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
    bool FDoubleBuffered = true;
    bool FSearchIgnoreKana = false;
    bool FSearchIgnoreWidth = false;
    std::unique_ptr<TextFolder> FFolders[2]; // without and with regard to case, made on demand
    TColor FListColor = clWindow;
};

} // namespace zel
