#pragma once
// The fixture of the edit field's window tests: one TExtEdit on a shown form, its change
// events counted.
#include "buttonedit/ext_edit.h"
#include "buttonedit/tests/win32/edit_window.h"

#include <gtest/gtest.h>

namespace zel::edit_testing {

struct EditWindow : ::testing::Test {
    ShownForm shown;
    TExtEdit* edit = shown.form->Make<TExtEdit>();
    int changes = 0;

    void SetUp() override {
        edit->SetParent(shown.panel);
        edit->SetBounds(10, 10, 200, 21);
        edit->OnChange = [this](Component* sender) {
            EXPECT_EQ(sender, edit);
            ++changes;
        };
    }
    HWND Window() { return edit->Handle(); }
    void Focus() {
        ::SetFocus(Window());
        ASSERT_EQ(::GetFocus(), Window());
    }
    void Unfocus() { ::SetFocus(shown.panel->Handle()); }
};

} // namespace zel::edit_testing
