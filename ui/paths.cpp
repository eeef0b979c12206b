#include "ui/paths.h"

namespace zel {

namespace {

size_t NameStart(std::u16string_view path) {
    auto sep = path.find_last_of(u"\\/:");
    return sep == std::u16string_view::npos ? 0 : sep + 1;
}

} // namespace

std::u16string_view ExtractFilePath(std::u16string_view path) {
    return path.substr(0, NameStart(path));
}

std::u16string_view ExtractFileName(std::u16string_view path) {
    return path.substr(NameStart(path));
}

std::u16string_view StripExtension(std::u16string_view path) {
    auto dot = path.find_last_of(u'.');
    return dot == std::u16string_view::npos || dot < NameStart(path) ? path : path.substr(0, dot);
}

} // namespace zel
