#include "builder/build/core/build_checks.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace builder::build {
namespace {

main_window::ProjectSettings WithCode() {
  main_window::ProjectSettings settings;
  settings.admincode = "1234";
  return settings;
}

std::string ReadableFile() {
  const std::string path = ::testing::TempDir() + "bc_build_checks_logo.bmp";
  std::ofstream(path) << "not a bitmap";
  return path;
}

TEST(BuildChecks, CountdownIsRefusedBelowZeroOnly) {
  auto settings = WithCode();
  settings.startuptimer = -1;
  EXPECT_EQ(CheckSettings(settings), SettingsCheck::NegativeCountdown);
  settings.startuptimer = 0;
  EXPECT_EQ(CheckSettings(settings), SettingsCheck::Passed);
}

TEST(BuildChecks, LogoMustBeReadableWhenNamed) {
  auto settings = WithCode();
  settings.logo = ::testing::TempDir() + "bc_build_checks_no_such.bmp";
  EXPECT_EQ(CheckSettings(settings), SettingsCheck::UnreadableLogo);
  settings.logo = ReadableFile();  // any file that opens will do
  EXPECT_EQ(CheckSettings(settings), SettingsCheck::Passed);
  settings.logo.clear();
  EXPECT_EQ(CheckSettings(settings), SettingsCheck::Passed);
}

TEST(BuildChecks, MissingCodeIsAskedAboutLast) {
  main_window::ProjectSettings settings;
  EXPECT_EQ(CheckSettings(settings), SettingsCheck::NoAdminCode);
  settings.logo = ::testing::TempDir() + "bc_build_checks_no_such.bmp";
  EXPECT_EQ(CheckSettings(settings), SettingsCheck::UnreadableLogo);
  settings.startuptimer = -5;
  EXPECT_EQ(CheckSettings(settings), SettingsCheck::NegativeCountdown);
}

}  // namespace
}  // namespace builder::build
