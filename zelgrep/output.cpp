#include "zelgrep/output.h"

#include <ostream>

#include "core/utf8.h"

namespace zel {

namespace {

// grep's colours when GREP_COLORS is not set.
constexpr std::string_view kMatchColor = "01;31";
constexpr std::string_view kFileColor = "35";
constexpr std::string_view kLineColor = "32";
constexpr std::string_view kSeparatorColor = "36";

} // namespace

void TOutput::SetFile(std::u16string_view name, bool shown) {
    FFileName = Utf16ToUtf8(name);
    FShowName = shown;
}

void TOutput::Colored(std::string_view sgr, std::string_view text) {
    // "\33[K" clears to the end of the line, so that a background colour does not run on.
    if (FColor)
        FOut << "\33[" << sgr << "m\33[K" << text << "\33[m\33[K";
    else
        FOut << text;
}

void TOutput::Head(int line, char separator) {
    const std::string_view separatorText(&separator, 1);
    if (FShowName) {
        Colored(kFileColor, FFileName);
        Colored(kSeparatorColor, separatorText);
    }
    if (line > 0) {
        Colored(kLineColor, std::to_string(line));
        Colored(kSeparatorColor, separatorText);
    }
}

void TOutput::Text(std::u16string_view text) {
    FOut << Utf16ToUtf8(text);
}

void TOutput::Match(std::u16string_view text) {
    Colored(kMatchColor, Utf16ToUtf8(text));
}

void TOutput::EndLine() {
    FOut << '\n';
}

void TOutput::GroupSeparator() {
    Colored(kSeparatorColor, "--");
    EndLine();
}

void TOutput::FileNameLine() {
    Colored(kFileColor, FFileName);
    EndLine();
}

void TOutput::CountLine(long long count) {
    if (FShowName) {
        Colored(kFileColor, FFileName);
        Colored(kSeparatorColor, ":");
    }
    FOut << count << '\n';
}

void TOutput::Plain(std::string_view text) {
    FOut << text;
}

void TOutput::PlainFileHead() {
    if (FShowName)
        FOut << FFileName << ':';
}

} // namespace zel
