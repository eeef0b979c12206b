#include "buttonedit/edit_label.h"

namespace zel {

void TEditLabel::SetAlwaysEnable(bool value) {
    FAlwaysEnable = value;
    if (value)
        SetEnabled(true);
}

void TEditLabel::SetEnabled(bool enabled) {
    Label::SetEnabled(enabled || FAlwaysEnable);
}

} // namespace zel
