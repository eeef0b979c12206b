#include "ui/shell.h"

#include "ui/wide.h"

#include <shellapi.h>

namespace zel {

void ShellExecuteText(HWND owner, const std::u16string& verb, const std::u16string& file,
                      const std::u16string& parameters, const std::u16string& folder,
                      int showCommand) {
    ::ShellExecuteW(owner, W(verb), W(file), parameters.empty() ? nullptr : W(parameters),
                    folder.empty() ? nullptr : W(folder), showCommand);
}

} // namespace zel
