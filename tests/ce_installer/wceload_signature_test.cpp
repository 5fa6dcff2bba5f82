// wceload.exe under the device's policy for unsigned cabinets (4101, with
// 4102 as the platform pairs them) and its SPC store. The cabinets and the
// test root come from signed_install_test.sh, in BC_SIGNING_DIR: unsigned\,
// trusted\ (signed from root.der), chained\ (signed below an intermediate of
// that root, which the signature carries), untrusted\ (signed from another root),
// built\Kiosk\ (built and signed from root.der by bcbuild).
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include "tests/ce_installer/installer_test_support.h"

namespace ce_installer_test {
namespace {

constexpr wchar_t kPolicies[] = L"Security\\Policies\\Policies";
constexpr wchar_t kStores[] = L"Comm\\Security\\SystemCertificates";
const std::wstring kUnsigned =
    L"The package is not signed by a publisher this device trusts, and this device installs no unsigned "
    L"packages. Nothing was installed.";

std::wstring SigningFile(const std::wstring& name) {
  wchar_t folder[MAX_PATH] = L"";
  GetEnvironmentVariableW(L"BC_SIGNING_DIR", folder, MAX_PATH);
  return std::wstring(folder) + L"\\" + name;
}

void SetPolicy(const wchar_t* id, DWORD value) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPolicies, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  RegSetValueExW(key, id, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

class WceloadSignatures : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveInstallation();
    const std::optional<std::string> root = ReadWholeFile(SigningFile(L"root.der"));
    ASSERT_TRUE(root) << "no test root in BC_SIGNING_DIR";
    ASSERT_TRUE(TrustOnDevice(L"SPC", *root));
    ASSERT_TRUE(TrustOnDevice(L"Privileged Execution Trust Authorities", *root));
  }
  void TearDown() override {
    RemoveInstallation();
    RegDeleteTreeOrKey(kPolicies);
    RegDeleteTreeOrKey(kStores);
  }
  static void RegDeleteTreeOrKey(const wchar_t* path) { SHDeleteKeyW(HKEY_LOCAL_MACHINE, path); }
};

TEST_F(WceloadSignatures, SignedOnlyInstallsWhatTheSpcStoreTrusts) {
  const struct {
    const char* name;
    DWORD unsignedCabs;  // 4101's role mask; 4102 follows it
    std::wstring cabinet;
    const char* logLine;  // nullptr: installed
  } cases[] = {
      {"signed only, trusted", 0, SigningFile(L"trusted\\Brindlecove.PPC_X86.CAB"), nullptr},
      {"signed only, built and signed by bcbuild", 0, SigningFile(L"built\\Kiosk\\Brindlecove.PPC_X86.CAB"), nullptr},
      {"signed only, below an intermediate", 0, SigningFile(L"chained\\Brindlecove.PPC_X86.CAB"), nullptr},
      {"signed only, unsigned", 0, SigningFile(L"unsigned\\Brindlecove.PPC_X86.CAB"),
       "failure install Brindlecove.PPC_X86.CAB: the package counts as unsigned: the cabinet is not signed"},
      {"signed only, untrusted", 0, SigningFile(L"untrusted\\Brindlecove.PPC_X86.CAB"),
       "failure install Brindlecove.PPC_X86.CAB: the package counts as unsigned: the signer's certificate "
       "chains to no root of the device's SPC store"},
      {"signed only, changed after signing", 0, SigningFile(L"changed\\Brindlecove.PPC_X86.CAB"),
       "failure install Brindlecove.PPC_X86.CAB: the package counts as unsigned: the cabinet was changed "
       "after it was signed"},
      {"unsigned allowed, unsigned", 0x10, SigningFile(L"unsigned\\Brindlecove.PPC_X86.CAB"), nullptr},
      {"unsigned allowed, untrusted", 0x10, SigningFile(L"untrusted\\Brindlecove.PPC_X86.CAB"), nullptr},
  };
  for (const auto& c : cases) {
    SetPolicy(L"00001005", c.unsignedCabs);
    SetPolicy(L"00001006", c.unsignedCabs == 0 ? 0 : 1);
    const InstallerRun run = RunInstaller(L"\"" + c.cabinet + L"\"");
    if (c.logLine == nullptr) {
      EXPECT_EQ(run.exitCode, 0u) << c.name;
      EXPECT_TRUE(run.messages.empty()) << c.name;
      EXPECT_EQ(LastLogLine(), "success install Brindlecove.PPC_X86.CAB") << c.name;
      EXPECT_TRUE(PathExists(kRecord)) << c.name;
    } else {
      EXPECT_EQ(run.exitCode, 1u) << c.name;
      EXPECT_EQ(run.messages, std::vector<std::wstring>{kUnsigned}) << c.name;
      EXPECT_EQ(LastLogLine(), c.logLine) << c.name;
      EXPECT_TRUE(NothingInstalled()) << c.name;
    }
    RemoveInstallation();
  }
}

}  // namespace
}  // namespace ce_installer_test
