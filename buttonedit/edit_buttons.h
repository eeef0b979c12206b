#pragma once
// The glyph buttons of the multi-button edit: TPNGSpeedButton paints a PNG glyph from the
// program's resources over a flat speed button; TEditButton holds one button's settings and
// owns its speed button; TEditButtons keeps them in display order and has the composite
// re-arrange them after every change, so a button's tag always equals its index.
#include "ui/image_list.h"
#include "ui/speed_button.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zel {

enum class TButtonPosition : uint8_t { bpLeft, bpRight };

enum class TButtonStyle : uint8_t {
    bsClear,
    bsFind,
    bsOK,
    bsTrash,
    bsAccept,
    bsDeny,
    bsClose,
    bsCopy,
    bsPrevious,
    bsNext,
    bsUndo,
    bsAdd,
    bsSub,
    bsCustom,
};

// The glyph resource of a style; none for bsCustom.
const char16_t* GlyphResourceName(TButtonStyle style);

class TPNGSpeedButton : public SpeedButton {
public:
    using SpeedButton::SpeedButton;

    const std::u16string& PNGName() const noexcept { return FPNGName; }
    void SetPNGName(std::u16string value);

protected:
    // The glyph is read from the resources at every paint, drawn unscaled and centred, and
    // neither shifts when pressed nor greys when disabled.
    void Paint(HDC dc) override;

private:
    std::u16string FPNGName;
};

class TEditButtons;

class TEditButton {
public:
    explicit TEditButton(TEditButtons& collection);
    TEditButton(const TEditButton&) = delete;
    TEditButton& operator=(const TEditButton&) = delete;
    ~TEditButton();

    int Index() const;
    TPNGSpeedButton* Button() const noexcept { return FButton.get(); }

    TButtonPosition Position() const noexcept { return FButtonPosition; }
    void SetPosition(TButtonPosition value);
    bool Enabled() const noexcept { return FEnabled; }
    void SetEnabled(bool value);
    bool Flat() const noexcept { return FFlat; }
    void SetFlat(bool value);
    TButtonStyle Style() const noexcept { return FStyle; }
    void SetStyle(TButtonStyle value);
    int ImageIndex() const noexcept { return FImageIndex; }
    void SetImageIndex(int value);
    const std::u16string& Hint() const noexcept { return FHint; }
    void SetHint(std::u16string value);

    // Copies position, flat, enabled, hint, style and image index.
    void Assign(const TEditButton& Source);

private:
    template <class T>
    void Set(T& field, T value);

    TEditButtons& FCollection;
    TButtonPosition FButtonPosition = TButtonPosition::bpRight;
    std::unique_ptr<TPNGSpeedButton> FButton;
    bool FEnabled = true;
    bool FFlat = false;
    TButtonStyle FStyle = TButtonStyle::bsCustom;
    int FImageIndex = -1;
    std::u16string FHint;
};

class TCustomMultiButtonEdit;

class TEditButtons {
public:
    // `edit` is re-arranged after every change; null when the owner is of another kind.
    TEditButtons(WinControl& owner, TCustomMultiButtonEdit* edit);
    TEditButtons(const TEditButtons&) = delete;
    TEditButtons& operator=(const TEditButtons&) = delete;
    ~TEditButtons();

    int Count() const noexcept { return static_cast<int>(FItems.size()); }
    TEditButton* Items(int Index) const;
    // Copies the settings of Value into the button at Index.
    void SetItems(int Index, const TEditButton& Value);
    TEditButton* Add();
    TEditButton* Insert(int Index);
    void Delete(int Index);
    void Clear();
    // The first button of that style, or null.
    TEditButton* FindButton(TButtonStyle Style) const;

    void BeginUpdate() noexcept { ++FUpdateCount; }
    void EndUpdate();

    WinControl& Owner() const noexcept { return FOwner; }
    int IndexOf(const TEditButton* button) const;
    // A button's settings changed.
    void Changed();

private:
    WinControl& FOwner;
    TCustomMultiButtonEdit* FEdit; // not owned: the owner itself
    std::vector<std::unique_ptr<TEditButton>> FItems;
    int FUpdateCount = 0;
};

} // namespace zel
