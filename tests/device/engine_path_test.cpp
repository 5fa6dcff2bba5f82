// The engine's path as the setup hooks form it, natively too.
#include "device/setup/engine_path.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

TEST(EnginePath, JoinsTheInstallationFolderAndTheEngineName) {
  EXPECT_EQ(bcesetup::EnginePathIn(L"\\Program Files\\Brindlecove"), L"\\Program Files\\Brindlecove\\Brindlecove.exe");
  EXPECT_EQ(bcesetup::EnginePathIn(L""), L"\\Brindlecove.exe");
  EXPECT_EQ(bcesetup::EnginePathIn(nullptr), std::nullopt);
}

TEST(EnginePath, MustFitTheDevicesBufferWithItsTerminator) {
  const size_t nameAndSeparator = std::wstring_view(L"\\Brindlecove.exe").size();
  // 255 units and the terminator fill the 256 units; 256 units do not fit.
  const std::wstring longest(255 - nameAndSeparator, L'x');
  ASSERT_TRUE(bcesetup::EnginePathIn(longest.c_str()).has_value());
  EXPECT_EQ(bcesetup::EnginePathIn(longest.c_str())->size(), 255u);
  EXPECT_EQ(bcesetup::EnginePathIn((longest + L'x').c_str()), std::nullopt);
}

}  // namespace
