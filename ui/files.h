#pragma once
// Whole-file reads and writes with the system's failure texts, and where the program lives.
#include "ui/unique_handle.h"

#include <string>
#include <string_view>

namespace zel {

// The system's text for an error code, without trailing blanks and periods.
std::u16string SystemErrorText(unsigned long code);

// Reads every byte; others may read the file meanwhile but not write it.
// Fails with "ファイル <path> は開けません。 <system text> ".
std::string ReadWholeFile(const std::u16string& path);

// Replaces a whole file in one step: the new bytes go to a temporary file beside it, which
// then takes the file's name, so that the file holds its old bytes or all of its new ones,
// whatever fails or ends the program in between. Every failure (creating or writing the
// temporary file, or the replace) reads "ファイル "<path>" を作成できません。<system text>" with
// the path of the file itself. The temporary file is removed again unless Commit replaced the
// file.
class FileReplacement {
public:
    // Creates the temporary file.
    explicit FileReplacement(std::u16string path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Appends to the new bytes.
    void Write(std::string_view bytes);
    // Puts the new bytes on disk and in the file's place.
    void Commit();

private:
    [[noreturn]] void Fail(unsigned long code) const;

    std::u16string path_;
    std::u16string temporary_;
    UniqueFile file_;
};

// One FileReplacement with these bytes: creates the file or replaces it whole.
void WriteWholeFile(const std::u16string& path, std::string_view bytes);

bool FileExists(const std::u16string& path);

// Copies byte for byte, overwriting; fails with the system's text.
void CopyFileOverwrite(const std::u16string& from, const std::u16string& to);

// The full path of the running program file.
std::u16string ProgramFilePath();

} // namespace zel
