// The engine's path as the setup hooks form it, natively too.
#include "device/setup/engine_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace {

// The joined path, or nothing when it was refused (and then left empty).
std::optional<std::wstring> EnginePathIn(const wchar_t* folder) {
  wchar_t path[device::setup::kEnginePathUnits];
  std::fill(std::begin(path), std::end(path), L'?');
  const bool fits = device::setup::EnginePathIn(folder, path);
  EXPECT_EQ(fits, path[0] != L'\0') << "a refused path is left empty";
  return fits ? std::optional<std::wstring>(path) : std::nullopt;
}

TEST(EnginePath, JoinsTheInstallationFolderAndTheEngineName) {
  EXPECT_EQ(EnginePathIn(L"\\Program Files\\Brindlecove"), L"\\Program Files\\Brindlecove\\Brindlecove.exe");
  EXPECT_EQ(EnginePathIn(L""), L"\\Brindlecove.exe");
  EXPECT_EQ(EnginePathIn(nullptr), std::nullopt);
}

TEST(EnginePath, MustFitTheDevicesBufferWithItsTerminator) {
  const size_t nameAndSeparator = std::wstring_view(L"\\Brindlecove.exe").size();
  // 255 units and the terminator fill the 256 units; 256 units do not fit.
  const std::wstring longest(255 - nameAndSeparator, L'x');
  ASSERT_TRUE(EnginePathIn(longest.c_str()).has_value());
  EXPECT_EQ(EnginePathIn(longest.c_str())->size(), 255u);
  EXPECT_EQ(EnginePathIn((longest + L'x').c_str()), std::nullopt);
}

}  // namespace
