#pragma once
// The clipboard: puts a Unicode text on it on behalf of a window.
#include <windows.h>

#include <string>

namespace zel {

// Opens the clipboard for `owner`, drops every earlier format and hands over the text with its
// terminating zero as CF_UNICODETEXT (an empty text still puts the zero alone). When another
// program holds the clipboard, fails with "クリップボード <system text> を開けません" and the
// clipboard keeps its content.
void SetClipboardText(HWND owner, const std::u16string& text);

// The clipboard's Unicode text, up to its terminating zero; false when it holds none. Fails
// as SetClipboardText does when another program holds the clipboard.
bool GetClipboardText(HWND owner, std::u16string& text);

} // namespace zel
