// Whole-file replacement on the platform's file system: the file holds its old bytes or its
// new ones, never a part, and every failure names the file itself.
#include "ui/files.h"

#include "core/error.h"
#include "ui/wide.h"

#include <gtest/gtest.h>

#include <functional>

namespace zel {
namespace {

// A fresh folder of the test's own, removed with what it holds.
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        folder_ = FromW(temp) + u"zel_files_test_" +
                  std::u16string(1, static_cast<char16_t>(u'a' + ::GetCurrentProcessId() % 26));
        ::CreateDirectoryW(W(folder_), nullptr);
        path_ = folder_ + u"\\settings.ini";
    }
    void TearDown() override {
        ::DeleteFileW(W(path_));
        ::RemoveDirectoryW(W(path_));
        ::RemoveDirectoryW(W(Temporary()));
        ::DeleteFileW(W(Temporary()));
        ::RemoveDirectoryW(W(folder_));
    }
    std::u16string Temporary() const { return path_ + u".tmp"; }
    std::u16string CreateFailure() const {
        return u"ファイル \"" + path_ + u"\" を作成できません。";
    }
    // The file's bytes, read while others may go on using it.
    std::string Bytes() const { return ReadWholeFile(path_); }
    void ExpectFailure(const std::function<void()>& write) const {
        try {
            write();
            ADD_FAILURE() << "the write did not fail";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message().substr(0, CreateFailure().size()), CreateFailure());
        }
        EXPECT_FALSE(FileExists(Temporary()));
    }

    std::u16string folder_;
    std::u16string path_;
};

TEST_F(FilesTest, CreatesAndReplacesTheWholeFile) {
    WriteWholeFile(path_, "first version, rather long\r\n");
    EXPECT_EQ(Bytes(), "first version, rather long\r\n");
    WriteWholeFile(path_, "second\r\n");
    EXPECT_EQ(Bytes(), "second\r\n");
    WriteWholeFile(path_, "");
    EXPECT_EQ(Bytes(), "");
    EXPECT_FALSE(FileExists(Temporary()));
}

// A write that stops half-way, as when the disk fills or the program ends: the old bytes stay.
TEST_F(FilesTest, AWriteThatStopsHalfWayLeavesTheOldFile) {
    WriteWholeFile(path_, "[System]\r\nForm1Top2=10\r\n\r\n");
    {
        FileReplacement replacement(path_);
        replacement.Write("[System]\r\n");
        EXPECT_TRUE(FileExists(Temporary()));
    }
    EXPECT_EQ(Bytes(), "[System]\r\nForm1Top2=10\r\n\r\n");
    EXPECT_FALSE(FileExists(Temporary()));
}

TEST_F(FilesTest, AFileThatCannotBeReplacedKeepsItsBytes) {
    WriteWholeFile(path_, "old");
    {
        // Another program reads the file and lets nobody write or remove it meanwhile.
        UniqueFile held(::CreateFileW(W(path_), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        ExpectFailure([this] { WriteWholeFile(path_, "new"); });
    }
    EXPECT_EQ(Bytes(), "old");
    WriteWholeFile(path_, "new");
    EXPECT_EQ(Bytes(), "new");
}

TEST_F(FilesTest, AFolderInThePlaceOfTheFileOrOfItsTemporaryFile) {
    ASSERT_TRUE(::CreateDirectoryW(W(path_), nullptr));
    ExpectFailure([this] { WriteWholeFile(path_, "new"); });
    ::RemoveDirectoryW(W(path_));

    WriteWholeFile(path_, "old");
    ASSERT_TRUE(::CreateDirectoryW(W(Temporary()), nullptr));
    ExpectFailure([this] { WriteWholeFile(path_, "new"); });
    EXPECT_EQ(Bytes(), "old");
}

} // namespace
} // namespace zel
