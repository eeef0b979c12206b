#include "buttonedit/drag_source.h"

#include "ui/global_memory.h"
#include "ui/wide.h"

#include <shlobj.h>

#include <algorithm>

namespace zel {

namespace {

std::string ZeroTerminated(const void* data, size_t bytes, size_t zeroBytes) {
    std::string block(static_cast<const char*>(data), bytes);
    block.append(zeroBytes, '\0');
    return block;
}

std::string CodePageText(const std::u16string& text) {
    if (text.empty())
        return {};
    const int length = ::WideCharToMultiByte(CP_ACP, 0, W(text), static_cast<int>(text.size()),
                                             nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(std::max(length, 0)), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, W(text), static_cast<int>(text.size()), bytes.data(), length,
                          nullptr, nullptr);
    return bytes;
}

} // namespace

ComRef<TDataObject> MakeTextDataObject(const std::u16string& Text) {
    const std::string narrow = CodePageText(Text);
    std::vector<TDataObject::Block> blocks{
        {CF_UNICODETEXT, ZeroTerminated(Text.data(), Text.size() * sizeof(char16_t), 2)},
        {CF_TEXT, ZeroTerminated(narrow.data(), narrow.size(), 1)},
    };
    return MakeComObject<TDataObject>(std::move(blocks));
}

const TDataObject::Block* TDataObject::Find(const FORMATETC* Format, HRESULT& Result) const {
    Result = DV_E_FORMATETC;
    if (!Format)
        return nullptr;
    for (const Block& block : FBlocks) {
        if (block.Format != Format->cfFormat)
            continue;
        if (Format->dwAspect != DVASPECT_CONTENT) {
            Result = DV_E_DVASPECT;
            return nullptr;
        }
        if (!(Format->tymed & TYMED_HGLOBAL)) {
            Result = DV_E_TYMED;
            return nullptr;
        }
        Result = S_OK;
        return &block;
    }
    return nullptr;
}

HRESULT TDataObject::GetData(FORMATETC* Format, STGMEDIUM* Medium) {
    HRESULT result = S_OK;
    const Block* block = Find(Format, result);
    if (!block)
        return result;
    try {
        Medium->hGlobal = GlobalCopy(block->Bytes.data(), block->Bytes.size()).release();
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    Medium->tymed = TYMED_HGLOBAL;
    Medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT TDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) {
    return E_NOTIMPL;
}

HRESULT TDataObject::QueryGetData(FORMATETC* Format) {
    HRESULT result = S_OK;
    Find(Format, result);
    return result;
}

HRESULT TDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* Out) {
    if (Out)
        Out->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT TDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) {
    return E_NOTIMPL;
}

HRESULT TDataObject::EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Formats) {
    if (Direction != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const Block& block : FBlocks)
        formats.push_back({block.Format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), Formats);
}

HRESULT TDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TDataObject::DUnadvise(DWORD) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TDataObject::EnumDAdvise(IEnumSTATDATA**) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TEditDropSource::QueryContinueDrag(BOOL EscapePressed, DWORD KeyState) {
    if (EscapePressed)
        return DRAGDROP_S_CANCEL;
    return (KeyState & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
}

HRESULT TEditDropSource::GiveFeedback(DWORD) {
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

} // namespace zel
