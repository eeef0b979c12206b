#pragma once
// Drop targets for text. TTextDropTarget decides at the drag's entry whether the data can be
// dropped (Unicode text or a file list; rich text only with AcceptRTF, which nothing in the
// system turns on), keeps that verdict for the whole drag, and hands a drop to DropText,
// DropRTF or DropFiles; DragMouseMove follows the mouse. The effect is a copy with Ctrl held,
// a move otherwise (or whichever of the two the source allows).
// TEditDropTarget drops text into an edit field at the character under the mouse, with a drop
// caret while the drag is over it.
#include "ui/com_ref.h"

#include <ole2.h>

#include <string>
#include <vector>

namespace zel {

class TExtEdit;

class TTextDropTarget : public ComObject<IDropTarget> {
public:
    bool AcceptRTF = false;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* Data, DWORD KeyState, POINTL Point,
                                        DWORD* Effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD KeyState, POINTL Point, DWORD* Effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* Data, DWORD KeyState, POINTL Point,
                                   DWORD* Effect) override;

protected:
    // Screen points; Copy tells a copy from a move.
    virtual void DropText(const std::u16string& Text, POINT Screen, bool Copy);
    virtual void DropRTF(const std::string& RTF, POINT Screen, bool Copy);
    virtual void DropFiles(const std::vector<std::u16string>& Files, POINT Screen);
    virtual void DragMouseMove(POINT Screen);
    // The drag has left without a drop, or dropped.
    virtual void DragEnded() {}

private:
    bool Acceptable(IDataObject* Data) const;
    void Deliver(IDataObject* Data, POINT Screen, bool Copy);

    bool FAccepted = false;
    DWORD FAllowed = DROPEFFECT_NONE; // what the source allows, from the entry on
};

class TEditDropTarget : public TTextDropTarget {
public:
    explicit TEditDropTarget(TExtEdit* Edit) : FEdit(Edit) {}
    // The field is going: the target does nothing any more.
    void Detach() noexcept { FEdit = nullptr; }

protected:
    void DropText(const std::u16string& Text, POINT Screen, bool Copy) override;
    void DragMouseMove(POINT Screen) override;
    void DragEnded() override;

private:
    TExtEdit* FEdit; // not owned: the field owns this target
};

} // namespace zel
