#pragma once
// The option objects of the list box's search and insert fields: value holders whose setters
// tell the list box about a change (OnChange, or OnAlignmentChange for Position) only when the
// value really changes; the stored-only values tell nobody. Assign copies the values, never the
// events, and raises nothing.
#include "htmltext/color.h"
#include "listbox/list_items.h"

#include <cstdint>
#include <string>
#include <utility>

namespace zel {

enum class TSearchStyle : uint8_t { ssFilter, ssHighlight, ssGoto };
enum class TFilterMethod : uint8_t {
    fmStartsWith,
    fmEndsWith,
    fmContains,
    fmNotContains,
    fmEqual,
    fmNotEqual
};
enum class TInputPosition : uint8_t { ipTop, ipBottom };

// What the options of both fields have: the field's visibility, its close button, colour,
// place, grey hint and the flatness of buttons added from then on.
class TInputOptions : public TObject {
public:
    TInputOptions(const TInputOptions&) = delete;
    TInputOptions& operator=(const TInputOptions&) = delete;

    bool Visible() const noexcept { return FVisible; }
    void SetVisible(bool value) { Change(FVisible, value); }
    bool ShowClose() const noexcept { return FShowClose; }
    void SetShowClose(bool value) { Change(FShowClose, value); }
    const std::u16string& HintClose() const noexcept { return FHintClose; }
    void SetHintClose(std::u16string value) { Change(FHintClose, std::move(value)); }
    Color EditColor() const noexcept { return FEditColor; }
    void SetEditColor(Color value) { Change(FEditColor, value); }
    TInputPosition Position() const noexcept { return FPosition; }
    void SetPosition(TInputPosition value) { Raise(FPosition, value, OnAlignmentChange); }
    const std::u16string& TextHint() const noexcept { return FTextHint; }
    void SetTextHint(std::u16string value) { Change(FTextHint, std::move(value)); }
    bool Flat() const noexcept { return FFlat; }
    void SetFlat(bool value) { Change(FFlat, value); }

    TChangeEvent OnChange;
    TChangeEvent OnAlignmentChange;

protected:
    explicit TInputOptions(bool visible) noexcept : FVisible(visible) {}
    // Copies the values above from Source, raising nothing.
    void AssignInput(const TInputOptions& Source);

    template <class T>
    void Change(T& field, T value) {
        Raise(field, std::move(value), OnChange);
    }

private:
    template <class T>
    void Raise(T& field, T value, const TChangeEvent& event) {
        if (field == value)
            return;
        field = std::move(value);
        if (event)
            event(this);
    }

    bool FVisible;
    bool FShowClose = false;
    std::u16string FHintClose;
    Color FEditColor = clWindow;
    TInputPosition FPosition = TInputPosition::ipTop;
    std::u16string FTextHint;
    bool FFlat = true;
};

class TSearchOptions : public TInputOptions {
public:
    TSearchOptions() noexcept : TInputOptions(true) {}

    TSearchStyle Style() const noexcept { return FStyle; }
    void SetStyle(TSearchStyle value) { Change(FStyle, value); }
    // Stored only: read when the search text changes.
    bool AutoFind() const noexcept { return FAutoFind; }
    void SetAutoFind(bool value) noexcept { FAutoFind = value; }
    bool ShowFind() const noexcept { return FShowFind; }
    void SetShowFind(bool value) { Change(FShowFind, value); }
    const std::u16string& HintFind() const noexcept { return FHintFind; }
    void SetHintFind(std::u16string value) { Change(FHintFind, std::move(value)); }
    // Stored only: read by each search.
    TFilterMethod FilterMethod() const noexcept { return FFilterMethod; }
    void SetFilterMethod(TFilterMethod value) noexcept { FFilterMethod = value; }
    bool CaseSensitive() const noexcept { return FCaseSensitive; }
    void SetCaseSensitive(bool value) noexcept { FCaseSensitive = value; }

    // Copies the values of a TSearchOptions; any other source is ignored.
    void Assign(const TObject* Source);

private:
    TSearchStyle FStyle = TSearchStyle::ssFilter;
    bool FAutoFind = false;
    bool FShowFind = true;
    std::u16string FHintFind;
    TFilterMethod FFilterMethod = TFilterMethod::fmStartsWith;
    bool FCaseSensitive = false;
};

class TInsertOptions : public TInputOptions {
public:
    TInsertOptions() noexcept : TInputOptions(false) {}

    // Stored only: read when a text is inserted.
    bool InsertAndClear() const noexcept { return FInsertAndClear; }
    void SetInsertAndClear(bool value) noexcept { FInsertAndClear = value; }
    bool AutoInsert() const noexcept { return FAutoInsert; }
    void SetAutoInsert(bool value) noexcept { FAutoInsert = value; }
    const std::u16string& HintInsert() const noexcept { return FHintInsert; }
    void SetHintInsert(std::u16string value) { Change(FHintInsert, std::move(value)); }

    // Copies the values of a TInsertOptions; any other source is ignored.
    void Assign(const TObject* Source);

private:
    bool FInsertAndClear = false;
    bool FAutoInsert = false;
    std::u16string FHintInsert;
};

} // namespace zel
