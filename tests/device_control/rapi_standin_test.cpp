// The Remote API stand-in and the emulated device, driven through rapi.dll
// as a desktop program would.
#include <gtest/gtest.h>

#include <chrono>

#include "standins/rapi_wire/socket_channel.h"
#include "tests/device_control/device_files.h"
#include "tests/device_control/device_remote.h"
#include "tests/gui_driver/gui_driver.h"

using namespace device_test;

namespace {

// A CheckLogin request as the builder sends it: the code's units and one byte.
std::vector<BYTE> LoginRequest(const std::string& code) {
  std::vector<BYTE> request;
  for (char c : code) request.insert(request.end(), {static_cast<BYTE>(c), 0});
  request.push_back(0);
  return request;
}

class RemoteApiStandIn : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSecurityPolicyDenies(false);
    SetUnplugged(false);
    ASSERT_TRUE(remote.Loaded()) << "rapi.dll is not installed in the session's prefix";
  }
  void TearDown() override {
    SetSecurityPolicyDenies(false);
    SetUnplugged(false);
  }

  struct Output {
    HRESULT result;
    std::vector<BYTE> bytes;
    bool hadBuffer;
  };
  Output Invoke(const wchar_t* dll, const wchar_t* function, std::vector<BYTE> input = {}) {
    DWORD size = 12345;
    BYTE* buffer = reinterpret_cast<BYTE*>(1);
    Output output{remote.invoke(dll, function, static_cast<DWORD>(input.size()), input.empty() ? nullptr : input.data(),
                                &size, &buffer, nullptr, 0),
                  {}, buffer != nullptr};
    if (buffer) {
      output.bytes.assign(buffer, buffer + size);
      EXPECT_EQ(LocalFree(buffer), nullptr) << "the output must be the caller's LocalAlloc block";
    } else {
      EXPECT_EQ(size, 0u);
    }
    return output;
  }

  DeviceRemote remote;
};

TEST_F(RemoteApiStandIn, CheckLoginTravelsBothWays) {
  WriteCodeFile("4321");
  ASSERT_EQ(remote.Connect(), S_OK);
  const Output accepted = Invoke(L"bcmgr", L"CheckLogin", LoginRequest("4321"));
  EXPECT_EQ(accepted.result, S_OK);
  EXPECT_EQ(accepted.bytes, (std::vector<BYTE>{1, 0, 0, 0}));
  const Output rejected = Invoke(L"bcmgr", L"CheckLogin", LoginRequest("432"));
  EXPECT_EQ(rejected.bytes, (std::vector<BYTE>{0, 0, 0, 0}));
  EXPECT_EQ(DeviceCalls().back(), "Invoke bcmgr CheckLogin 7 -> 0x00000000");
  const Output exit = Invoke(L"bcmgr", L"ExitKioskMode");
  EXPECT_EQ(exit.result, S_OK);
  EXPECT_FALSE(exit.hadBuffer);
}

TEST_F(RemoteApiStandIn, MissingLibraryOrFunctionGivesTheDevicesErrors) {
  ASSERT_EQ(remote.Connect(), S_OK);
  EXPECT_EQ(Invoke(L"nosuchlib", L"CheckLogin").result, HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(remote.lastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(Invoke(L"bcmgr", L"NoSuchExport").result, HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(remote.lastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
}

TEST_F(RemoteApiStandIn, SecurityPolicyRefusesEveryCall) {
  ASSERT_EQ(remote.Connect(), S_OK);
  SetSecurityPolicyDenies(true);
  EXPECT_EQ(Invoke(L"bcmgr", L"CheckLogin", LoginRequest("1")).result, E_ACCESSDENIED);
  EXPECT_EQ(remote.lastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(remote.createFile(L"\\Windows\\denied.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
            INVALID_HANDLE_VALUE);
  SetSecurityPolicyDenies(false);
  EXPECT_EQ(Invoke(L"bcmgr", L"ExitKioskMode").result, S_OK);
}

TEST_F(RemoteApiStandIn, WithoutConnectionEveryCallFailsAsNoConnection) {
  EXPECT_EQ(Invoke(L"bcmgr", L"ExitKioskMode").result, kRapiNoConnection);
  EXPECT_EQ(remote.lastError(), static_cast<DWORD>(WSAENOTSOCK));
  ASSERT_EQ(remote.Connect(), S_OK);
  SetUnplugged(true);
  EXPECT_EQ(Invoke(L"bcmgr", L"ExitKioskMode").result, kRapiNoConnection) << "a dropped connection";
  SetUnplugged(false);
  EXPECT_EQ(Invoke(L"bcmgr", L"ExitKioskMode").result, kRapiNoConnection) << "stays dropped until a new set-up";
  ASSERT_EQ(remote.Connect(), S_OK);
  EXPECT_EQ(Invoke(L"bcmgr", L"ExitKioskMode").result, S_OK);
}

TEST_F(RemoteApiStandIn, BadArgumentsAreRefusedBeforeAnythingIsSent) {
  DWORD size = 0;
  BYTE* output = nullptr;
  EXPECT_EQ(remote.invoke(L"bcmgr", L"CheckLogin", 4, nullptr, &size, &output, nullptr, 0), E_INVALIDARG);
  EXPECT_EQ(remote.invoke(nullptr, L"CheckLogin", 0, nullptr, &size, &output, nullptr, 0), E_INVALIDARG);
  IRAPIStream* stream = nullptr;
  EXPECT_EQ(remote.invoke(L"bcmgr", L"CheckLogin", 0, nullptr, &size, &output, &stream, 0), E_NOTIMPL);
  RAPIINIT tooSmall{4, nullptr, 0};
  EXPECT_EQ(remote.initEx(&tooSmall), E_INVALIDARG);
  // A 64-bit caller's layout handed to the 32-bit library.
  RAPIINIT otherLayout{24, nullptr, 0};
  EXPECT_EQ(remote.initEx(&otherLayout), E_INVALIDARG);
}

TEST_F(RemoteApiStandIn, CopiesFilesToTheDeviceAndStartsProgramsThere) {
  ASSERT_EQ(remote.Connect(), S_OK);
  const std::string source = gui_driver::BuildFile("rapi_copy_source.txt");
  const std::string content(200000, 'k');
  WriteFileText(source, content);
  RemoveFile(DeviceWindowsFile("rapi_copy.txt"));
  ASSERT_TRUE(remote.CopyToDevice(source, L"\\Windows\\rapi_copy.txt"));
  EXPECT_EQ(ReadFileText(DeviceWindowsFile("rapi_copy.txt")), content);
  EXPECT_FALSE(remote.closeHandle(reinterpret_cast<HANDLE>(0x1234))) << "only handles the device gave out";
  RemoveFile(DeviceWindowsFile("rapi_started.txt"));
  EXPECT_TRUE(remote.StartOnDevice(L"C:\\windows\\system32\\cmd.exe", L"/c echo started> \\Windows\\rapi_started.txt"));
  EXPECT_TRUE(gui_driver::WaitUntil(
      [] { return ReadFileText(DeviceWindowsFile("rapi_started.txt")) == "started\r\n"; }));
  EXPECT_FALSE(remote.StartOnDevice(L"\\Windows\\no_such_program.exe"));
}

TEST_F(RemoteApiStandIn, DeviceOutlivesClientsThatVanishMidCall) {
  ASSERT_TRUE(rapi_wire::StartWinsock());
  const auto port = rapi_wire::ParsePort(DevicePort());
  ASSERT_TRUE(port.has_value());
  rapi_wire::Writer request;
  request.U32(static_cast<uint32_t>(rapi_wire::Operation::Invoke)).Text(u"bcmgr").Text(u"CheckLogin").Blob({'1', 0, 0});
  for (int i = 0; i < 5; ++i) {
    rapi_wire::Channel vanishing = rapi_wire::ConnectLoopback(*port);
    ASSERT_TRUE(vanishing.Open());
    ASSERT_TRUE(vanishing.Send(request.Data()));
  }
  rapi_wire::Channel garbage = rapi_wire::ConnectLoopback(*port);
  ASSERT_TRUE(garbage.Send({0xFF, 0xFF}));
  garbage.Close();
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(remote.Connect(), S_OK) << "connection " << i;
    EXPECT_EQ(Invoke(L"bcmgr", L"ExitKioskMode").result, S_OK);
    remote.Disconnect();
  }
}

TEST_F(RemoteApiStandIn, PendingSetUpEndsAtOnceOnUninit) {
  const std::string sessionPort = DevicePort();
  _putenv("BC_DEVICE_PORT=1");
  EXPECT_EQ(remote.Connect(800), HRESULT_FROM_WIN32(WAIT_TIMEOUT)) << "nobody answers on port 1";
  const auto start = std::chrono::steady_clock::now();
  remote.Disconnect();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
  _putenv(("BC_DEVICE_PORT=" + sessionPort).c_str());
}

}  // namespace
