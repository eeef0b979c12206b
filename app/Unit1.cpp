// Velmora: the main window TForm1 and the constants that make it Velmora.
#include "app/deliverable.h"

namespace zel {

const Deliverable kVelmora = {
    .MutexName = u"Velmora",
    .FormClassName = u"TForm1",
    .Title = u"Velmora",
    .ReloadButtonWidth = 77,
    .Sibling = {u"btn_EXEC", 138, 103, u"Tamsornを起動"},
    .LabelLeft = 243,
    .Keys = {u"Form1Top2", u"Form1Left2", u"Form1ClientWidth2", u"Form1ClientHeight2"},
    .DefaultOffset = 0,
    .SiblingFile = u"Tamsorn.exe",
};

} // namespace zel
