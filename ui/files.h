#pragma once
// Whole-file reads and writes with the system's failure texts, and where the program lives.
#include <string>

namespace zel {

// The system's text for an error code, without trailing blanks and periods.
std::u16string SystemErrorText(unsigned long code);

// Reads every byte; others may read the file meanwhile but not write it.
// Fails with "ファイル <path> は開けません。 <system text> ".
std::string ReadWholeFile(const std::u16string& path);

// Creates or truncates the file and writes the bytes.
// Fails with "ファイル "<path>" を作成できません。<system text>".
void WriteWholeFile(const std::u16string& path, const std::string& bytes);

bool FileExists(const std::u16string& path);

// Copies byte for byte, overwriting; fails with the system's text.
void CopyFileOverwrite(const std::u16string& from, const std::u16string& to);

// The full path of the running program file.
std::u16string ProgramFilePath();

} // namespace zel
