// wceload.exe installing cabinets made by bcpack.exe into this prefix.
#include <gtest/gtest.h>

#include <functional>

#include "tests/ce_installer/installer_test_support.h"

namespace ce_installer_test {
namespace {

constexpr wchar_t kKey[] = L"Software\\Brindlecove";
const std::wstring kDamaged = L"The package is damaged and could not be installed.";

// The hook calls the fake setup library noted, one a line.
class HookLog {
 public:
  HookLog() : path_(kWindows + L"\\fake_hooks.log") {
    DeleteFileW(path_.c_str());
    SetEnvironmentVariableW(L"BC_FAKE_HOOKS_LOG", path_.c_str());
  }
  ~HookLog() {
    DeleteFileW(path_.c_str());
    SetEnvironmentVariableW(L"BC_FAKE_HOOKS_ANSWER", nullptr);
  }
  std::string Text() const { return ReadWholeFile(path_).value_or(""); }

 private:
  std::wstring path_;
};

class Wceload : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveInstallation();
    ASSERT_TRUE(package_.Packed()) << "bcpack.exe did not make the cabinet";
  }
  void TearDown() override { RemoveInstallation(); }
  InstallerRun Install(const std::wstring& cabinet) { return RunInstaller(L"\"" + cabinet + L"\""); }

  HookLog hooks_;
  PackedBuilderFolder package_{WideWindowsPath(BC_FAKE_HOOKS)};
};

TEST_F(Wceload, InstallsEveryFileUnderItsTrueName) {
  InstallerRun run = Install(package_.Cabinet());
  ASSERT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(run.messages.empty());
  EXPECT_EQ(ReadWholeFile(kInstallFolder + L"\\Brindlecove.exe"), package_.Source(L"pocketpc\\x86\\brindlecove.exe"));
  EXPECT_EQ(ReadWholeFile(kInstallFolder + L"\\bcebtn.exe"), package_.Source(L"pocketpc\\x86\\bcebtn.exe"));
  EXPECT_EQ(ReadWholeFile(kInstallFolder + L"\\set.alf"), package_.Source(L"set.alf"));
  EXPECT_EQ(ReadWholeFile(kInstallFolder + L"\\bce_logofile"), package_.Source(L"bce_logofile"));
  EXPECT_EQ(ReadWholeFile(kWindows + L"\\bcmgr.dll"), package_.Source(L"pocketpc\\x86\\bcmgr.dll"));
  EXPECT_EQ(ReadWholeFile(kWindows + L"\\abce.pac"), "1234");
  for (const std::wstring& shortcut : {kShortcut, kStartUpShortcut}) {
    EXPECT_EQ(ReadWholeFile(shortcut), "44#\"\\Program Files\\Brindlecove\\Brindlecove.exe\"");
  }
  EXPECT_EQ(ReadWholeFile(kWindows + L"\\AppMgr\\Brindlecove.dll"), package_.Source(L"pocketpc\\x86\\BCESetup.dll"));
  EXPECT_TRUE(PathExists(kRecord));
  EXPECT_EQ(LastLogLine(), "success install Brindlecove.PPC_X86.CAB");
}

TEST_F(Wceload, WritesRegistryValuesOfEveryType) {
  ASSERT_EQ(Install(package_.Cabinet()).exitCode, 0u);
  auto path = ReadValue(kKey, L"AppPath");
  ASSERT_TRUE(path);
  EXPECT_EQ(path->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(path->bytes, Utf16Bytes(L"\\Windows\\pword.exe"));
  auto countdown = ReadValue(kKey, L"AppCountdown");
  ASSERT_TRUE(countdown);
  EXPECT_EQ(countdown->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(countdown->bytes, std::string("\x0F\0\0\0", 4));
  auto list = ReadValue(kKey, L"TestList");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->type, static_cast<DWORD>(REG_MULTI_SZ));
  EXPECT_EQ(list->bytes, Utf16Bytes(L"one") + Utf16Bytes(L"two") + Utf16Bytes(L""));
  auto bytes = ReadValue(kKey, L"TestBytes");
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(bytes->bytes, "\x0A\xFF");
  auto folder = ReadValue(kKey, L"TestFolder");
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->bytes, Utf16Bytes(L"\\Windows\\abce.pac"));
  auto installed = ReadValue(L"Software\\Apps\\Brindlecove", L"InstlDir");
  ASSERT_TRUE(installed);
  EXPECT_EQ(installed->bytes, Utf16Bytes(L"\\Program Files\\Brindlecove"));
}

TEST_F(Wceload, CallsInstallInitBeforeCopyingAndInstallExitAfter) {
  ASSERT_EQ(Install(package_.Cabinet()).exitCode, 0u);
  EXPECT_EQ(hooks_.Text(),
            "Install_Init dir=\\Program Files\\Brindlecove first=1 previous=0 owner=1 engine=0\n"
            "Install_Exit dir=\\Program Files\\Brindlecove owner=1 engine=1 failures=0\n");
}

TEST_F(Wceload, ASetupLibraryThatCancelsLeavesNothingInstalled) {
  for (const wchar_t* answer : {L"cancel_install", L"undo_install"}) {
    SetEnvironmentVariableW(L"BC_FAKE_HOOKS_ANSWER", answer);
    InstallerRun run = Install(package_.Cabinet());
    EXPECT_EQ(run.exitCode, 1u) << answer;
    EXPECT_TRUE(run.messages.empty()) << "the setup library decided; nothing more to say";
    EXPECT_TRUE(NothingInstalled()) << answer;
    EXPECT_EQ(LastLogLine().rfind("failure install Brindlecove.PPC_X86.CAB: ", 0), 0u) << LastLogLine();
  }
}

// Damages a copy of the cabinet and installs that.
class DamagedCabinet : public Wceload {
 protected:
  InstallerRun InstallDamaged(const std::function<void(std::string&)>& damage) {
    return InstallDamaged(damage, package_.Cabinet());
  }
  InstallerRun InstallDamaged(const std::function<void(std::string&)>& damage, const std::wstring& cabinet) {
    std::string bytes = ReadWholeFile(cabinet).value_or("");
    damage(bytes);
    const std::wstring copy = cabinet + L".damaged.cab";
    EXPECT_TRUE(WriteWholeFile(copy, bytes));
    return Install(copy);
  }
  void ExpectRefused(const InstallerRun& run) {
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.messages, std::vector<std::wstring>{kDamaged});
    EXPECT_TRUE(NothingInstalled());
    EXPECT_TRUE(hooks_.Text().empty()) << "setup library called: " << hooks_.Text();
    EXPECT_EQ(LastLogLine().rfind("failure install Brindlecove.PPC_X86.CAB.damaged.cab: the package is damaged", 0), 0u)
        << LastLogLine();
  }
};

TEST_F(DamagedCabinet, TruncatedIsRefused) {
  ExpectRefused(InstallDamaged([](std::string& bytes) { bytes.resize(bytes.size() / 2); }));
}

TEST_F(DamagedCabinet, FlippedBytesInAMemberAreRefused) {
  ExpectRefused(InstallDamaged([](std::string& bytes) { bytes[bytes.size() - 100] ^= 0x5A; }));
}

TEST_F(DamagedCabinet, BadSignatureIsRefused) {
  ExpectRefused(InstallDamaged([](std::string& bytes) { bytes[0] = 'X'; }));
}

TEST_F(DamagedCabinet, DamagedSetupFileIsRefused) {
  // In a stored cabinet the setup file stands as it is at the start of the
  // first data block: break its length field, and clear the block's checksum
  // (0: none) so that the cabinet itself still reads.
  PackedBuilderFolder stored(WideWindowsPath(BC_FAKE_HOOKS), true);
  ASSERT_TRUE(stored.Packed());
  ExpectRefused(InstallDamaged([](std::string& bytes) {
    size_t setup = bytes.find("MSCE");
    ASSERT_NE(setup, std::string::npos);
    ASSERT_GE(setup, 8u);
    bytes.replace(setup - 8, 4, std::string(4, '\0'));
    bytes[setup + 8] ^= 0x01;
  }, stored.Cabinet()));
  EXPECT_NE(LastLogLine().find("length field differs from the file"), std::string::npos) << LastLogLine();
}

// A copy of a stored cabinet whose setup file names another processor. The
// setup file stands as it is at the start of the first data block; the
// block's checksum is cleared (0: none) so that the cabinet still reads.
std::wstring WithProcessor(const std::wstring& storedCabinet, uint32_t processor) {
  std::string bytes = ReadWholeFile(storedCabinet).value_or("");
  const size_t setup = bytes.find("MSCE");
  EXPECT_NE(setup, std::string::npos);
  if (setup == std::string::npos || setup < 8) return storedCabinet;
  bytes.replace(setup - 8, 4, std::string(4, '\0'));
  for (size_t i = 0; i < 4; ++i) bytes[setup + 20 + i] = static_cast<char>(processor >> (8 * i));
  const std::wstring copy = storedCabinet + L".processor" + std::to_wstring(processor) + L".cab";
  EXPECT_TRUE(WriteWholeFile(copy, bytes));
  return copy;
}

TEST_F(Wceload, InstallsOnlyAPackageForTheDevicesProcessorOrForAnyProcessor) {
  PackedBuilderFolder stored(WideWindowsPath(BC_FAKE_HOOKS), true);
  ASSERT_TRUE(stored.Packed());
  const std::wstring anyProcessor = WithProcessor(stored.Cabinet(), 0);
  struct Case {
    const char* what;
    std::wstring cabinet;
    uint32_t device;
    bool installs;
  };
  const Case cases[] = {
      {"x86 package, x86 device", package_.Cabinet(), 686, true},
      {"ARM package, ARM device", package_.ArmCabinet(), 2577, true},
      {"ARM package, x86 device", package_.ArmCabinet(), 686, false},
      {"x86 package, ARM device", package_.Cabinet(), 2577, false},
      {"package for any processor, ARM device", anyProcessor, 2577, true},
      {"package for any processor, x86 device", anyProcessor, 686, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RemoveInstallation();
    const DeviceProcessor device(c.device);
    const std::string hooksBefore = hooks_.Text();
    const InstallerRun run = Install(c.cabinet);
    if (c.installs) {
      EXPECT_EQ(run.exitCode, 0u);
      EXPECT_TRUE(PathExists(kRecord));
      continue;
    }
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.messages, std::vector<std::wstring>{
                                L"The package is made for another processor than this device's. Nothing was installed."});
    EXPECT_TRUE(NothingInstalled());
    EXPECT_EQ(hooks_.Text(), hooksBefore) << "the setup library was asked";
    const std::string expected = "the package is for processor " + std::to_string(c.device == 686 ? 2577 : 686) +
                                 ", the device's is " + std::to_string(c.device);
    EXPECT_NE(LastLogLine().find(expected), std::string::npos) << LastLogLine();
  }
}

TEST_F(Wceload, AMissingCabinetIsRefused) {
  InstallerRun run = Install(package_.Cabinet() + L".missing");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_EQ(run.messages, std::vector<std::wstring>{L"The package could not be opened."});
  EXPECT_TRUE(NothingInstalled());
}

TEST_F(Wceload, AFailedCopyTakesBackEverythingAndKeepsReplacedFiles) {
  ASSERT_TRUE(WriteWholeFile(kWindows + L"\\abce.pac", "old code"));
  // bcmgr.dll is the last file: a folder in its place stops the copy there.
  ASSERT_TRUE(CreateDirectoryW((kWindows + L"\\bcmgr.dll").c_str(), nullptr));
  InstallerRun run = Install(package_.Cabinet());
  RemoveDirectoryW((kWindows + L"\\bcmgr.dll").c_str());
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_EQ(run.messages, std::vector<std::wstring>{L"The package could not be installed. Nothing was changed."});
  EXPECT_EQ(ReadWholeFile(kWindows + L"\\abce.pac"), "old code");
  DeleteFileW((kWindows + L"\\abce.pac").c_str());
  EXPECT_TRUE(NothingInstalled());
  EXPECT_EQ(hooks_.Text().find("Install_Exit"), std::string::npos);
}

TEST_F(Wceload, ABadCommandLineIsRefused) {
  InstallerRun run = RunInstaller(L"");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_EQ(run.messages.size(), 1u);
}

}  // namespace
}  // namespace ce_installer_test
