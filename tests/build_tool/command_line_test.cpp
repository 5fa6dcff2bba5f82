#include "build_tool/core/command_line.h"

#include <gtest/gtest.h>

namespace build_tool {
namespace {

TEST(BcbuildCommandLine, TakesProjectsInOrderWithTheCurrentFolderAsOutput) {
  const auto commandLine = ParseCommandLine({"a.bcp", "profiles\\*.bcp", "b"});
  ASSERT_TRUE(commandLine);
  EXPECT_EQ(commandLine->outputFolder, ".");
  EXPECT_EQ(commandLine->projects, (std::vector<std::string>{"a.bcp", "profiles\\*.bcp", "b"}));
}

TEST(BcbuildCommandLine, OutputFolderMayStandBeforeOrBetweenProjects) {
  const auto before = ParseCommandLine({"--output", "D:\\cabs", "a.bcp"});
  ASSERT_TRUE(before);
  EXPECT_EQ(before->outputFolder, "D:\\cabs");
  EXPECT_EQ(before->projects, std::vector<std::string>{"a.bcp"});
  const auto between = ParseCommandLine({"a.bcp", "--output", "out", "b.bcp"});
  ASSERT_TRUE(between);
  EXPECT_EQ(between->outputFolder, "out");
  EXPECT_EQ(between->projects, (std::vector<std::string>{"a.bcp", "b.bcp"}));
}

TEST(BcbuildCommandLine, RefusesWhatTheUsageLineDoesNotAllow) {
  EXPECT_FALSE(ParseCommandLine({}));                           // no project
  EXPECT_FALSE(ParseCommandLine({"--output", "out"}));          // only a folder
  EXPECT_FALSE(ParseCommandLine({"a.bcp", "--output"}));        // a folder missing
  EXPECT_FALSE(ParseCommandLine({"--output", "", "a.bcp"}));    // an empty folder
  EXPECT_FALSE(ParseCommandLine({"--store", "a.bcp"}));         // an unknown option
  EXPECT_FALSE(ParseCommandLine({"a.bcp", ""}));                // an empty project path
  EXPECT_FALSE(ParseCommandLine({"--sign", "a.bcp"}));          // a certificate but no project
  EXPECT_FALSE(ParseCommandLine({"a.bcp", "--sign"}));          // a certificate missing
  EXPECT_FALSE(ParseCommandLine({"--password-file", "p", "a.bcp"}));  // a password without a certificate
}

TEST(BcbuildCommandLine, SignsWithACertificateAndOptionallyItsPassword) {
  const struct {
    std::vector<std::string> arguments;
    const char* certificate;
    const char* password;
  } cases[] = {
      {{"a.bcp"}, "", ""},
      {{"--sign", "k.pfx", "a.bcp"}, "k.pfx", ""},
      {{"a.bcp", "--password-file", "p.txt", "--sign", "k.pfx"}, "k.pfx", "p.txt"},
  };
  for (const auto& c : cases) {
    const auto commandLine = ParseCommandLine(c.arguments);
    ASSERT_TRUE(commandLine);
    EXPECT_EQ(commandLine->certificateFile, c.certificate);
    EXPECT_EQ(commandLine->passwordFile, c.password);
    EXPECT_EQ(commandLine->projects, (std::vector<std::string>{"a.bcp"}));
  }
}

TEST(BcbuildCommandLine, PatternsAreArgumentsWithAStarOrAQuestionMark) {
  EXPECT_TRUE(IsPattern("*.bcp"));
  EXPECT_TRUE(IsPattern("profiles\\shop?.bcp"));
  EXPECT_FALSE(IsPattern("profiles\\shop.bcp"));
  EXPECT_FALSE(IsPattern("[a].bcp"));
}

}  // namespace
}  // namespace build_tool
