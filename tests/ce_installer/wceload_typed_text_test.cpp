// wceload.exe installing the cabinet that Build made from typed texts full of
// characters a setup information file treats specially; the GUI build test
// RealScriptCarriesTypedTextsByteForByte leaves that cabinet in the build
// folder.
#include <gtest/gtest.h>

#include "standins/ce_installer/device_files.h"
#include "support/text.h"
#include "tests/ce_installer/installer_test_support.h"

namespace ce_installer_test {
namespace {

constexpr wchar_t kKey[] = L"Software\\Brindlecove";

TEST(WceloadTypedTexts, ReachTheRegistryUnchanged) {
  const std::wstring cabinet = WideWindowsPath(BC_TYPED_TEXT_CABINET);
  if (!PathExists(cabinet)) GTEST_SKIP() << "the GUI build test made no cabinet";
  const std::string title = ReadWholeFile(WideWindowsPath(BC_TYPED_TITLE)).value_or("");
  ASSERT_FALSE(title.empty());
  RemoveInstallation();
  InstallerRun run = RunInstaller(L"\"" + cabinet + L"\"");
  ASSERT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(run.messages.empty());
  // The title as the device's registry holds texts: the 8-bit text in UTF-16.
  auto value = ReadValue(kKey, L"KioskDesktopTitle");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(value->bytes, Utf16Bytes(support::Widen(title)));
  // The application entry the GUI test typed, in the engine's list file.
  EXPECT_EQ(ReadWholeFile(kInstallFolder + L"\\set.alf"),
            "1;0;Scan; \"Ship\" \xE9;\\Program Files\\Scan, Pack\\scan.exe;-profile \"night shift\" 50%;x=1;");
  RemoveInstallation();
}

}  // namespace
}  // namespace ce_installer_test
