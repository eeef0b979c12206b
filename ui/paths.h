#pragma once
// Windows path pieces, portable so that the derivations are tested natively.
#include <string>
#include <string_view>

namespace zel {

// The folder of a path with its trailing separator ("C:\Tools\" for "C:\Tools\Velmora.exe").
std::u16string_view ExtractFilePath(std::u16string_view path);
// The file name without its folder.
std::u16string_view ExtractFileName(std::u16string_view path);
// The path without the extension of its file name ("C:\a.b\x" keeps its dotted folder).
std::u16string_view StripExtension(std::u16string_view path);

} // namespace zel
