// The settings file fuzz case. Input: the file's bytes. Checks that what is read survives
// writing the file back, that writing it back again changes nothing, and that written values
// read back as written.
#include "fuzz/fuzz_cases.h"
#include "fuzz/fuzz_input.h"

#include "core/error.h"
#include "ui/settings_file.h"
#include "ui/text_lines.h"

#include <climits>
#include <string_view>
#include <vector>

namespace zel {
namespace {

// Settings files are small; larger inputs only repeat what smaller ones find.
constexpr std::size_t kMaxFile = 1 << 16;
constexpr int kMissing = INT_MIN + 7;

struct Name {
    std::u16string_view section, key;
};

// The program's keys, in other letter case too, and a few a user may have added.
constexpr Name kNames[] = {
    {u"System", u"Form1Top2"},
    {u"System", u"Form1Left2"},
    {u"System", u"Form1ClientWidth2"},
    {u"System", u"Form1ClientHeight2"},
    {u"SYSTEM", u"form1top2"},
    {u"System", u"Form3Top2"},
    {u"Other", u"keep"},
    {u"", u""},
    {u"System", u"x"},
    {u"a", u"b"},
};
constexpr std::size_t kWritten = 4; // the first four: what closing the program writes

std::vector<int> ReadAll(const SettingsFile& settings) {
    std::vector<int> values;
    for (const Name& name : kNames)
        values.push_back(settings.ReadInteger(name.section, name.key, kMissing));
    return values;
}

// Written values: from the file's bytes, and the ends of the range.
int WrittenValue(std::string_view file, std::size_t n) {
    std::uint32_t hash = 2166136261u;
    for (char c : file)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    const int values[] = {static_cast<int>(hash), -static_cast<int>(hash >> 1), INT_MIN, INT_MAX};
    return values[n % 4];
}

bool SameName(const Name& a, const Name& b) {
    return SameTextIgnoringCase(a.section, b.section) && SameTextIgnoringCase(a.key, b.key);
}

} // namespace

void RunSettingsFuzzCase(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxFile)
        return;
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    SettingsFile settings;
    try {
        settings = SettingsFile::FromBytes(file);
    } catch (const Exception& e) {
        fuzz::CheckInput(
            e.Message() ==
                u"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません",
            "only invalid UTF-8 fails", file);
        return;
    }
    const std::vector<int> read = ReadAll(settings);
    const std::string written = settings.ToBytes();
    fuzz::CheckInput(written.starts_with("\xEF\xBB\xBF"),
                     "the file begins with the byte-order mark", file);
    const SettingsFile again = SettingsFile::FromBytes(written);
    fuzz::CheckInput(ReadAll(again) == read, "what was read reads the same after writing back",
                     file);
    fuzz::CheckInput(again.ToBytes() == written, "writing back twice changes nothing", file);

    for (std::size_t n = 0; n < kWritten; ++n)
        settings.WriteInteger(kNames[n].section, kNames[n].key, WrittenValue(file, n));
    const std::vector<int> after = ReadAll(SettingsFile::FromBytes(settings.ToBytes()));
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
        std::size_t writer = kWritten;
        for (std::size_t n = 0; n < kWritten; ++n)
            if (SameName(kNames[i], kNames[n]))
                writer = n;
        fuzz::CheckInput(after[i] == (writer < kWritten ? WrittenValue(file, writer) : read[i]),
                         "written values read back as written, and nothing else changes", file);
    }
}

} // namespace zel
