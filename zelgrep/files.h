#pragma once
// zelgrep's inputs: the operands in order, standard input for "-" (or when there are none),
// and with -r the files below a folder, in name order.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

struct TInputFile {
    std::u16string Name;        // as printed: the path, or "(standard input)"
    std::filesystem::path Path; // empty for standard input
    bool FromFolder = false;    // found below a folder given with -r
    bool StandardInput() const { return Path.empty(); }
};

// Calls visit for every input until it answers false. Inputs that cannot be searched (a
// folder without -r, a folder that cannot be listed) go to fail with the reason. Below a
// folder, symbolic links and special files are skipped; with -r and no operand the working
// folder is searched and its files are named without "./".
void ForEachInput(
    const std::vector<std::u16string>& operands, bool recursive,
    const std::function<bool(const TInputFile&)>& visit,
    const std::function<void(std::u16string_view name, std::u16string_view reason)>& fail);

} // namespace zel
