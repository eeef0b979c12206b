// TExtEdit's OLE drag and drop: the registered drop target, the drop caret, dropped text and
// the drag of the selected text.
#include "buttonedit/ext_edit.h"

#include "buttonedit/drag_source.h"
#include "ui/ole_session.h"

#include <algorithm>

namespace zel {

namespace {

// The edit unit initialises OLE for the user-interface thread, the one that starts the program,
// and releases it when the program ends, after every field has gone.
const OleSession kUserInterfaceOle;

// A dropped text keeps its first line.
std::u16string FirstLine(const std::u16string& text) {
    std::u16string line = text.substr(0, text.find(u'\r'));
    return line.substr(0, line.find(u'\n'));
}

} // namespace

void TExtEdit::SetOleDropTarget(bool value) {
    FOleDropTarget = value;
    if (value)
        RegisterDropTarget();
    else
        RevokeDropTarget();
}

void TExtEdit::RegisterDropTarget() {
    HWND window = HandleIfAllocated();
    if (!FOleDropTarget || !window || FDropTargetRegistered)
        return;
    if (!FDropTarget)
        FDropTarget = MakeComObject<TEditDropTarget>(this);
    FDropTargetRegistered = SUCCEEDED(::RegisterDragDrop(window, FDropTarget.get()));
}

void TExtEdit::RevokeDropTarget() {
    if (FDropTargetRegistered)
        ::RevokeDragDrop(HandleIfAllocated());
    FDropTargetRegistered = false;
}

void TExtEdit::ShowDropCaret(POINT screen) {
    ::ScreenToClient(Handle(), &screen);
    const TextRange value = ValueRange();
    const int at = std::clamp(CharFromPos(screen), value.Start, value.End);
    if (at == FDropCaret)
        return;
    FDropCaret = at;
    Invalidate();
}

void TExtEdit::HideDropCaret() {
    if (FDropCaret < 0)
        return;
    FDropCaret = -1;
    Invalidate();
}

void TExtEdit::PaintDropCaret(HDC dc) {
    if (FDropCaret < 0)
        return;
    const POINT at = PosFromChar(FDropCaret);
    SelectGuard font(dc, GetFont().Handle());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    RECT bar{at.x, at.y, at.x + 1, at.y + metrics.tmHeight};
    ::FillRect(dc, &bar, ::GetSysColorBrush(COLOR_WINDOWTEXT));
}

void TExtEdit::DropText(const std::u16string& text, POINT screen, bool copy) {
    ::ScreenToClient(Handle(), &screen);
    const TextRange value = ValueRange();
    const TextRange selection = Selection();
    const int at = std::clamp(CharFromPos(screen), value.Start, value.End);
    // Text dragged out of this field and dropped into its own selection stays where it is.
    if (FDragSource && at >= selection.Start && at < selection.End)
        return;
    const std::u16string line = FirstLine(text);
    std::u16string window = WindowText();
    int caret = at;
    if (FDragSource && !copy) {
        window.erase(static_cast<size_t>(selection.Start),
                     static_cast<size_t>(selection.End - selection.Start));
        if (caret >= selection.End)
            caret -= selection.End - selection.Start;
    }
    PasteResult dropped = PastedText(window, {caret, caret}, line);
    std::optional<std::u16string> typed = TypedPaste(dropped.Text);
    if (!typed)
        return;
    SetWindowTextKeepingNotifications(*typed);
    SetSelection({dropped.Inserted.End, dropped.Inserted.End});
    SetModified(true);
}

void TExtEdit::StartOleDrag() {
    const TextRange selection = Selection();
    const std::u16string text = WindowText().substr(
        static_cast<size_t>(selection.Start), static_cast<size_t>(selection.End - selection.Start));
    ComRef<TDataObject> data = MakeTextDataObject(text);
    ComRef<TEditDropSource> source = MakeComObject<TEditDropSource>();
    FButtonDown = false;
    FDragSource = true;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result =
        ::DoDragDrop(data.get(), source.get(), DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    FDragSource = false;
    // A move takes the text away here; a drop into this field has moved it already.
    if (result == DRAGDROP_S_DROP && (effect & DROPEFFECT_MOVE) &&
        Selection().End > Selection().Start)
        ::SendMessageW(HandleIfAllocated(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

} // namespace zel
