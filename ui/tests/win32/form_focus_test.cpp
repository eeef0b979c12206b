// The keyboard focus in a form under the platform: activation gives it to the active control,
// Tab and Shift+Tab move it between the tab stops in tab order.
#include "ui/application.h"
#include "ui/form.h"
#include "ui/std_controls.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace zel {
namespace {

// Handles the messages that arrive until the condition holds (false after five seconds).
bool PumpUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return true;
}

struct FormFocus : ::testing::Test {
    static void SetUpTestSuite() { Application::Instance().Initialize(); }

    std::unique_ptr<Form> form = std::make_unique<Form>(nullptr, u"ZelFocusTest", 300, 200, false);

    Button* AddButton(WinControl* parent, int tabOrder, const char16_t* caption) {
        auto* button = form->Make<Button>();
        button->SetCaption(caption);
        button->SetTabOrder(tabOrder);
        button->SetParent(parent);
        button->SetBounds(10 + tabOrder * 20, 10, 18, 18);
        return button;
    }
    bool Focused(WinControl* control) {
        return PumpUntil([control] { return ::GetFocus() == control->HandleIfAllocated(); });
    }
    // A Tab key as the message loop receives it, for the control that has the focus.
    bool Tab(bool shift) {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        const MSG msg{::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        const bool handled = Form::DialogKey(msg);
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        return handled;
    }
};

TEST_F(FormFocus, ShowingTheFormFocusesItsFirstTabStop) {
    Button* late = AddButton(form.get(), 2, u"late");
    Button* noStop = AddButton(form.get(), 0, u"no stop");
    noStop->SetTabStop(false);
    Button* hidden = AddButton(form.get(), 0, u"hidden");
    hidden->SetVisible(false);
    Button* first = AddButton(form.get(), 1, u"first");
    form->Show();
    EXPECT_TRUE(Focused(first));
    EXPECT_EQ(form->ActiveControl(), first);
    EXPECT_NE(::GetFocus(), late->Handle());
}

TEST_F(FormFocus, TabMovesRoundTheTabStopsInTabOrder) {
    auto* panel = form->Make<WinControl>();
    panel->SetTabOrder(1);
    panel->SetParent(form.get());
    panel->SetBounds(0, 40, 300, 40);
    Button* a = AddButton(form.get(), 0, u"a");
    Button* b = AddButton(form.get(), 2, u"b");
    Button* c = AddButton(panel, 1, u"c");
    Button* d = AddButton(panel, 0, u"d");
    Button* disabled = AddButton(panel, 2, u"disabled");
    disabled->SetEnabled(false);
    form->Show();
    ASSERT_TRUE(Focused(a));
    for (Button* next : {d, c, b, a}) {
        EXPECT_TRUE(Tab(false));
        EXPECT_TRUE(Focused(next)) << "forward to " << static_cast<void*>(next);
    }
    for (Button* previous : {b, c, d, a}) {
        EXPECT_TRUE(Tab(true));
        EXPECT_TRUE(Focused(previous)) << "back to " << static_cast<void*>(previous);
    }
}

TEST_F(FormFocus, ComingBackToTheFormRestoresItsFocusedControl) {
    AddButton(form.get(), 0, u"first");
    Button* second = AddButton(form.get(), 1, u"second");
    form->Show();
    second->SetFocus();
    ASSERT_TRUE(Focused(second));

    Form other(nullptr, u"ZelFocusOther", 100, 100, false);
    Button* elsewhere = AddButton(&other, 0, u"elsewhere");
    other.Show();
    ASSERT_TRUE(Focused(elsewhere));
    EXPECT_EQ(form->ActiveControl(), second);

    form->Show();
    EXPECT_TRUE(Focused(second));
}

TEST_F(FormFocus, AnActiveControlThatGoesIsForgotten) {
    Button* stays = AddButton(form.get(), 1, u"stays");
    auto goes = std::make_unique<Button>(nullptr);
    goes->SetParent(form.get());
    goes->SetBounds(0, 0, 20, 20);
    form->Show();
    goes->SetFocus();
    ASSERT_TRUE(Focused(goes.get()));

    // It goes while the user is in another window.
    Form other(nullptr, u"ZelFocusOther", 100, 100, false);
    Button* elsewhere = AddButton(&other, 0, u"elsewhere");
    other.Show();
    ASSERT_TRUE(Focused(elsewhere));
    ASSERT_EQ(form->ActiveControl(), goes.get());
    goes.reset();
    EXPECT_EQ(form->ActiveControl(), nullptr);

    form->Show();
    EXPECT_TRUE(Focused(stays));
}

} // namespace
} // namespace zel
