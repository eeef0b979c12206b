#include "ui/files.h"

#include "core/error.h"
#include "ui/unique_handle.h"
#include "ui/wide.h"

#include <limits>

namespace zel {

std::u16string SystemErrorText(unsigned long code) {
    wchar_t* buffer = nullptr;
    DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text = buffer ? FromW(buffer, length) : std::u16string();
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() <= u' ' || text.back() == u'.'))
        text.pop_back();
    return text;
}

namespace {

[[noreturn]] void ThrowLastError() {
    throw Exception(SystemErrorText(::GetLastError()));
}

// One ReadFile or WriteFile call moves at most this much of what remains.
DWORD NextChunk(size_t remaining) {
    return static_cast<DWORD>(std::min<size_t>(remaining, std::numeric_limits<DWORD>::max() / 2));
}

} // namespace

std::string ReadWholeFile(const std::u16string& path) {
    UniqueFile file(::CreateFileW(W(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw Exception(
            FormatText(u"ファイル %s は開けません。 %s ", path, SystemErrorText(::GetLastError())));
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size))
        ThrowLastError();
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, NextChunk(bytes.size() - done), &read,
                        nullptr))
            ThrowLastError();
        if (read == 0)
            break;
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

// The temporary file lies beside the file, so that the replace is a rename within one folder;
// a name left by an earlier run that ended half-way is simply overwritten.
FileReplacement::FileReplacement(std::u16string path)
    : path_(std::move(path)), temporary_(path_ + u".tmp"),
      file_(::CreateFileW(W(temporary_), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (!file_)
        Fail(::GetLastError());
}

// The temporary file is open until Commit closes it: while it is, the file was not replaced.
FileReplacement::~FileReplacement() {
    if (!file_)
        return;
    file_.reset();
    ::DeleteFileW(W(temporary_));
}

void FileReplacement::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!::WriteFile(file_.get(), bytes.data(), NextChunk(bytes.size()), &written, nullptr))
            Fail(::GetLastError());
        bytes.remove_prefix(written);
    }
}

void FileReplacement::Commit() {
    if (!::FlushFileBuffers(file_.get()))
        Fail(::GetLastError());
    file_.reset();
    if (!::MoveFileExW(W(temporary_), W(path_),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD code = ::GetLastError();
        ::DeleteFileW(W(temporary_));
        Fail(code);
    }
}

void FileReplacement::Fail(unsigned long code) const {
    throw Exception(
        FormatText(u"ファイル \"%s\" を作成できません。%s", path_, SystemErrorText(code)));
}

void WriteWholeFile(const std::u16string& path, std::string_view bytes) {
    FileReplacement replacement(path);
    replacement.Write(bytes);
    replacement.Commit();
}

bool FileExists(const std::u16string& path) {
    DWORD attributes = ::GetFileAttributesW(W(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CopyFileOverwrite(const std::u16string& from, const std::u16string& to) {
    if (!::CopyFileW(W(from), W(to), FALSE))
        ThrowLastError();
}

std::u16string ProgramFilePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return FromW(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace zel
