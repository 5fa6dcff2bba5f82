#include <gtest/gtest.h>

#include <stdexcept>

#include "standins/ce_installer/install_record.h"

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
  EXPECT_EQ(ParseRecord("app\tA\r\nfile\t\\x\r\n").items.size(), 1u);
}

TEST(InstallRecord, RefusesLinesOfNoKnownForm) {
  for (const char* bad : {"file\t\\x\n", "app\tA\nfile\n", "app\tA\nvalue\tHKLM\\K\n", "app\tA\nstray\tx\n",
                          "app\tA\nfile\t\\x\textra\n"}) {
    EXPECT_THROW(ParseRecord(bad), std::runtime_error) << bad;
  }
}

TEST(InstallRecord, MergeKeepsEarlierItemsAndAddsNewOnesOnce) {
  std::vector<InstalledItem> items = Sample().items;
  MergeItems(items, {{ItemKind::File, "\\WINDOWS\\BCMGR.DLL", ""}, {ItemKind::File, "\\Windows\\new.dll", ""}});
  ASSERT_EQ(items.size(), Sample().items.size() + 1);
  EXPECT_EQ(items.back().path, "\\Windows\\new.dll");
}

}  // namespace
}  // namespace standins::ce_installer
