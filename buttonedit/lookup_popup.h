#pragma once
// The lookup list's popup: TListHintWindow, a hint window that holds a TListBoxTab with the
// matching entries. It shows without taking the focus from the field; once the user clicks
// into it, it is active and its list has the focus, and it hides itself when it loses the
// activation. Its lower-right corner is a sizing grip.
#include "buttonedit/lookup_match.h"
#include "ui/hint_window.h"
#include "ui/list_box.h"

#include <vector>

namespace zel {

// A list box of texts that asks for the Tab key itself while HandleTab is on.
class TListBoxTab : public ListBox {
public:
    using ListBox::ListBox;

    const std::vector<TLookupEntry>& Entries() const noexcept { return FEntries; }
    // Shows the entries with the given one selected.
    void SetEntries(std::vector<TLookupEntry> entries, int selected);
    bool HandleTab() const noexcept { return FHandleTab; }
    void SetHandleTab(bool value) { FHandleTab = value; }

protected:
    void DrawItem(HDC dc, int index, const RECT& rect, bool selected) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<TLookupEntry> FEntries;
    bool FHandleTab = true;
};

class TListHintWindow : public HintWindow {
public:
    explicit TListHintWindow(Component* owner);

    TListBoxTab& List() noexcept { return *FList; }
    // Shows the entries at a screen position, sized to them: the rows in the list's font,
    // Spacing pixels apart, at most DisplayCount of them at once.
    void ShowEntries(std::vector<TLookupEntry> entries, int selected, Point at, int spacing,
                     int displayCount);

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The size of the widest entry and of "gh", in the list's font.
    int WidestEntry(const std::vector<TLookupEntry>& entries);
    int TextHeight();

    TListBoxTab* FList; // owned as a component
};

} // namespace zel
