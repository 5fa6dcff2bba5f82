// The duplicate test of AddUnique must follow every way a path enters or
// leaves the list, not only AddUnique itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/application_list_helpers.h"

namespace builder::project {
namespace {

TEST(ApplicationListDuplicates, APathThatLeftTheListCanBeAddedAgain) {
  ApplicationList list;
  for (const char* path : {"\\A.exe", "\\B.exe", "\\C.exe"}) list.AddUnique(Entry(path));
  list.RemoveAt(0);
  list.ReplaceAt(0, Entry("\\D.exe"));  // B leaves, D comes
  list.AddUnique(Entry("\\a.EXE"));
  list.AddUnique(Entry("\\b.exe"));
  list.AddUnique(Entry("\\d.exe"));
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"\\D.exe", "\\C.exe", "\\a.EXE", "\\b.exe"}));
  list.Clear();
  list.AddUnique(Entry("\\c.exe"));
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"\\c.exe"}));
}

TEST(ApplicationListDuplicates, PathsPutInByInsertOrReplaceAreDuplicatesToo) {
  ApplicationList list;
  list.InsertAt(0, Entry("\\Inserted.exe"));
  list.AddUnique(Entry("\\A.exe"));
  list.ReplaceAt(1, Entry("\\Replaced.exe"));
  list.AddUnique(Entry("\\INSERTED.exe"));
  list.AddUnique(Entry("\\replaced.EXE"));
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"\\Inserted.exe", "\\Replaced.exe"}));
}

TEST(ApplicationListDuplicates, APathListedTwiceStaysTakenUntilBothAreGone) {
  ApplicationList list;
  for (const char* path : {"\\A.exe", "\\B.exe", "\\C.exe"}) list.AddUnique(Entry(path));
  list.ReplaceAt(1, Entry("\\a.exe"));  // a modified entry may repeat a path
  list.RemoveAt(0);
  list.AddUnique(Entry("\\A.EXE"));
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"\\a.exe", "\\C.exe"}));
  list.RemoveAt(0);
  list.AddUnique(Entry("\\A.EXE"));
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"\\C.exe", "\\A.EXE"}));
}

}  // namespace
}  // namespace builder::project
