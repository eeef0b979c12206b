// Persistence of the edit field: the text kept in an INI file or the registry across two
// "runs" (a form that goes, then a new one whose Loaded step reads it back), the lookup
// history with it, and files that are damaged or cannot be written.
#include "buttonedit/multi_button_edit.h"
#include "buttonedit/tests/win32/edit_window.h"
#include "core/error.h"
#include "ui/files.h"
#include "ui/settings_store.h"
#include "ui/wide.h"

#include <gtest/gtest.h>

#include <string>

namespace zel {
namespace {

using namespace zel::edit_testing;

std::u16string Numbered(const std::u16string& name) {
    const std::string pid = std::to_string(::GetCurrentProcessId());
    return name + std::u16string(pid.begin(), pid.end());
}

// A path in the temporary folder, removed (with what a replacement may leave) by the test.
struct TempPath {
    explicit TempPath(const std::u16string& name) {
        wchar_t folder[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH + 1, folder);
        path = FromW(folder) + Numbered(name);
    }
    ~TempPath() {
        ::DeleteFileW(W(path));
        ::DeleteFileW(W(path + u".tmp"));
        ::RemoveDirectoryW(W(path));
    }
    TempPath(const TempPath&) = delete;
    TempPath& operator=(const TempPath&) = delete;
    std::u16string path;
};

// The test's own key below HKEY_CURRENT_USER, removed with everything in it.
struct TempRegistryKey {
    TempRegistryKey() : path(Numbered(u"Software\\ZelButtonEditTests")) {}
    ~TempRegistryKey() { ::RegDeleteTreeW(HKEY_CURRENT_USER, W(path)); }
    TempRegistryKey(const TempRegistryKey&) = delete;
    TempRegistryKey& operator=(const TempRegistryKey&) = delete;
    std::u16string path;
};

// One run of a program: a shown form whose fields store their text when it goes.
struct ProgramRun {
    ShownForm shown;
    TExtEdit* Field(const std::u16string& name, const TPersistence& where,
                    const std::u16string& design) {
        auto* edit = shown.form->Make<TExtEdit>();
        edit->SetName(name);
        edit->SetParent(shown.panel);
        edit->SetBounds(10, 10 + 25 * fields++, 200, 21);
        edit->Persistence() = where;
        edit->SetText(design);
        return edit;
    }
    void End() { shown.form.reset(); }
    int fields = 0;
};

TPersistence InIni(const std::u16string& path, const std::u16string& section) {
    return {true, path, section, TPersistenceLocation::plInifile};
}

struct PersistEdit : ::testing::Test {
    TempPath ini{u"zel_persist.ini"};
    TempRegistryKey registry;
};

TEST_F(PersistEdit, AnIniFileKeepsTheTextBetweenRunsBesideEverythingElse) {
    WriteWholeFile(ini.path, "[Other]\r\nx=1\r\n[Edits]\r\nKeep=this\r\nEdit3=@\r\n");
    {
        ProgramRun first;
        first.Field(u"Edit1", InIni(ini.path, u"Edits"), u"design")->SetText(u"between runs");
        TExtEdit* priced = first.Field(u"Price", InIni(ini.path, u"Edits"), u"");
        priced->SetPrefix(u"EUR ");
        priced->SetText(u"12");
        first.End();
    }
    const SettingsFile file = OpenSettingsFile(ini.path);
    EXPECT_EQ(file.ReadString(u"Edits", u"Edit1"), u"between runs");
    EXPECT_EQ(file.ReadString(u"Edits", u"Price"), u"EUR 12");
    EXPECT_EQ(file.ReadString(u"Edits", u"Keep"), u"this");
    EXPECT_EQ(file.ReadString(u"Other", u"x"), u"1");

    ProgramRun second;
    TExtEdit* kept = second.Field(u"Edit1", InIni(ini.path, u"Edits"), u"design");
    TExtEdit* absent = second.Field(u"Edit2", InIni(ini.path, u"Edits"), u"design");
    TExtEdit* unset = second.Field(u"Edit3", InIni(ini.path, u"Edits"), u"design");
    TExtEdit* priced = second.Field(u"Price", InIni(ini.path, u"Edits"), u"");
    priced->SetPrefix(u"EUR ");
    for (TExtEdit* field : {kept, absent, unset, priced})
        field->Loaded();
    EXPECT_EQ(kept->Text(), u"between runs");
    EXPECT_EQ(absent->Text(), u"design");
    EXPECT_EQ(unset->Text(), u"design");
    EXPECT_EQ(priced->Text(), u"12");
}

TEST_F(PersistEdit, TheLookupHistoryTravelsWithTheText) {
    {
        ProgramRun first;
        TExtEdit* field = first.Field(u"Fruit", InIni(ini.path, u"Edits"), u"Apple");
        field->Lookup().Enabled = true;
        field->Lookup().History = true;
        field->Lookup().AddPair(u"Apple", u"red");
        field->Lookup().AddPair(u"Banana", u"");
        field->Lookup().AddPair(u"Cherry", u"dark");
        first.End();
    }
    const SettingsFile file = OpenSettingsFile(ini.path);
    EXPECT_EQ(file.ReadString(u"Edits", u"LOOKUPCOUNT"), u"3");
    EXPECT_EQ(file.ReadString(u"Edits", u"LOOKUPDISPL3"), u"Cherry");
    EXPECT_EQ(file.ReadString(u"Edits", u"LOOKUPVAL3"), u"dark");

    ProgramRun second;
    TExtEdit* field = second.Field(u"Fruit", InIni(ini.path, u"Edits"), u"");
    field->Lookup().Enabled = true;
    field->Lookup().History = true;
    field->Loaded();
    EXPECT_EQ(field->Text(), u"Apple");
    EXPECT_EQ(field->Lookup().DisplayList(),
              (std::vector<std::u16string>{u"Apple", u"Banana", u"Cherry"}));
    EXPECT_EQ(field->Lookup().ValueList(), (std::vector<std::u16string>{u"red", u"", u"dark"}));
}

TEST_F(PersistEdit, WithoutKeyAndSectionTheFileLiesBesideTheProgram) {
    const std::u16string expected = DefaultPersistenceFile();
    ASSERT_TRUE(expected.ends_with(u"buttonedit_win32_tests.INI"));
    ::DeleteFileW(W(expected));
    TPersistence where;
    where.Enable = true;
    ProgramRun run;
    TExtEdit* field = run.Field(u"Edit1", where, u"beside");
    field->SavePersist();
    EXPECT_EQ(field->Persistence().Key, expected);
    EXPECT_EQ(field->Persistence().Section, u"Edit1");
    EXPECT_EQ(OpenSettingsFile(expected).ReadString(u"Edit1", u"Edit1"), u"beside");
    field->Persistence().Enable = false;
    ::DeleteFileW(W(expected));
}

TEST_F(PersistEdit, TheRegistryKeepsTheTextOfTheCurrentUser) {
    const TPersistence where{true, registry.path, u"Edits", TPersistenceLocation::plRegistry};
    {
        ProgramRun first;
        first.Field(u"Edit1", where, u"in the registry");
        first.End();
    }
    wchar_t stored[64] = {};
    DWORD bytes = sizeof stored;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, W(registry.path + u"\\Edits"), L"Edit1",
                             RRF_RT_REG_SZ, nullptr, stored, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(stored), L"in the registry");

    ProgramRun second;
    TExtEdit* field = second.Field(u"Edit1", where, u"design");
    TExtEdit* absent = second.Field(u"Edit2", where, u"design");
    field->Loaded();
    absent->Loaded();
    EXPECT_EQ(field->Text(), u"in the registry");
    EXPECT_EQ(absent->Text(), u"design");
}

TEST_F(PersistEdit, ADamagedFileIsReportedAndLeftAsItIs) {
    const std::string damaged = "[Edits]\r\nEdit1=\x82\xA0\r\nOther=kept\r\n";
    WriteWholeFile(ini.path, damaged);
    ProgramRun run;
    TExtEdit* field = run.Field(u"Edit1", InIni(ini.path, u"Edits"), u"design");
    EXPECT_THROW(field->Loaded(), Exception);
    EXPECT_EQ(field->Text(), u"design");
    EXPECT_THROW(field->SavePersist(), Exception);
    EXPECT_EQ(ReadWholeFile(ini.path), damaged);
    field->Persistence().Enable = false; // no report when the window goes
}

TEST_F(PersistEdit, AFileThatCannotBeWrittenIsReportedWithItsName) {
    ASSERT_TRUE(::CreateDirectoryW(W(ini.path), nullptr)); // a folder where the file should be
    ProgramRun run;
    TExtEdit* field = run.Field(u"Edit1", InIni(ini.path, u"Edits"), u"text");
    try {
        field->SavePersist();
        FAIL() << "the save did not fail";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find(ini.path), std::u16string::npos);
    }
    EXPECT_EQ(::GetFileAttributesW(W(ini.path + u".tmp")), INVALID_FILE_ATTRIBUTES);
    field->Persistence().Enable = false;
}

TEST_F(PersistEdit, AFieldMadeByCodeNeverLoads) {
    WriteWholeFile(ini.path, "[Edits]\r\nInner=stored\r\n");
    ProgramRun run;
    auto* composite = run.shown.form->Make<TMultiButtonEdit>();
    composite->SetParent(run.shown.panel);
    TExtEdit& inner = composite->Edit();
    inner.SetName(u"Inner");
    inner.Persistence() = InIni(ini.path, u"Edits");
    inner.Persistence().Enable = true;
    composite->SetText(u"design");
    composite->Loaded();
    EXPECT_EQ(composite->Text(), u"design");
    inner.Persistence().Enable = false;
}

} // namespace
} // namespace zel
