#include "app/startup.h"

#include "app/main_form.h"
#include "ui/application.h"
#include "ui/wide.h"

namespace zel {

int RunDeliverable(const Deliverable& deliverable) {
    // The mutex is a presence flag in the log-on session: held, never waited on, for the
    // whole run. Failing to create it only loses the single-instance protection.
    UniqueKernelHandle mutex(::CreateMutexW(nullptr, FALSE, W(deliverable.MutexName)));
    if (mutex && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (HWND running = ::FindWindowW(W(deliverable.FormClassName), nullptr)) {
            ::SendMessageW(running, WM_SYSCOMMAND, SC_RESTORE, 0);
            ::SetForegroundWindow(running);
        }
        return 0;
    }

    Application& app = Application::Instance();
    app.Initialize();
    app.SetTitle(deliverable.Title);
    app.CreateForm<MainForm>(deliverable);
    return app.Run();
}

} // namespace zel
