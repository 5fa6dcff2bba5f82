// bcmgr.dll as the device's Remote API service uses it: loaded from the
// device folder, its exports called with real buffers. CheckLogin's cases are
// the ones the CE ARM build runs on the emulated device (module_cases.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "device/bcmgr/bcmgr.h"
#include "device/engine_contract/engine_contract.h"
#include "standins/emulated_device/heap_blocks.h"
#include "support/library.h"
#include "tests/device/device_test_support.h"
#include "tests/device/module_cases.h"

namespace {

using namespace device_test;
using device::engine_contract::kExitEventName;

// The code file as the library finds it with C:\ current.
constexpr wchar_t kDeviceRoot[] = L"C:\\";
const std::wstring kCodeFile = L"C:\\windows\\abce.pac";

using standins::emulated_device::LocalBlockInUse;

// The input as the service hands it over: a LocalAlloc block for the library to free.
BYTE* LocalCopy(const std::vector<BYTE>& bytes) {
  BYTE* block = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, bytes.empty() ? 1 : bytes.size()));
  if (block) std::copy(bytes.begin(), bytes.end(), block);
  return block;
}

// The builder's request: n UTF-16 units and one meaningless trailing byte.
std::vector<BYTE> LoginRequest(const std::string& code, BYTE trailing = 0) {
  std::vector<BYTE> request;
  for (char c : code) {
    request.push_back(static_cast<BYTE>(c));
    request.push_back(0);
  }
  request.push_back(trailing);
  return request;
}

class Bcmgr : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library_.Loaded()) << "bcmgr.dll not found in the device folder";
    checkLogin_ = library_.Bind<RapiBlockFunction>(device::engine_contract::kCheckLoginExport.narrow);
    exitKioskMode_ = library_.Bind<RapiBlockFunction>(device::engine_contract::kExitKioskModeExport.narrow);
    ASSERT_NE(checkLogin_, nullptr);
    ASSERT_NE(exitKioskMode_, nullptr);
    savedCodeFile_ = ReadWholeFile(kCodeFile);
  }
  void TearDown() override {
    if (savedCodeFile_) {
      WriteWholeFile(kCodeFile, *savedCodeFile_);
    } else {
      DeleteFileW(kCodeFile.c_str());
    }
  }

  void SetCodeFile(const std::string& bytes) { ASSERT_TRUE(WriteWholeFile(kCodeFile, bytes)); }

  // The verdict's first byte for a raw input; checks the call's status and
  // the output layout on the way and frees the output as the service does.
  int Verdict(DWORD cbInput, BYTE* input) {
    DWORD outputSize = 0xDEAD;
    BYTE* output = nullptr;
    EXPECT_EQ(checkLogin_(cbInput, input, &outputSize, &output, nullptr), 0);
    EXPECT_EQ(outputSize, kVerdictSize);
    if (output == nullptr) return -1;
    EXPECT_EQ(LocalSize(output), kVerdictSize);
    const int verdict = output[0];
    EXPECT_EQ(output[1] | output[2] | output[3], 0);
    EXPECT_EQ(LocalFree(output), nullptr);
    return verdict;
  }
  // The verdict for a request in its own block, which the library must free.
  int VerdictOf(const std::vector<BYTE>& request) {
    BYTE* block = LocalCopy(request);
    const int verdict = Verdict(static_cast<DWORD>(request.size()), block);
    EXPECT_FALSE(LocalBlockInUse(block)) << "CheckLogin keeps its input";
    return verdict;
  }

  RapiBlockFunction checkLogin_ = nullptr;
  RapiBlockFunction exitKioskMode_ = nullptr;

 private:
  CurrentFolder deviceRoot_{kDeviceRoot};
  support::Library library_{DeviceFile(L"bcmgr.dll")};
  std::optional<std::string> savedCodeFile_;
};

TEST_F(Bcmgr, LoginCases) {
  for (const LoginCase& c : LoginCases()) {
    SCOPED_TRACE(c.what);
    if (c.codeFile) {
      SetCodeFile(*c.codeFile);
    } else {
      DeleteFileW(kCodeFile.c_str());
    }
    EXPECT_EQ(VerdictOf(RequestOf(c)), c.verdict);
  }
}

TEST_F(Bcmgr, EmptyInputsAreTheEmptyCode) {
  SetCodeFile("");
  EXPECT_EQ(VerdictOf({0x7F}), 1);
  EXPECT_EQ(Verdict(0, nullptr), 1);
  EXPECT_EQ(Verdict(9, nullptr), 1);  // a size without a buffer: nothing to read
  SetCodeFile("4711");
  EXPECT_EQ(Verdict(9, nullptr), 0);
}

TEST_F(Bcmgr, ReadsNothingBeyondTheInput) {
  // The request ends right before a page that may not be touched. Such pages
  // are no LocalAlloc block: the library's release of them fails, harmlessly.
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  const DWORD page = system.dwPageSize;
  BYTE* pages = static_cast<BYTE*>(VirtualAlloc(nullptr, 2 * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  ASSERT_NE(pages, nullptr);
  DWORD oldProtection = 0;
  ASSERT_TRUE(VirtualProtect(pages + page, page, PAGE_NOACCESS, &oldProtection));
  SetCodeFile("4711");
  for (DWORD trailing = 0; trailing <= 1; ++trailing) {
    std::vector<BYTE> request = LoginRequest("4711");
    request.resize(request.size() - 1 + trailing);
    BYTE* atPageEnd = pages + page - request.size();
    std::copy(request.begin(), request.end(), atPageEnd);
    EXPECT_EQ(Verdict(static_cast<DWORD>(request.size()), atPageEnd), 1) << "trailing byte " << trailing;
  }
  EXPECT_EQ(Verdict(1, pages + page - 1), 0);
  VirtualFree(pages, 0, MEM_RELEASE);
}

TEST_F(Bcmgr, EmptyRequestBlockIsFreedToo) {
  SetCodeFile("");
  BYTE* block = LocalCopy({});
  EXPECT_EQ(Verdict(0, block), 1);
  EXPECT_FALSE(LocalBlockInUse(block));
}

TEST_F(Bcmgr, ExitKioskModeFreesAnInputItIsGiven) {
  BYTE* block = LocalCopy({1, 2});
  DWORD outputSize = 0;
  BYTE* output = nullptr;
  EXPECT_EQ(exitKioskMode_(2, block, &outputSize, &output, nullptr), 0);
  EXPECT_FALSE(LocalBlockInUse(block));
  EXPECT_EQ(output, nullptr);
}

TEST_F(Bcmgr, ExitKioskModeSetsTheEventTheEngineHolds) {
  HANDLE held = CreateEventW(nullptr, TRUE, FALSE, kExitEventName.wide);
  ASSERT_NE(held, nullptr);
  DWORD outputSize = 0;
  BYTE* output = nullptr;
  EXPECT_EQ(exitKioskMode_(0, nullptr, &outputSize, &output, nullptr), 0);
  EXPECT_EQ(WaitForSingleObject(held, 0), WAIT_OBJECT_0);
  EXPECT_EQ(output, nullptr);
  CloseHandle(held);
}

TEST_F(Bcmgr, ExitKioskModeWithoutEngineLeavesNoEvent) {
  ASSERT_FALSE(NamedEventExists(kExitEventName.wide));
  DWORD outputSize = 0;
  BYTE* output = nullptr;
  EXPECT_EQ(exitKioskMode_(0, nullptr, &outputSize, &output, nullptr), 0);
  EXPECT_FALSE(NamedEventExists(kExitEventName.wide));
}

}  // namespace
