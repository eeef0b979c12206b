// Tamsorn: the main window TForm3 and the constants that make it Tamsorn.
#include "app/deliverable.h"

namespace zel {

const Deliverable kTamsorn = {
    .MutexName = u"Tamsorn",
    .FormClassName = u"TForm3",
    .Title = u"Tamsorn",
    .ReloadButtonWidth = 72,
    .Sibling = {u"btnEXEC", 132, 90, u"Velmoraを起動"},
    .LabelLeft = 226,
    .Keys = {u"Form3Top2", u"Form3Left2", u"Form3ClientWidth2", u"Form3ClientHeight2"},
    .DefaultOffset = 50,
    .SiblingFile = u"Velmora.exe",
};

} // namespace zel
