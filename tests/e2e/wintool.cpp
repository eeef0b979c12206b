// The end-to-end tests' eyes inside Wine: reports what the window system knows about the
// programs' windows and dialogs (class names, rectangles, texts), which X11 cannot tell.
// Output is one JSON object per call; exit code 1 when the thing asked for is not there.
//
//   wintool find <class>            the first top-level window of that class
//   wintool count <class>           how many top-level windows have that class
//   wintool workarea                the primary work area
//   wintool frame                   outer size of a 0 x 0 client area of a main window
//   wintool dialog <caption>        a message box with that caption: its text, whether it shows an
//   icon wintool move <class> x y w h    places the window as a user would by dragging wintool
//   minimize <class>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                  0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n,
                          nullptr, nullptr);
    return out;
}

std::string Json(const std::wstring& text) {
    std::string out = "\"";
    for (char c : Utf8(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Reads the text without sending a message, so a busy or dying program cannot block us.
std::wstring WindowText(HWND window) {
    std::wstring text(4096, L'\0');
    text.resize(static_cast<size_t>(
        ::InternalGetWindowText(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

struct Search {
    const wchar_t* className;
    HWND first = nullptr;
    int count = 0;
};

BOOL CALLBACK CountWindows(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t name[256];
    if (::GetClassNameW(window, name, 256) && std::wstring(name) == search->className) {
        if (!search->first)
            search->first = window;
        ++search->count;
    }
    return TRUE;
}

int Find(const wchar_t* className) {
    HWND window = ::FindWindowW(className, nullptr);
    if (!window)
        return 1;
    RECT r{}, c{};
    ::GetWindowRect(window, &r);
    ::GetClientRect(window, &c);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ::GetWindowPlacement(window, &placement);
    std::printf("{\"left\": %ld, \"top\": %ld, \"width\": %ld, \"height\": %ld, "
                "\"clientWidth\": %ld, \"clientHeight\": %ld, \"iconic\": %s, \"visible\": %s, "
                "\"topmost\": %s, \"title\": %s, \"foreground\": %s}\n",
                r.left, r.top, r.right - r.left, r.bottom - r.top, c.right, c.bottom,
                ::IsIconic(window) ? "true" : "false", ::IsWindowVisible(window) ? "true" : "false",
                (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "true" : "false",
                Json(WindowText(window)).c_str(),
                ::GetForegroundWindow() == window ? "true" : "false");
    return 0;
}

BOOL CALLBACK FindIcon(HWND child, LPARAM param) {
    LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON && ::IsWindowVisible(child)) {
        *reinterpret_cast<bool*>(param) = true;
        return FALSE;
    }
    return TRUE;
}

int Dialog(const wchar_t* caption) {
    HWND dialog = ::FindWindowW(L"#32770", caption);
    if (!dialog)
        return 1;
    // A message box shows its text in the static control 0xFFFF, its icon in a visible
    // icon-style static.
    HWND text = ::GetDlgItem(dialog, 0xFFFF);
    bool icon = false;
    ::EnumChildWindows(dialog, FindIcon, reinterpret_cast<LPARAM>(&icon));
    std::printf("{\"text\": %s, \"icon\": %s}\n", Json(text ? WindowText(text) : L"").c_str(),
                icon ? "true" : "false");
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"find" && argc == 3)
        return Find(argv[2]);
    if (command == L"count" && argc == 3) {
        Search search{argv[2]};
        ::EnumWindows(CountWindows, reinterpret_cast<LPARAM>(&search));
        std::printf("{\"count\": %d}\n", search.count);
        return 0;
    }
    if (command == L"workarea") {
        RECT r{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
        std::printf("{\"left\": %ld, \"top\": %ld, \"width\": %ld, \"height\": %ld}\n", r.left,
                    r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (command == L"frame") {
        RECT r{0, 0, 0, 0};
        ::AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, FALSE,
                             WS_EX_APPWINDOW | WS_EX_TOPMOST);
        std::printf("{\"width\": %ld, \"height\": %ld}\n", r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (command == L"dialog" && argc == 3)
        return Dialog(argv[2]);
    if (command == L"move" && argc == 7) {
        HWND window = ::FindWindowW(argv[2], nullptr);
        if (!window)
            return 1;
        ::SetWindowPos(window, nullptr, _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]),
                       _wtoi(argv[6]), SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    if (command == L"minimize" && argc == 3) {
        HWND window = ::FindWindowW(argv[2], nullptr);
        if (!window)
            return 1;
        ::ShowWindow(window, SW_MINIMIZE);
        return 0;
    }
    std::fprintf(stderr, "usage: wintool find|count|workarea|frame|dialog|move|minimize ...\n");
    return 2;
}
