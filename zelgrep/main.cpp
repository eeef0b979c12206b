// zelgrep's entry points: UTF-16 arguments from wmain on Windows, UTF-8 ones elsewhere.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/utf8.h"
#include "zelgrep/grep.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "zelgrep/console.h"

namespace {

// A console's mode, changed for as long as zelgrep runs and then given back.
class TConsoleMode {
public:
    TConsoleMode(HANDLE console, DWORD mode) : FConsole(console) {
        FChanged = GetConsoleMode(console, &FSaved) && SetConsoleMode(console, FSaved | mode);
    }
    TConsoleMode(const TConsoleMode&) = delete;
    TConsoleMode& operator=(const TConsoleMode&) = delete;
    ~TConsoleMode() {
        if (FChanged)
            SetConsoleMode(FConsole, FSaved);
    }
    bool Changed() const { return FChanged; }

private:
    HANDLE FConsole;
    DWORD FSaved = 0;
    bool FChanged = false;
};

// A console gets UTF-16 through WriteConsoleW; a pipe or a file (no buffer here) gets the
// UTF-8 bytes as they are.
std::unique_ptr<zel::TUtf16StreamBuf> ConsoleBuffer(HANDLE handle) {
    DWORD mode = 0;
    if (!GetConsoleMode(handle, &mode))
        return nullptr;
    return std::make_unique<zel::TUtf16StreamBuf>([handle](std::u16string_view text) {
        DWORD written = 0;
        return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written,
                             nullptr) != 0;
    });
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    static_assert(sizeof(wchar_t) == 2);
    // The bytes pass unchanged: input and output are UTF-8 files, not console text.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    const HANDLE outHandle = GetStdHandle(STD_OUTPUT_HANDLE);
    const auto outConsole = ConsoleBuffer(outHandle);
    const auto errConsole = ConsoleBuffer(GetStdHandle(STD_ERROR_HANDLE));
    std::ostream out(outConsole ? outConsole.get() : std::cout.rdbuf());
    std::ostream err(errConsole ? errConsole.get() : std::cerr.rdbuf());
    // --color=auto colours a console that understands grep's escape sequences.
    const TConsoleMode escapes(outHandle, ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    const int status = zel::RunGrep(args, std::cin, out, err, outConsole && escapes.Changed());
    out.flush();
    err.flush();
    return status;
}
#else
#include <unistd.h>

int main(int argc, char** argv) {
    std::vector<std::u16string> args;
    try {
        for (int i = 1; i < argc; ++i)
            args.push_back(zel::Utf8ToUtf16(argv[i]));
    } catch (const zel::Exception& e) {
        std::cerr << "zelgrep: " << zel::Utf16ToUtf8(e.Message()) << '\n';
        return 2;
    }
    return zel::RunGrep(args, std::cin, std::cout, std::cerr, isatty(STDOUT_FILENO) == 1);
}
#endif
