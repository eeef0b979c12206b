#pragma once
// TEnumFormats: reads a data object of a drag (or the clipboard): the formats it offers, through
// its format enumerator, and its Unicode text, rich text and file list. Making a reader
// registers the clipboard format "Rich Text Format".
#include "ui/com_ref.h"

#include <ole2.h>

#include <string>
#include <vector>

namespace zel {

class TEnumFormats {
public:
    // Fails with "Cannot get the format enumerator" when the object gives none.
    explicit TEnumFormats(IDataObject* DataObject);

    // Steps to the next offered format: false after the last one.
    bool Next();
    void Reset();
    // The format the last Next reached: its clipboard format, aspect, index and medium.
    CLIPFORMAT Format() const noexcept { return FCurrent.cfFormat; }
    DWORD Aspect() const noexcept { return FCurrent.dwAspect; }
    LONG Index() const noexcept { return FCurrent.lindex; }
    DWORD Medium() const noexcept { return FCurrent.tymed; }

    bool HasFormat(CLIPFORMAT Format);
    bool HasText() { return HasFormat(CF_UNICODETEXT); }
    bool HasFile() { return HasFormat(CF_HDROP); }
    bool HasRTF() { return HasFormat(FRTF); }
    // The offered Unicode text, rich text and file list; empty when the object has none.
    std::u16string Text();
    std::string RTF();
    std::vector<std::u16string> Files();

private:
    // The format's data in global memory; false when the object does not give it.
    bool GetGlobal(CLIPFORMAT Format, STGMEDIUM& Medium);
    // The zero-terminated text of a format, empty when the object does not give it.
    template <class Char>
    std::basic_string<Char> TextOf(CLIPFORMAT Format);

    ComRef<IDataObject> FDataObject;
    ComRef<IEnumFORMATETC> FFormats;
    FORMATETC FCurrent{};
    CLIPFORMAT FRTF;
};

} // namespace zel
