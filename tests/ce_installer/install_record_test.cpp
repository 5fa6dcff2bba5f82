#include <gtest/gtest.h>

#include <stdexcept>

#include "standins/ce_installer/install_record.h"
#include "tests/package_tool/package_test_support.h"

namespace standins::ce_installer {
namespace {

InstallRecord Sample() {
  return {"Brindlecove",
          "\\Program Files\\Brindlecove",
          "\\Windows\\AppMgr\\Brindlecove.dll",
          {{ItemKind::Folder, "\\Program Files\\Brindlecove", ""},
           {ItemKind::File, "\\Windows\\bcmgr.dll", ""},
           {ItemKind::Key, "HKLM\\Software\\Brindlecove", ""},
           {ItemKind::Value, "HKLM\\Software\\Brindlecove", "AppPath"},
           {ItemKind::Value, "HKLM\\Software\\Brindlecove", ""}}};
}

std::string RefusalOf(const std::string& text) {
  return package_tool_test::MessageOf<std::runtime_error>([&] { ParseRecord(text); });
}

TEST(InstallRecord, ReadsBackWhatItWrote) {
  InstallRecord read = ParseRecord(FormatRecord(Sample()));
  EXPECT_EQ(read.appName, "Brindlecove");
  EXPECT_EQ(read.installDir, "\\Program Files\\Brindlecove");
  EXPECT_EQ(read.setupLibrary, "\\Windows\\AppMgr\\Brindlecove.dll");
  EXPECT_EQ(read.items, Sample().items);
}

TEST(InstallRecord, OneTabSeparatedItemALine) {
  std::string text = FormatRecord(Sample());
  EXPECT_NE(text.find("\nfile\t\\Windows\\bcmgr.dll\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nvalue\tHKLM\\Software\\Brindlecove\tAppPath\n"), std::string::npos) << text;
}

// A record edited on the desktop may come back with CRLF line ends.
TEST(InstallRecord, CarriageReturnsOfTheLineEndsAreNotPartOfTheFields) {
  const InstallRecord read =
      ParseRecord("app\tA\r\ninstalldir\t\\I\r\nsetuplibrary\t\\L.dll\r\nfile\t\\x\r\nvalue\tHKLM\\K\tN\r\n\r\n");
  EXPECT_EQ(read.appName, "A");
  EXPECT_EQ(read.installDir, "\\I");
  EXPECT_EQ(read.setupLibrary, "\\L.dll");
  EXPECT_EQ(read.items, (std::vector<InstalledItem>{{ItemKind::File, "\\x", ""}, {ItemKind::Value, "HKLM\\K", "N"}}));
}

TEST(InstallRecord, RefusesLinesOfNoKnownForm) {
  EXPECT_EQ(RefusalOf("file\t\\x\n"), "record without an application name");
  for (const char* bad : {"file", "file\t", "value\tHKLM\\K", "value\t\tN", "stray\tx", "file\t\\x\textra", "app",
                          "app\t", "installdir\t", "\tx"}) {
    EXPECT_EQ(RefusalOf("app\tA\n" + std::string(bad) + "\n"), "bad record line \"" + std::string(bad) + "\"") << bad;
  }
}

TEST(InstallRecord, MergeKeepsEarlierItemsAndAddsNewOnesOnce) {
  std::vector<InstalledItem> items = Sample().items;
  MergeItems(items, {{ItemKind::File, "\\WINDOWS\\BCMGR.DLL", ""}, {ItemKind::File, "\\Windows\\new.dll", ""}});
  ASSERT_EQ(items.size(), Sample().items.size() + 1);
  EXPECT_EQ(items.back().path, "\\Windows\\new.dll");
  MergeItems(items, {{ItemKind::Value, "hklm\\software\\brindlecove", "APPPATH"},
                     {ItemKind::Value, "HKLM\\Software\\Brindlecove", "Other"}});
  ASSERT_EQ(items.size(), Sample().items.size() + 2);
  EXPECT_EQ(items.back().name, "Other");
}

}  // namespace
}  // namespace standins::ce_installer
