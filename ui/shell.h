#pragma once
// Starting programs and documents through the shell.
#include <windows.h>

#include <string>

namespace zel {

// ShellExecuteW with the given verb; empty parameters or folder are passed as none. The result
// is not examined: a program that cannot start is not reported.
void ShellExecuteText(HWND owner, const std::u16string& verb, const std::u16string& file,
                      const std::u16string& parameters, const std::u16string& folder,
                      int showCommand);

} // namespace zel
