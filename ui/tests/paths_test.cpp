#include "ui/paths.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(Paths, SplitsProgramPaths) {
    EXPECT_EQ(ExtractFilePath(u"C:\\Tools\\Velmora.exe"), u"C:\\Tools\\");
    EXPECT_EQ(ExtractFileName(u"C:\\Tools\\Velmora.exe"), u"Velmora.exe");
    EXPECT_EQ(StripExtension(u"C:\\Tools\\Velmora.exe"), u"C:\\Tools\\Velmora");
    EXPECT_EQ(StripExtension(u"C:\\v1.2\\Velmora"), u"C:\\v1.2\\Velmora");
    EXPECT_EQ(StripExtension(u"C:\\a\\b.c.exe"), u"C:\\a\\b.c");
    EXPECT_EQ(ExtractFilePath(u"Velmora.exe"), u"");
}

} // namespace
} // namespace zel
