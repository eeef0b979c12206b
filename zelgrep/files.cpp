#include "zelgrep/files.h"

#include <algorithm>
#include <system_error>

#include "core/utf8.h"

namespace zel {

namespace {

using TFail = std::function<void(std::u16string_view, std::u16string_view)>;

std::u16string Reason(const std::error_code& error) {
    return Utf8ToUtf16(error.message());
}

// The entries of a folder worth searching (folders and regular files, no symbolic links),
// sorted by name; an empty path is the working folder.
std::vector<std::filesystem::directory_entry> FolderEntries(const std::filesystem::path& folder,
                                                            const TFail& fail) {
    std::vector<std::filesystem::directory_entry> entries;
    std::error_code error;
    std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (it->is_symlink(typeError))
            continue;
        if (it->is_directory(typeError) || it->is_regular_file(typeError))
            entries.push_back(*it);
    }
    if (error)
        fail(folder.u16string(), Reason(error));
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.path().filename() < b.path().filename();
    });
    return entries;
}

// Visits the files below a folder, depth first in name order, with an explicit stack of the
// paths still to visit (the next on top) and whether each is a folder.
bool WalkFolder(const std::filesystem::path& root,
                const std::function<bool(const TInputFile&)>& visit, const TFail& fail) {
    std::vector<std::pair<std::filesystem::path, bool>> pending{{root, true}};
    while (!pending.empty()) {
        const auto [path, folder] = std::move(pending.back());
        pending.pop_back();
        if (!folder) {
            if (!visit({path.u16string(), path, true}))
                return false;
            continue;
        }
        const auto entries = FolderEntries(path, fail);
        for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
            std::error_code error;
            pending.emplace_back(path / entry->path().filename(), entry->is_directory(error));
        }
    }
    return true;
}

} // namespace

void ForEachInput(const std::vector<std::u16string>& operands, bool recursive,
                  const std::function<bool(const TInputFile&)>& visit,
                  const std::function<void(std::u16string_view, std::u16string_view)>& fail) {
    if (operands.empty()) {
        if (recursive)
            WalkFolder({}, visit, fail);
        else
            visit({u"(standard input)", {}, false});
        return;
    }
    for (const auto& operand : operands) {
        if (operand == u"-") {
            if (!visit({u"(standard input)", {}, false}))
                return;
            continue;
        }
        const std::filesystem::path path(operand);
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            if (!recursive) {
                fail(operand, u"Is a directory");
                continue;
            }
            if (!WalkFolder(path, visit, fail))
                return;
            continue;
        }
        if (!visit({operand, path, false}))
            return;
    }
}

} // namespace zel
