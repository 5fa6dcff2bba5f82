#include "builder/project/application_list.h"

#include <gtest/gtest.h>

#include "tests/unit/application_list_helpers.h"

namespace builder::project {
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

// How many of two paths "\<first>tude.exe" and "\<second>TUDE.exe" AddUnique keeps.
int KeptOf(const char* first, const char* second) {
  ApplicationList list;
  list.AddUnique(Entry(std::string("\\") + first + "tude.exe"));
  list.AddUnique(Entry(std::string("\\") + second + "TUDE.exe"));
  return list.Count();
}

// The Western code page (1252), which the Windows suite runs under too.
TEST(ApplicationList, AddUniqueComparesWesternLettersIgnoringCase) {
  EXPECT_EQ(KeptOf("\xC0", "\xE0"), 1);  // À à
  EXPECT_EQ(KeptOf("\xC9", "\xE9"), 1);  // É é
  EXPECT_EQ(KeptOf("\xDE", "\xFE"), 1);  // Þ þ
  EXPECT_EQ(KeptOf("\x8A", "\x9A"), 1);  // Š š
  EXPECT_EQ(KeptOf("\x8C", "\x9C"), 1);  // Œ œ
  EXPECT_EQ(KeptOf("\x8E", "\x9E"), 1);  // Ž ž
  EXPECT_EQ(KeptOf("\x9F", "\xFF"), 1);  // Ÿ ÿ
}

TEST(ApplicationList, AddUniqueComparesAsciiLettersFromAToZIgnoringCase) {
  EXPECT_EQ(KeptOf("A", "a"), 1);
  EXPECT_EQ(KeptOf("Z", "z"), 1);
  EXPECT_EQ(KeptOf("@", "`"), 2);  // the neighbours of A and a
  EXPECT_EQ(KeptOf("[", "{"), 2);  // the neighbours of Z and z
}

TEST(ApplicationList, AddUniqueKeepsWesternSignsWithoutCaseApart) {
  EXPECT_EQ(KeptOf("\xD7", "\xF7"), 2);  // × ÷
  EXPECT_EQ(KeptOf("\xDF", "\xFF"), 2);  // ß ÿ: ß has no capital of its own here
  EXPECT_EQ(KeptOf("\x9A", "\xAA"), 2);  // š ª
  EXPECT_EQ(KeptOf("\xBF", "\xDF"), 2);  // ¿ ß
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

// The duplicate test looks at the entries listed now, whatever changed them.
TEST(ApplicationList, AddUniqueSeesTheListAsReplaceInsertRemoveAndClearLeftIt) {
  ApplicationList list;
  list.AddUnique(Entry("\\P.exe"));
  list.ReplaceAt(0, Entry("\\Q.exe"));
  list.AddUnique(Entry("\\p.exe"));  // no longer listed
  list.AddUnique(Entry("\\q.EXE"));  // listed by the replacement
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"\\Q.exe", "\\p.exe"}));
  list.InsertAt(0, Entry("\\R.exe"));
  list.AddUnique(Entry("\\r.exe"));
  list.RemoveAt(1);
  list.AddUnique(Entry("\\Q.exe"));
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"\\R.exe", "\\p.exe", "\\Q.exe"}));
  list.Clear();
  list.AddUnique(Entry("\\R.exe"));
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"\\R.exe"}));
}

// Up and Down: the entry at from goes to to, whole, and the others keep their order.
TEST(ApplicationList, MoveEntryTakesTheEntryToItsNeighboursPlace) {
  struct Move {
    int from;
    int to;
    std::vector<std::string> paths;
  };
  const Move moves[] = {
      {1, 0, {"Q", "P", "R"}},  // Up from the middle
      {2, 1, {"P", "R", "Q"}},  // Up from the last row
      {1, 2, {"P", "R", "Q"}},  // Down from the middle
      {0, 1, {"Q", "P", "R"}},  // Down from the first row
  };
  for (const auto& [from, to, paths] : moves) {
    ApplicationList list;
    for (const char* path : {"P", "Q", "R"}) list.AddUnique(ApplicationEntry{path, path, "-p", 1, 0});
    const ApplicationEntry moved = list.EntryAt(from);
    MoveEntry(list, from, to);
    EXPECT_EQ(Paths(list), paths) << from << " to " << to;
    EXPECT_EQ(list.EntryAt(to), moved) << from << " to " << to;
  }
}

TEST(ApplicationList, AMovedPathStaysTakenForAddUnique) {
  ApplicationList list;
  for (const char* path : {"\\P.exe", "\\Q.exe"}) list.AddUnique(Entry(path));
  MoveEntry(list, 1, 0);
  list.AddUnique(Entry("\\q.EXE"));
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"\\Q.exe", "\\P.exe"}));
}

TEST(ApplicationList, EntriesKeepAllFiveFields) {
  ApplicationList list;
  const ApplicationEntry added{"label", "\\a.exe", "-x", 1, 2};
  list.AddUnique(added);
  EXPECT_EQ(list.EntryAt(0), added);
  const ApplicationEntry replacement{"other", "\\b.exe", "-y", 0, 1};
  list.ReplaceAt(0, replacement);
  EXPECT_EQ(list.EntryAt(0), replacement);
}

}  // namespace
}  // namespace builder::project
