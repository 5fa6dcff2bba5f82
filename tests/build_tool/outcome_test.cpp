#include "build_tool/core/outcome.h"

#include <gtest/gtest.h>

namespace build_tool {
namespace {

using enum ProjectOutcome;

TEST(BcbuildExitStatus, IsTheWorstOutcomeWhateverItsPlace) {
  EXPECT_EQ(ExitStatus({}), 0);
  EXPECT_EQ(ExitStatus({Built, Built}), 0);
  EXPECT_EQ(ExitStatus({Built, PackageFailed, Built}), 1);
  EXPECT_EQ(ExitStatus({PackageFailed, Refused}), 2);
  EXPECT_EQ(ExitStatus({Refused, PackageFailed}), 2);
  EXPECT_EQ(ExitStatus({Refused, Built}), 2);
}

TEST(BcbuildFolderName, TakesNamesThatAreFileNamesAsTheyStand) {
  for (const char* name : {"Shop", "night shift", "v1.2", "Caf\xE9", "COM0", "COM10", "CONSOLE", "LPT", "a"}) {
    EXPECT_TRUE(IsPlainFolderName(name)) << name;
  }
}

TEST(BcbuildFolderName, RefusesEveryCharacterAWindowsNameCannotHold) {
  for (char c : std::string("<>:\"/\\|?*")) EXPECT_FALSE(IsPlainFolderName(std::string("a") + c + "b")) << c;
  EXPECT_FALSE(IsPlainFolderName("a\x01" "b"));
  EXPECT_FALSE(IsPlainFolderName("a\x1F" "b"));
  EXPECT_TRUE(IsPlainFolderName("a\x20" "b"));
}

TEST(BcbuildFolderName, RefusesEmptyDottedAndBlankEndedNames) {
  for (const char* name : {"", ".", "..", "Shop.", "Shop ", " "}) EXPECT_FALSE(IsPlainFolderName(name)) << name;
}

TEST(BcbuildFolderName, RefusesDeviceNamesInAnyCaseAndWithAnyExtension) {
  for (const char* name : {"CON", "prn", "Aux", "NUL", "nul.txt", "COM1", "com9", "LPT1", "lpt9.cab"}) {
    EXPECT_FALSE(IsPlainFolderName(name)) << name;
  }
}

}  // namespace
}  // namespace build_tool
