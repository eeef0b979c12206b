#include "buttonedit/enum_formats.h"

#include "core/error.h"
#include "ui/global_memory.h"
#include "ui/wide.h"

#include <shellapi.h>

namespace zel {

namespace {

// ReleaseStgMedium at the end of the scope.
class MediumGuard {
public:
    explicit MediumGuard(STGMEDIUM& medium) : medium_(medium) {}
    MediumGuard(const MediumGuard&) = delete;
    MediumGuard& operator=(const MediumGuard&) = delete;
    ~MediumGuard() { ::ReleaseStgMedium(&medium_); }

private:
    STGMEDIUM& medium_;
};

} // namespace

TEnumFormats::TEnumFormats(IDataObject* DataObject)
    : FDataObject(ComRef<IDataObject>::Borrow(DataObject)),
      FRTF(static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Rich Text Format"))) {
    if (!DataObject || FAILED(DataObject->EnumFormatEtc(DATADIR_GET, FFormats.put())) || !FFormats)
        throw Exception(u"Cannot get the format enumerator");
}

bool TEnumFormats::Next() {
    FORMATETC format{};
    if (FFormats->Next(1, &format, nullptr) != S_OK)
        return false;
    // The enumerator hands over the target device with the entry; only the rest is kept.
    if (format.ptd)
        ::CoTaskMemFree(format.ptd);
    format.ptd = nullptr;
    FCurrent = format;
    return true;
}

void TEnumFormats::Reset() {
    FFormats->Reset();
    FCurrent = FORMATETC{};
}

bool TEnumFormats::HasFormat(CLIPFORMAT Format) {
    Reset();
    while (Next())
        if (FCurrent.cfFormat == Format)
            return true;
    return false;
}

bool TEnumFormats::GetGlobal(CLIPFORMAT Format, STGMEDIUM& Medium) {
    FORMATETC wanted{Format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (FDataObject->GetData(&wanted, &Medium) == S_OK && Medium.tymed == TYMED_HGLOBAL)
        return true;
    ::ReleaseStgMedium(&Medium);
    Medium = STGMEDIUM{};
    return false;
}

template <class Char>
std::basic_string<Char> TEnumFormats::TextOf(CLIPFORMAT Format) {
    STGMEDIUM medium{};
    if (!GetGlobal(Format, medium))
        return {};
    MediumGuard guard(medium);
    return GlobalText<Char>(medium.hGlobal);
}

std::u16string TEnumFormats::Text() {
    return TextOf<char16_t>(CF_UNICODETEXT);
}

std::string TEnumFormats::RTF() {
    return TextOf<char>(FRTF);
}

std::vector<std::u16string> TEnumFormats::Files() {
    STGMEDIUM medium{};
    if (!GetGlobal(CF_HDROP, medium))
        return {};
    MediumGuard guard(medium);
    auto* drop = static_cast<HDROP>(medium.hGlobal);
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::u16string> files;
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        const UINT length = ::DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size()));
        files.push_back(FromW(name.data(), length));
    }
    return files;
}

} // namespace zel
