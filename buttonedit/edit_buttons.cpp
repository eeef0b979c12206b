#include "buttonedit/edit_buttons.h"

#include "buttonedit/multi_button_edit.h"
#include "core/error.h"
#include "ui/png_resource.h"

#include <algorithm>

namespace zel {

const char16_t* GlyphResourceName(TButtonStyle style) {
    static constexpr const char16_t* kNames[] = {
        u"btn_gl_cancel", u"btn_gl_search", u"btn_gl_ok",   u"btn_gl_trash", u"btn_gl_accept",
        u"btn_gl_deny",   u"btn_gl_close",  u"btn_gl_copy", u"btn_gl_prev",  u"btn_gl_next",
        u"btn_gl_undo",   u"btn_gl_add",    u"btn_gl_sub",
    };
    const auto index = static_cast<size_t>(style);
    return index < std::size(kNames) ? kNames[index] : nullptr;
}

// ---- TPNGSpeedButton ---------------------------------------------------------------------

void TPNGSpeedButton::SetPNGName(std::u16string value) {
    if (value == FPNGName)
        return;
    FPNGName = std::move(value);
    Invalidate();
}

void TPNGSpeedButton::Paint(HDC dc) {
    SpeedButton::Paint(dc);
    if (FPNGName.empty())
        return;
    PngImage image = LoadPngResource(::GetModuleHandleW(nullptr), FPNGName);
    DrawPng(dc, image, (Width() - image.Width) / 2, (Height() - image.Height) / 2);
}

// ---- TEditButton -------------------------------------------------------------------------

TEditButton::TEditButton(TEditButtons& collection)
    : FCollection(collection), FButton(std::make_unique<TPNGSpeedButton>(&collection.Owner())) {}

TEditButton::~TEditButton() = default;

int TEditButton::Index() const {
    return FCollection.IndexOf(this);
}

template <class T>
void TEditButton::Set(T& field, T value) {
    if (field == value)
        return;
    field = std::move(value);
    FCollection.Changed();
}

void TEditButton::SetPosition(TButtonPosition value) {
    Set(FButtonPosition, value);
}
void TEditButton::SetEnabled(bool value) {
    Set(FEnabled, value);
}
void TEditButton::SetFlat(bool value) {
    Set(FFlat, value);
}
void TEditButton::SetStyle(TButtonStyle value) {
    Set(FStyle, value);
}
void TEditButton::SetImageIndex(int value) {
    Set(FImageIndex, value);
}
void TEditButton::SetHint(std::u16string value) {
    Set(FHint, std::move(value));
}

void TEditButton::Assign(const TEditButton& Source) {
    FCollection.BeginUpdate();
    SetPosition(Source.FButtonPosition);
    SetFlat(Source.FFlat);
    SetEnabled(Source.FEnabled);
    SetHint(Source.FHint);
    SetStyle(Source.FStyle);
    SetImageIndex(Source.FImageIndex);
    FCollection.EndUpdate();
}

// ---- TEditButtons ------------------------------------------------------------------------

TEditButtons::TEditButtons(WinControl& owner, TCustomMultiButtonEdit* edit)
    : FOwner(owner), FEdit(edit) {}

TEditButtons::~TEditButtons() {
    // The composite is going: nothing is arranged any more.
    FEdit = nullptr;
    FItems.clear();
}

TEditButton* TEditButtons::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw Exception(ListIndexErrorText(Index));
    return FItems[static_cast<size_t>(Index)].get();
}

void TEditButtons::SetItems(int Index, const TEditButton& Value) {
    Items(Index)->Assign(Value);
}

TEditButton* TEditButtons::Add() {
    return Insert(Count());
}

TEditButton* TEditButtons::Insert(int Index) {
    if (Index < 0 || Index > Count())
        throw Exception(ListIndexErrorText(Index));
    BeginUpdate();
    auto item = std::make_unique<TEditButton>(*this);
    TEditButton* raw = item.get();
    FItems.insert(FItems.begin() + Index, std::move(item));
    EndUpdate();
    return raw;
}

void TEditButtons::Delete(int Index) {
    Items(Index);
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TEditButtons::Clear() {
    FItems.clear();
    Changed();
}

TEditButton* TEditButtons::FindButton(TButtonStyle Style) const {
    auto found = std::find_if(FItems.begin(), FItems.end(),
                              [Style](const auto& button) { return button->Style() == Style; });
    return found == FItems.end() ? nullptr : found->get();
}

int TEditButtons::IndexOf(const TEditButton* button) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == button)
            return static_cast<int>(i);
    return -1;
}

void TEditButtons::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

void TEditButtons::Changed() {
    if (FUpdateCount == 0 && FEdit)
        FEdit->UpdateButtons();
}

} // namespace zel
