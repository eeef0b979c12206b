#include "ui/application.h"

#include "core/error.h"
#include "core/utf8.h"
#include "ui/wide.h"

#include <commctrl.h>

namespace zel {

Application::Application() : Component(nullptr) {}

Application& Application::Instance() {
    static Application application;
    return application;
}

void Application::Initialize() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
}

int Application::Run() {
    if (mainForm_)
        mainForm_->Show();
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (Form::DialogKey(msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

void Application::Terminate() {
    ::PostQuitMessage(0);
}

void Application::HandleException() {
    try {
        throw;
    } catch (const Exception& e) {
        ShowException(e.Message());
    } catch (const std::exception& e) {
        ShowException(Utf8ToUtf16(e.what()));
    }
}

void Application::ShowException(std::u16string message) {
    if (!message.empty() && message.back() > u'.')
        message += u'.';
    HWND owner = mainForm_ ? mainForm_->HandleIfAllocated() : nullptr;
    ::MessageBoxW(owner, W(message), W(title_), MB_OK | MB_ICONERROR);
}

void ShowMessage(const std::u16string& text) {
    auto& app = Application::Instance();
    HWND owner = app.MainForm() ? app.MainForm()->HandleIfAllocated() : nullptr;
    ::MessageBoxW(owner, W(text), W(app.Title()), MB_OK);
}

} // namespace zel
