#pragma once
// zelgrep's output: the heads of printed lines (file name, line number, ":" for a selected
// line and "-" for a context line), matches, "--" between context groups, counts and file
// names, with grep's colours when asked. Everything is written as UTF-8.
#include <iosfwd>
#include <string>
#include <string_view>

namespace zel {

class TOutput {
public:
    TOutput(std::ostream& out, bool color) : FOut(out), FColor(color) {}

    bool Colored() const { return FColor; }

    // The name of the current input, and whether it heads its lines.
    void SetFile(std::u16string_view name, bool shown);

    // The head of a line: the file name and the line number (0: none) with their separators.
    void Head(int line, char separator);
    void Text(std::u16string_view text);
    // Text that matched, coloured when colours are on.
    void Match(std::u16string_view text);
    void EndLine();
    void GroupSeparator();
    // -l and -L: the file name alone.
    void FileNameLine();
    // -c: the file name and the number.
    void CountLine(long long count);
    // The plain prefix of JSON lines ("name:"), never coloured, and text already UTF-8.
    void PlainFileHead();
    void Plain(std::string_view text);

private:
    void Colored(std::string_view sgr, std::string_view text);

    std::ostream& FOut;
    const bool FColor;
    std::string FFileName; // UTF-8
    bool FShowName = false;
};

} // namespace zel
