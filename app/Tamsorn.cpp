// Tamsorn's entry point.
#include "app/startup.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return zel::RunDeliverable(zel::kTamsorn);
}
