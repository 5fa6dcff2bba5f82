#include "builder/build/core/signing_refusal.h"

#include <gtest/gtest.h>

namespace builder::build {
namespace {

TEST(SigningRefusal, TakesTheLineAboutTheSigningFolderOnly) {
  const std::string_view header = "The package could not be made. The package tool reported:\r\n";
  const struct {
    std::string report;
    const char* line;  // nullptr: no signing message
  } cases[] = {
      {std::string(header) + "signing\\package.pfx: error: the password does not open the certificate file\r\n",
       "signing\\package.pfx: error: the password does not open the certificate file"},
      {std::string(header) + "GnuTLS error: x\nsigning\\password.txt: error: cannot read the password file",
       "signing\\password.txt: error: cannot read the password file"},
      {std::string(header) + "setup.inf(3): error: unknown section\r\n", nullptr},
      {" signing\\package.pfx: indented", nullptr},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    const auto refusal = SigningRefusal(c.report);
    if (c.line == nullptr) {
      EXPECT_FALSE(refusal) << c.report;
    } else {
      ASSERT_TRUE(refusal) << c.report;
      EXPECT_EQ(*refusal, std::string("The package was not made, since it could not be signed:\n") + c.line +
                              "\n\nSee \"Signed packages\" in Help.");
    }
  }
}

}  // namespace
}  // namespace builder::build
