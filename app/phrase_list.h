#pragma once
// The phrase list file: where it and its template lie, how its lines become list items, and
// which icon each line gets. A line holding "◆" is a heading: it moves itself and the lines
// after it to the next of the icons 1 to 9.
#include "listbox/list_items.h"

#include <string>
#include <string_view>

namespace zel {

struct PhraseListPaths {
    std::u16string List;     // <folder><program name>_LIST.txt
    std::u16string Template; // <folder><program name>_LIST_tmp.txt
};

PhraseListPaths PhraseListPathsFor(std::u16string_view programFile);

inline constexpr char16_t kHeadingMark = u'◆';

inline bool IsHeading(std::u16string_view line) {
    return line.find(kHeadingMark) != std::u16string_view::npos;
}

// The icon counter: before the first line it is 0; it gives each line its icon.
class IconCounter {
public:
    int Next(std::u16string_view line) {
        if (IsHeading(line))
            ++counter_;
        if (counter_ == 0 || counter_ == 10)
            counter_ = 1;
        return counter_;
    }

private:
    int counter_ = 0;
};

// Appends one item per line of the file's text (CR LF, LF and CR end lines; a NUL ends the
// text) with its icon, inside one update bracket of the items, closed also on failure.
void AddPhraseLines(TListBoxItems& items, std::u16string_view text);

// The list's row height for the display's horizontal pixels per inch: the scale in whole
// percent, applied to 16 pixels and rounded up.
int ItemHeightForDpi(int dpi);

// The plain message when the template is missing.
std::u16string TemplateMissingMessage(std::u16string_view templateFileName);

// The explanation shown before the list file opens in Notepad: ten lines, each separated from
// the next by LF CR.
std::u16string EditListMessage();

} // namespace zel
