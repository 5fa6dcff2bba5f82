#include "builder/project/application_list.h"

#include <gtest/gtest.h>

namespace builder {
namespace {

ApplicationEntry Entry(const std::string& path, const std::string& label = "") {
  return ApplicationEntry{label, path, "", 0, 0};
}

std::vector<std::string> Paths(const ApplicationList& list) {
  std::vector<std::string> paths;
  for (int i = 0; i < list.Count(); ++i) paths.push_back(list.EntryAt(i).path);
  return paths;
}

TEST(ApplicationList, AddUniqueDropsPathsEqualIgnoringCaseAndKeepsTheFirst) {
  ApplicationList list;
  list.AddUnique(Entry("\\Windows\\PWord.exe", "first"));
  list.AddUnique(Entry("\\WINDOWS\\pword.EXE", "second"));
  list.AddUnique(Entry("\\windows\\notes.exe"));
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.EntryAt(0).path, "\\Windows\\PWord.exe");
  EXPECT_EQ(list.EntryAt(0).display_name, "first");
}

// The Western code page (1252), which the Windows suite runs under too.
TEST(ApplicationList, AddUniqueComparesWesternLettersIgnoringCase) {
  const std::pair<const char*, const char*> cases[] = {
      {"\xC9", "\xE9"},  // É é
      {"\xDE", "\xFE"},  // Þ þ
      {"\x8A", "\x9A"},  // Š š
      {"\x8C", "\x9C"},  // Œ œ
      {"\x8E", "\x9E"},  // Ž ž
      {"\x9F", "\xFF"},  // Ÿ ÿ
  };
  for (const auto& [upper, lower] : cases) {
    ApplicationList list;
    list.AddUnique(Entry(std::string("\\") + upper + "tude.exe"));
    list.AddUnique(Entry(std::string("\\") + lower + "TUDE.exe"));
    EXPECT_EQ(list.Count(), 1) << "upper case byte " << int{static_cast<unsigned char>(*upper)};
  }
}

TEST(ApplicationList, AddUniqueKeepsWesternSignsWithoutCaseApart) {
  const std::pair<const char*, const char*> cases[] = {
      {"\xD7", "\xF7"},  // × ÷
      {"\xDF", "\xFF"},  // ß ÿ: ß has no capital of its own here
      {"\x9A", "\xAA"},  // š ª
      {"\xBF", "\xDF"},  // ¿ ß
  };
  for (const auto& [first, second] : cases) {
    ApplicationList list;
    list.AddUnique(Entry(std::string("\\") + first + ".exe"));
    list.AddUnique(Entry(std::string("\\") + second + ".exe"));
    EXPECT_EQ(list.Count(), 2) << "byte " << int{static_cast<unsigned char>(*first)};
  }
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
}  // namespace builder
