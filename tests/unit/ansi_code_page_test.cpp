// The duplicate rule under the desktop's other code pages; each suite runs in
// a Wine prefix of its own whose ANSI code page is the suite's.
#include <windows.h>

#include <gtest/gtest.h>

#include "builder/project/application_list.h"

namespace builder::project {
namespace {

int CountAfterAdding(std::initializer_list<const char*> paths) {
  ApplicationList list;
  for (const char* path : paths) list.AddUnique(ApplicationEntry{"", path, "", 0, 0});
  return list.Count();
}

class CodePage932 : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GetACP(), 932u) << "the prefix has another ANSI code page"; }
};

TEST_F(CodePage932, ATrailByteIsNeverLoweredOnItsOwn) {
  // Katakana A (83 41) and DI (83 61) differ only in a trail byte that looks like "A" and "a".
  EXPECT_EQ(CountAfterAdding({"\\\x83\x41.exe", "\\\x83\x61.exe"}), 2);
  EXPECT_EQ(LowerAnsi("\x83\x41Z"), "\x83\x41z");
}

TEST_F(CodePage932, DoubleByteLettersAndAsciiAroundThemCompareIgnoringCase) {
  // Full-width A (82 60) and a (82 81).
  EXPECT_EQ(CountAfterAdding({"\\\x82\x60.exe", "\\\x82\x81.EXE"}), 1);
  EXPECT_EQ(CountAfterAdding({"\\\x83\x41\\APP.exe", "\\\x83\x41\\app.exe"}), 1);
  // A lead byte at the very end has no trail byte to take.
  EXPECT_EQ(LowerAnsi("A\x83"), "a\x83");
}

class CodePage1251 : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GetACP(), 1251u) << "the prefix has another ANSI code page"; }
};

TEST_F(CodePage1251, CyrillicLettersCompareIgnoringCase) {
  EXPECT_EQ(CountAfterAdding({"\\\xDF.exe", "\\\xFF.exe"}), 1);  // Я я
  EXPECT_EQ(CountAfterAdding({"\\\xA8.exe", "\\\xB8.exe"}), 1);  // Ё ё
  EXPECT_EQ(CountAfterAdding({"\\\xC0\xC1.exe", "\\\xE0\xE1.exe"}), 1);  // АБ аб
  EXPECT_EQ(CountAfterAdding({"\\\xDF.exe", "\\\xDE.exe"}), 2);  // Я Ю
}

}  // namespace
}  // namespace builder::project
