#include "buttonedit/drop_target.h"

#include "buttonedit/enum_formats.h"
#include "buttonedit/ext_edit.h"
#include "core/error.h"
#include "ui/application.h"

namespace zel {

namespace {

// Ctrl asks for a copy, otherwise a move; a source that allows only the other gets that.
DWORD EffectFor(DWORD keyState, DWORD allowed) {
    const DWORD wanted = (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    if (allowed & wanted)
        return wanted;
    return allowed & (DROPEFFECT_COPY | DROPEFFECT_MOVE);
}

POINT ScreenPoint(POINTL point) {
    return {point.x, point.y};
}

} // namespace

bool TTextDropTarget::Acceptable(IDataObject* Data) const {
    try {
        TEnumFormats formats(Data);
        return formats.HasText() || formats.HasFile() || (AcceptRTF && formats.HasRTF());
    } catch (const Exception&) {
        return false; // no format enumerator: nothing to read
    }
}

HRESULT TTextDropTarget::DragEnter(IDataObject* Data, DWORD KeyState, POINTL Point, DWORD* Effect) {
    FAllowed = *Effect;
    FAccepted = Acceptable(Data);
    return DragOver(KeyState, Point, Effect);
}

HRESULT TTextDropTarget::DragOver(DWORD KeyState, POINTL Point, DWORD* Effect) {
    *Effect = FAccepted ? EffectFor(KeyState, FAllowed) : DROPEFFECT_NONE;
    if (FAccepted)
        DragMouseMove(ScreenPoint(Point));
    return S_OK;
}

HRESULT TTextDropTarget::DragLeave() {
    FAccepted = false;
    DragEnded();
    return S_OK;
}

HRESULT TTextDropTarget::Drop(IDataObject* Data, DWORD KeyState, POINTL Point, DWORD* Effect) {
    const DWORD effect = FAccepted ? EffectFor(KeyState, *Effect) : DROPEFFECT_NONE;
    *Effect = effect;
    FAccepted = false;
    DragEnded();
    if (effect == DROPEFFECT_NONE)
        return S_OK;
    // Nothing may fly through the system's drag loop: a failure is reported here.
    try {
        Deliver(Data, ScreenPoint(Point), effect == DROPEFFECT_COPY);
    } catch (...) {
        Application::Instance().HandleException();
    }
    return S_OK;
}

void TTextDropTarget::Deliver(IDataObject* Data, POINT Screen, bool Copy) {
    TEnumFormats formats(Data);
    if (formats.HasText())
        DropText(formats.Text(), Screen, Copy);
    else if (AcceptRTF && formats.HasRTF())
        DropRTF(formats.RTF(), Screen, Copy);
    else if (formats.HasFile())
        DropFiles(formats.Files(), Screen);
}

void TTextDropTarget::DropText(const std::u16string&, POINT, bool) {}
void TTextDropTarget::DropRTF(const std::string&, POINT, bool) {}
void TTextDropTarget::DropFiles(const std::vector<std::u16string>&, POINT) {}
void TTextDropTarget::DragMouseMove(POINT) {}

void TEditDropTarget::DropText(const std::u16string& Text, POINT Screen, bool Copy) {
    if (FEdit)
        FEdit->DropText(Text, Screen, Copy);
}

void TEditDropTarget::DragMouseMove(POINT Screen) {
    if (FEdit)
        FEdit->ShowDropCaret(Screen);
}

void TEditDropTarget::DragEnded() {
    if (FEdit)
        FEdit->HideDropCaret();
}

} // namespace zel
