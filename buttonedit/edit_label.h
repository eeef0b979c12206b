#pragma once
// TEditLabel: the caption label of an edit field. With AlwaysEnable it stays enabled when the
// field it belongs to is disabled.
#include "ui/std_controls.h"

namespace zel {

class TEditLabel : public Label {
public:
    using Label::Label;

    bool AlwaysEnable() const noexcept { return FAlwaysEnable; }
    void SetAlwaysEnable(bool value);
    // Disabling is ignored while AlwaysEnable is on.
    void SetEnabled(bool enabled) override;

private:
    bool FAlwaysEnable = false;
};

} // namespace zel
