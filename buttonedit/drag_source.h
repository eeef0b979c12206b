#pragma once
// The source side of an edit field's text drag: a data object that offers the text as Unicode
// and as 8-bit text (zero-terminated, in global memory, for the content aspect only; it
// refuses advise connections and every other format), and a drop source that cancels on
// Escape, drops when the left button is released and leaves the cursors to the system.
#include "ui/com_ref.h"

#include <ole2.h>

#include <string>
#include <vector>

namespace zel {

// A data object of fixed blocks, one per clipboard format.
class TDataObject : public ComObject<IDataObject> {
public:
    struct Block {
        CLIPFORMAT Format;
        std::string Bytes;
    };
    explicit TDataObject(std::vector<Block> blocks) : FBlocks(std::move(blocks)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* Format, STGMEDIUM* Medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* Format, STGMEDIUM* Medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* Format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* In, FORMATETC* Out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* Format, STGMEDIUM* Medium, BOOL Release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Formats) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* Format, DWORD Flags, IAdviseSink* Sink,
                                      DWORD* Connection) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD Connection) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** Advises) override;

private:
    // The block a request names, or null (with the reason in Result).
    const Block* Find(const FORMATETC* Format, HRESULT& Result) const;

    std::vector<Block> FBlocks;
};

// The data object of a text drag: Unicode text and the same text in the 8-bit code page.
ComRef<TDataObject> MakeTextDataObject(const std::u16string& Text);

class TEditDropSource : public ComObject<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL EscapePressed, DWORD KeyState) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD Effect) override;
};

} // namespace zel
