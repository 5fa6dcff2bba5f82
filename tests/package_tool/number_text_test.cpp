#include "package_tool/number_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace package_tool {
namespace {

TEST(ParseUnsigned32, DecimalAndHexadecimalUpToThirtyTwoBits) {
  const std::pair<const char*, uint32_t> cases[] = {
      {"0", 0},       {"4294967295", 0xFFFFFFFF}, {"0x0", 0}, {"0xff", 0xFF}, {"0XFF", 0xFF},
      {"0XaB", 0xAB}, {"0xFFFFFFFF", 0xFFFFFFFF}, {"007", 7}, {"09", 9},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseUnsigned32(text), value) << text;
}

TEST(ParseUnsigned32, RefusesAnythingElse) {
  for (const char* text : {"", "0x", "0X", "4294967296", "0x100000000", "12a", "0x1g", "-1", "+1", " 1", "1 ",
                           "0y1", "x1", "1e3", "1.0"}) {
    EXPECT_EQ(ParseUnsigned32(text), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace package_tool
