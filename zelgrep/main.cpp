// zelgrep's entry points: UTF-16 arguments from wmain on Windows, UTF-8 ones elsewhere.
#include <iostream>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/utf8.h"
#include "zelgrep/grep.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

int wmain(int argc, wchar_t** argv) {
    static_assert(sizeof(wchar_t) == 2);
    // The bytes pass unchanged: input and output are UTF-8 files, not console text.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    return zel::RunGrep(args, std::cin, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
    std::vector<std::u16string> args;
    try {
        for (int i = 1; i < argc; ++i)
            args.push_back(zel::Utf8ToUtf16(argv[i]));
    } catch (const zel::Exception& e) {
        std::cerr << "zelgrep: " << zel::Utf16ToUtf8(e.Message()) << '\n';
        return 2;
    }
    return zel::RunGrep(args, std::cin, std::cout, std::cerr);
}
#endif
