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
//   children <class>                the window's child controls: class, text, screen rectangle
//   rows <class>                    the window's list box: row count, selected row, and the
//                                   screen rectangle of each row that shows
//   holdclipboard <ready> <stop>    opens the clipboard, creates the file <ready>, and keeps the
//                                   clipboard open until the file <stop> exists
//   holdfile <path> read|none <ready> <stop>
//                                   opens the file for reading, sharing it for reading only or
//                                   not at all, and keeps it open as holdclipboard does
//   edittext <class>                the text of the window's first edit control
//   close <class>                   asks the first top-level window of that class to close
//   version <path>                  the strings of a program file's version resource
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

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

// An edit window keeps its text to itself: ask it, without waiting long on a busy program.
std::wstring EditText(HWND edit) {
    std::wstring text(4096, L'\0');
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                               SMTO_ABORTIFHUNG, 5000, &length))
        length = 0;
    text.resize(length);
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
    // Wine keeps the icon control of a box without icon, showing no icon in it.
    if ((style & SS_TYPEMASK) == SS_ICON && ::IsWindowVisible(child) &&
        ::SendMessageW(child, STM_GETICON, 0, 0)) {
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

BOOL CALLBACK ListChildren(HWND child, LPARAM param) {
    auto* out = reinterpret_cast<std::string*>(param);
    wchar_t name[256] = L"";
    ::GetClassNameW(child, name, 256);
    RECT r{};
    ::GetWindowRect(child, &r);
    char buf[160];
    std::snprintf(buf, sizeof buf,
                  ", \"left\": %ld, \"top\": %ld, \"width\": %ld, \"height\": %ld}", r.left, r.top,
                  r.right - r.left, r.bottom - r.top);
    *out += (out->size() > 1 ? ", " : "") + std::string("{\"class\": ") + Json(name) +
            ", \"text\": " +
            Json(::lstrcmpiW(name, L"Edit") == 0 ? EditText(child) : WindowText(child)) + buf;
    return TRUE;
}

int Children(const wchar_t* className) {
    HWND window = ::FindWindowW(className, nullptr);
    if (!window)
        return 1;
    std::string list = "[";
    ::EnumChildWindows(window, ListChildren, reinterpret_cast<LPARAM>(&list));
    std::printf("{\"children\": %s]}\n", list.c_str());
    return 0;
}

BOOL CALLBACK FindListBox(HWND child, LPARAM param) {
    wchar_t name[64] = L"";
    ::GetClassNameW(child, name, 64);
    if (::lstrcmpiW(name, L"ListBox") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(param) = child;
    return FALSE;
}

int Rows(const wchar_t* className) {
    HWND window = ::FindWindowW(className, nullptr);
    HWND found = nullptr;
    if (window)
        ::EnumChildWindows(window, FindListBox, reinterpret_cast<LPARAM>(&found));
    if (!found)
        return 1;
    int count = static_cast<int>(::SendMessageW(found, LB_GETCOUNT, 0, 0));
    int selected = static_cast<int>(::SendMessageW(found, LB_GETCURSEL, 0, 0));
    RECT client{};
    ::GetClientRect(found, &client);
    std::string rows = "[";
    for (int row = static_cast<int>(::SendMessageW(found, LB_GETTOPINDEX, 0, 0)); row < count;
         ++row) {
        RECT r{};
        ::SendMessageW(found, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
        if (r.top >= client.bottom)
            break;
        POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
        ::MapWindowPoints(found, nullptr, corners, 2);
        char buf[120];
        std::snprintf(buf, sizeof buf, "%s[%d, %ld, %ld, %ld, %ld]", rows.size() > 1 ? ", " : "",
                      row, corners[0].x, corners[0].y, corners[1].x, corners[1].y);
        rows += buf;
    }
    std::printf("{\"count\": %d, \"selected\": %d, \"rows\": %s]}\n", count,
                selected == LB_ERR ? -1 : selected, rows.c_str());
    return 0;
}

// Creates the file <ready>, then polls for the file <stop>: the test decides when the other
// program lets go.
void WaitForStop(const wchar_t* ready, const wchar_t* stop) {
    HANDLE marker = ::CreateFileW(ready, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(marker);
    for (int waited = 0; ::GetFileAttributesW(stop) == INVALID_FILE_ATTRIBUTES && waited < 1200;
         ++waited)
        ::Sleep(100);
}

int HoldClipboard(const wchar_t* ready, const wchar_t* stop) {
    if (!::OpenClipboard(nullptr))
        return 1;
    WaitForStop(ready, stop);
    ::CloseClipboard();
    return 0;
}

int HoldFile(const wchar_t* path, const std::wstring& share, const wchar_t* ready,
             const wchar_t* stop) {
    HANDLE file = ::CreateFileW(path, GENERIC_READ, share == L"read" ? FILE_SHARE_READ : 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    WaitForStop(ready, stop);
    ::CloseHandle(file);
    return 0;
}

int EditText(const wchar_t* className) {
    HWND window = ::FindWindowW(className, nullptr);
    HWND edit = window ? ::FindWindowExW(window, nullptr, L"Edit", nullptr) : nullptr;
    if (!edit)
        return 1;
    std::wstring text(1 << 16, L'\0');
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                               SMTO_ABORTIFHUNG, 5000, &length))
        return 1;
    text.resize(length);
    std::printf("{\"text\": %s}\n", Json(text).c_str());
    return 0;
}

// The strings of a program file's version resource, as its properties show them.
int Version(const wchar_t* path) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path, &ignored);
    std::vector<unsigned char> data(size);
    if (size == 0 || !::GetFileVersionInfoW(path, 0, size, data.data()))
        return 1;
    std::string fields;
    for (const wchar_t* name : {L"FileVersion", L"ProductVersion", L"ProductName",
                                L"FileDescription", L"OriginalFilename"}) {
        wchar_t* value = nullptr;
        UINT length = 0;
        const std::wstring query = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
        if (!::VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value),
                              &length))
            return 1;
        fields += (fields.empty() ? "" : ", ") + Json(name) + ": " +
                  Json(std::wstring(value, length ? length - 1 : 0));
    }
    std::printf("{%s}\n", fields.c_str());
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
    if (command == L"children" && argc == 3)
        return Children(argv[2]);
    if (command == L"rows" && argc == 3)
        return Rows(argv[2]);
    if (command == L"holdclipboard" && argc == 4)
        return HoldClipboard(argv[2], argv[3]);
    if (command == L"holdfile" && argc == 6)
        return HoldFile(argv[2], argv[3], argv[4], argv[5]);
    if (command == L"version" && argc == 3)
        return Version(argv[2]);
    if (command == L"edittext" && argc == 3)
        return EditText(argv[2]);
    if (command == L"close" && argc == 3) {
        HWND window = ::FindWindowW(argv[2], nullptr);
        return window && ::PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    std::fprintf(stderr, "usage: wintool find|count|workarea|frame|dialog|move|minimize|children|"
                         "rows|holdclipboard|holdfile|edittext|close ...\n");
    return 2;
}
