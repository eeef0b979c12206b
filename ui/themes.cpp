#include "ui/themes.h"

#include <windows.h>

#include <shlwapi.h>

namespace zel {

bool PlatformSupportsThemes() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    // The version the program is told: without a compatibility entry in the manifest this is
    // at least 6.2, which is all the test needs.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    ::GetVersionExW(&version);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    if (version.dwMajorVersion < 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion < 1))
        return false;
    HMODULE comctl = ::GetModuleHandleW(L"COMCTL32.DLL");
    if (!comctl)
        return false;
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(::GetProcAddress(comctl, "DllGetVersion")));
    DLLVERSIONINFO info{};
    info.cbSize = sizeof(info);
    return getVersion && SUCCEEDED(getVersion(&info)) && info.dwMajorVersion > 5;
}

} // namespace zel
