#include "builder/project/application_list.h"

#include <gtest/gtest.h>

#include "tests/unit/application_list_helpers.h"

namespace builder {
namespace {

TEST(ApplicationList, AddUniqueDropsPathsEqualIgnoringCaseAndKeepsTheFirst) {
  ApplicationList list;
  list.AddUnique(Entry("\\Windows\\PWord.exe", "first"));
  list.AddUnique(Entry("\\WINDOWS\\pword.EXE", "second"));
  list.AddUnique(Entry("\\windows\\notes.exe"));
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.EntryAt(0).path, "\\Windows\\PWord.exe");
  EXPECT_EQ(list.EntryAt(0).display_name, "first");
}

TEST(ApplicationList, AddUniqueComparesLatin1LettersIgnoringCase) {
  ApplicationList list;
  list.AddUnique(Entry("\\\xC9tude.exe"));  // "\Étude.exe"
  list.AddUnique(Entry("\\\xE9TUDE.exe"));  // "\éTUDE.exe"
  list.AddUnique(Entry("\\\xD7.exe"));      // the multiplication sign has no case
  list.AddUnique(Entry("\\\xF7.exe"));      // nor has the division sign
  EXPECT_EQ(list.Count(), 3);
}

TEST(ApplicationList, InsertRemoveReplaceKeepOrder) {
  ApplicationList list;
  for (const char* path : {"P", "Q", "R"}) list.AddUnique(Entry(path));
  list.InsertAt(3, Entry("S"));
  list.InsertAt(0, Entry("O"));
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"O", "P", "Q", "R", "S"}));
  list.RemoveAt(2);
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"O", "P", "R", "S"}));
  list.ReplaceAt(1, Entry("r"));  // no duplicate test on replace
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"O", "r", "R", "S"}));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(ApplicationList, OutOfRangeIndexesChangeNothing) {
  ApplicationList list;
  list.AddUnique(Entry("P"));
  list.RemoveAt(1);
  list.RemoveAt(-1);
  list.ReplaceAt(5, Entry("X"));
  list.InsertAt(3, Entry("Y"));
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"P"}));
  EXPECT_EQ(list.EntryAt(7), ApplicationEntry{});
}

TEST(ApplicationList, EntriesAreCopiesNotReferences) {
  ApplicationList list;
  ApplicationEntry entry = Entry("P", "label");
  list.AddUnique(entry);
  entry.display_name = "changed";
  ApplicationEntry copy = list.EntryAt(0);
  copy.path = "changed";
  EXPECT_EQ(list.EntryAt(0).display_name, "label");
  EXPECT_EQ(list.EntryAt(0).path, "P");
}

}  // namespace
}  // namespace builder
