// The Remote API stand-in and the emulated device, driven through rapi.dll
// as a desktop program would.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "standins/emulated_device/heap_blocks.h"
#include "standins/rapi_wire/socket_channel.h"
#include "support/remote_api.h"
#include "tests/device_control/device_files.h"
#include "tests/gui_driver/gui_driver.h"

using namespace device_control_test;

namespace {

// A CheckLogin request as the builder sends it: the code's units and one byte.
std::vector<BYTE> LoginRequest(const std::string& code) {
  std::vector<BYTE> request;
  for (char c : code) request.insert(request.end(), {static_cast<BYTE>(c), 0});
  request.push_back(0);
  return request;
}

// The input as the Remote API takes it: a LocalAlloc block, which it frees.
BYTE* LocalCopy(const std::vector<BYTE>& bytes, size_t blockSize = 0) {
  BYTE* block = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, std::max(bytes.size(), blockSize)));
  if (block) std::copy(bytes.begin(), bytes.end(), block);
  return block;
}

// The probe library of misbehaving exports, as the device names it.
std::wstring ProbeLibrary() { return gui_driver::WideWindowsPath(BC_SERVICE_PROBE); }

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

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
    BYTE* block = input.empty() ? nullptr : LocalCopy(input);
    return InvokeWith(dll, function, static_cast<DWORD>(input.size()), block);
  }
  Output InvokeWith(const wchar_t* dll, const wchar_t* function, DWORD cbInput, BYTE* input) {
    DWORD size = 12345;
    BYTE* buffer = reinterpret_cast<BYTE*>(1);
    const HRESULT result = remote.Exports().invoke(dll, function, cbInput, input, &size, &buffer, nullptr, 0);
    Output output{result, {}, buffer != nullptr};
    if (buffer) {
      output.bytes.assign(buffer, buffer + size);
      EXPECT_EQ(LocalFree(buffer), nullptr) << "the output must be the caller's LocalAlloc block";
    } else {
      EXPECT_EQ(size, 0u);
    }
    return output;
  }

  support::RemoteApi remote;
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
  EXPECT_EQ(remote.LastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(Invoke(L"bcmgr", L"NoSuchExport").result, HRESULT_FROM_WIN32(ERROR_CALL_NOT_IMPLEMENTED));
  EXPECT_EQ(remote.LastError(), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED));
}

TEST_F(RemoteApiStandIn, ExceptionInTheCalledFunctionIsReportedAndTheServiceLivesOn) {
  ASSERT_EQ(remote.Connect(), S_OK);
  for (const wchar_t* function : {L"Throw", L"WriteThroughNull"}) {
    EXPECT_EQ(Invoke(ProbeLibrary().c_str(), function, {1, 2, 3}).result,
              HRESULT_FROM_WIN32(ERROR_EXCEPTION_IN_SERVICE))
        << Narrow(function);
    EXPECT_EQ(remote.LastError(), static_cast<DWORD>(ERROR_EXCEPTION_IN_SERVICE));
    WriteCodeFile("12");
    EXPECT_EQ(Invoke(L"bcmgr", L"CheckLogin", LoginRequest("12")).bytes, (std::vector<BYTE>{1, 0, 0, 0}))
        << "the same connection still served after " << Narrow(function);
  }
  remote.Uninit();
  ASSERT_EQ(remote.Connect(), S_OK) << "the device still takes connections";
}

TEST_F(RemoteApiStandIn, FunctionThatKeepsItsInputIsReportedAsLeak) {
  ASSERT_EQ(remote.Connect(), S_OK);
  EXPECT_EQ(Invoke(ProbeLibrary().c_str(), L"KeepInput", {1, 2, 3}).result, S_OK);
  EXPECT_EQ(DeviceCalls().back(), "Leak: " + Narrow(ProbeLibrary()) + " KeepInput did not free its 3-byte input");
  WriteCodeFile("7");
  EXPECT_EQ(Invoke(L"bcmgr", L"CheckLogin", LoginRequest("7")).result, S_OK);
  EXPECT_EQ(DeviceCalls().back(), "Invoke bcmgr CheckLogin 3 -> 0x00000000") << "bcmgr frees its input";
  EXPECT_EQ(Invoke(L"bcmgr", L"ExitKioskMode", {9}).result, S_OK);
  EXPECT_EQ(DeviceCalls().back(), "Invoke bcmgr ExitKioskMode 1 -> 0x00000000") << "also the input it does not read";
}

TEST_F(RemoteApiStandIn, InputIsFreedOnceSentWhateverTheOutcome) {
  BYTE* unsent = LocalCopy({1, 2, 3});
  EXPECT_EQ(InvokeWith(L"bcmgr", L"CheckLogin", 3, unsent).result, kRapiNoConnection);
  EXPECT_FALSE(standins::emulated_device::LocalBlockInUse(unsent)) << "freed without a connection too";
  ASSERT_EQ(remote.Connect(), S_OK);
  BYTE* sent = LocalCopy(LoginRequest("5"));
  EXPECT_EQ(InvokeWith(L"bcmgr", L"CheckLogin", 3, sent).result, S_OK);
  EXPECT_FALSE(standins::emulated_device::LocalBlockInUse(sent));
  // A block with no bytes in use: nothing is sent, the block is still freed.
  BYTE* empty = LocalCopy({}, 8);
  EXPECT_EQ(InvokeWith(L"bcmgr", L"CheckLogin", 0, empty).result, S_OK);
  EXPECT_FALSE(standins::emulated_device::LocalBlockInUse(empty));
  EXPECT_EQ(DeviceCalls().back(), "Invoke bcmgr CheckLogin 0 -> 0x00000000");
}

TEST_F(RemoteApiStandIn, InputThatIsNoLocalAllocBlockIsRefusedAndLogged) {
  ASSERT_EQ(remote.Connect(), S_OK);
  static BYTE staticBuffer[16] = {'1', 0, 0};
  BYTE stackBuffer[16] = {'1', 0, 0};
  for (BYTE* input : {staticBuffer, stackBuffer}) {
    EXPECT_EQ(InvokeWith(L"bcmgr", L"CheckLogin", 3, input).result, E_INVALIDARG);
    EXPECT_EQ(DeviceCalls().back(), "CeRapiInvoke bcmgr CheckLogin: input is not a LocalAlloc block -> 0x80070057");
  }
  BYTE* tooSmall = LocalCopy({'1', 0, 0});
  EXPECT_EQ(InvokeWith(L"bcmgr", L"CheckLogin", static_cast<DWORD>(LocalSize(tooSmall)) + 1, tooSmall).result,
            E_INVALIDARG)
      << "a size beyond the block";
  EXPECT_TRUE(standins::emulated_device::LocalBlockInUse(tooSmall)) << "a refused input stays the caller's";
  LocalFree(tooSmall);
}

TEST_F(RemoteApiStandIn, LargestInputTheWireCarriesIsServedAndOneByteMoreRefused) {
  ASSERT_EQ(remote.Connect(), S_OK);
  WriteCodeFile("");
  const uint32_t largest = standins::rapi_wire::MaxInvokeInput(u"bcmgr", u"CheckLogin");
  BYTE* block = static_cast<BYTE*>(LocalAlloc(LPTR, largest + 1));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(InvokeWith(L"bcmgr", L"CheckLogin", largest + 1, block).result, E_INVALIDARG);
  EXPECT_FALSE(standins::emulated_device::LocalBlockInUse(block)) << "freed, though never sent";
  block = static_cast<BYTE*>(LocalAlloc(LPTR, largest));
  ASSERT_NE(block, nullptr);
  const Output served = InvokeWith(L"bcmgr", L"CheckLogin", largest, block);
  EXPECT_FALSE(standins::emulated_device::LocalBlockInUse(block));
  EXPECT_EQ(served.result, S_OK);
  EXPECT_EQ(served.bytes, (std::vector<BYTE>{1, 0, 0, 0})) << "all zero units: the empty code";
  EXPECT_EQ(DeviceCalls().back(), "Invoke bcmgr CheckLogin " + std::to_string(largest) + " -> 0x00000000");
  EXPECT_EQ(Invoke(L"bcmgr", L"ExitKioskMode").result, S_OK) << "the connection stays";
}

TEST_F(RemoteApiStandIn, RequestsOfEverySizeAreAnsweredWithoutLeaks) {
  ASSERT_EQ(remote.Connect(), S_OK);
  WriteCodeFile("1234567890");
  for (size_t size : {1, 2, 3, 20, 21, 22, 41, 197, 198, 199, 200, 201, 65536}) {
    std::vector<BYTE> request(size, 0);
    for (size_t unit = 0; 2 * unit + 1 < size; ++unit) request[2 * unit] = static_cast<BYTE>("1234567890"[unit % 10]);
    const Output answer = Invoke(L"bcmgr", L"CheckLogin", request);
    EXPECT_EQ(answer.result, S_OK) << size << " bytes";
    EXPECT_EQ(answer.bytes, (std::vector<BYTE>{size == 20 || size == 21 ? BYTE{1} : BYTE{0}, 0, 0, 0})) << size;
    EXPECT_EQ(DeviceCalls().back(), "Invoke bcmgr CheckLogin " + std::to_string(size) + " -> 0x00000000");
  }
}

TEST_F(RemoteApiStandIn, SecondSetUpBeforeUninitIsRefused) {
  ASSERT_EQ(remote.Connect(), S_OK);
  RAPIINIT second{sizeof second, nullptr, 0};
  EXPECT_EQ(remote.Exports().initEx(&second), CERAPI_E_ALREADYINITIALIZED) << "while connected";
  EXPECT_EQ(Invoke(L"bcmgr", L"ExitKioskMode").result, S_OK) << "the connection is untouched";
  remote.Uninit();
  const std::string sessionPort = DevicePort();
  _putenv("BC_DEVICE_PORT=1");
  EXPECT_EQ(remote.Connect(500), HRESULT_FROM_WIN32(WAIT_TIMEOUT));
  EXPECT_EQ(remote.Exports().initEx(&second), CERAPI_E_ALREADYINITIALIZED) << "while a set-up is pending";
  remote.Uninit();
  _putenv(("BC_DEVICE_PORT=" + sessionPort).c_str());
  EXPECT_EQ(remote.Connect(), S_OK) << "after CeRapiUninit";
}

TEST_F(RemoteApiStandIn, SecurityPolicyRefusesEveryCall) {
  ASSERT_EQ(remote.Connect(), S_OK);
  SetSecurityPolicyDenies(true);
  EXPECT_EQ(Invoke(L"bcmgr", L"CheckLogin", LoginRequest("1")).result, E_ACCESSDENIED);
  EXPECT_EQ(remote.LastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(remote.Exports().createFile(L"\\Windows\\denied.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
            INVALID_HANDLE_VALUE);
  SetSecurityPolicyDenies(false);
  EXPECT_EQ(Invoke(L"bcmgr", L"ExitKioskMode").result, S_OK);
}

TEST_F(RemoteApiStandIn, WithoutConnectionEveryCallFailsAsNoConnection) {
  EXPECT_EQ(Invoke(L"bcmgr", L"ExitKioskMode").result, kRapiNoConnection);
  EXPECT_EQ(remote.LastError(), static_cast<DWORD>(WSAENOTSOCK));
  ASSERT_EQ(remote.Connect(), S_OK);
  SetUnplugged(true);
  EXPECT_EQ(Invoke(L"bcmgr", L"ExitKioskMode").result, kRapiNoConnection) << "a dropped connection";
  SetUnplugged(false);
  EXPECT_EQ(Invoke(L"bcmgr", L"ExitKioskMode").result, kRapiNoConnection) << "stays dropped until a new set-up";
  remote.Uninit();
  ASSERT_EQ(remote.Connect(), S_OK);
  EXPECT_EQ(Invoke(L"bcmgr", L"ExitKioskMode").result, S_OK);
}

TEST_F(RemoteApiStandIn, BadArgumentsAreRefusedBeforeAnythingIsSent) {
  DWORD size = 0;
  BYTE* output = nullptr;
  EXPECT_EQ(remote.Exports().invoke(L"bcmgr", L"CheckLogin", 4, nullptr, &size, &output, nullptr, 0), E_INVALIDARG);
  EXPECT_EQ(remote.Exports().invoke(nullptr, L"CheckLogin", 0, nullptr, &size, &output, nullptr, 0), E_INVALIDARG);
  IRAPIStream* stream = nullptr;
  EXPECT_EQ(remote.Exports().invoke(L"bcmgr", L"CheckLogin", 0, nullptr, &size, &output, &stream, 0), E_NOTIMPL);
  RAPIINIT tooSmall{4, nullptr, 0};
  EXPECT_EQ(remote.Exports().initEx(&tooSmall), E_INVALIDARG);
  // The layout of a caller built for the other pointer size (12 bytes for
  // 32-bit, 24 for 64-bit). Accepted, it would start a set-up that nothing ends.
  RAPIINIT otherLayout{sizeof(void*) == 4 ? 24u : 12u, nullptr, 0};
  EXPECT_EQ(remote.Exports().initEx(&otherLayout), E_INVALIDARG);
}

TEST_F(RemoteApiStandIn, CopiesFilesToTheDeviceAndStartsProgramsThere) {
  ASSERT_EQ(remote.Connect(), S_OK);
  const std::string source = gui_driver::BuildFile("rapi_copy_source.txt");
  const std::string content(200000, 'k');
  WriteFileText(source, content);
  RemoveFile(DeviceWindowsFile("rapi_copy.txt"));
  ASSERT_TRUE(remote.CopyToDevice(source, L"\\Windows\\rapi_copy.txt"));
  EXPECT_EQ(ReadFileText(DeviceWindowsFile("rapi_copy.txt")), content);
  EXPECT_FALSE(remote.Exports().closeHandle(reinterpret_cast<HANDLE>(0x1234))) << "only handles the device gave out";
  RemoveFile(DeviceWindowsFile("rapi_started.txt"));
  EXPECT_TRUE(remote.StartOnDevice(L"C:\\windows\\system32\\cmd.exe", L"/c echo started> \\Windows\\rapi_started.txt"));
  EXPECT_TRUE(
      gui_driver::WaitUntil([] { return ReadFileText(DeviceWindowsFile("rapi_started.txt")) == "started\r\n"; }));
  EXPECT_FALSE(remote.StartOnDevice(L"\\Windows\\no_such_program.exe"));
}

TEST_F(RemoteApiStandIn, DeviceOutlivesClientsThatVanishMidCall) {
  ASSERT_TRUE(standins::rapi_wire::StartWinsock());
  const auto port = standins::rapi_wire::ParsePort(DevicePort());
  ASSERT_TRUE(port.has_value());
  standins::rapi_wire::Writer request;
  request.U32(static_cast<uint32_t>(standins::rapi_wire::Operation::Invoke))
      .Text(u"bcmgr")
      .Text(u"CheckLogin")
      .Blob({'1', 0, 0});
  for (int i = 0; i < 5; ++i) {
    standins::rapi_wire::Channel vanishing = standins::rapi_wire::ConnectLoopback(*port);
    ASSERT_TRUE(vanishing.Open());
    ASSERT_TRUE(vanishing.Send(request.Data()));
  }
  standins::rapi_wire::Channel garbage = standins::rapi_wire::ConnectLoopback(*port);
  ASSERT_TRUE(garbage.Send({0xFF, 0xFF}));
  garbage.Close();
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(remote.Connect(), S_OK) << "connection " << i;
    EXPECT_EQ(Invoke(L"bcmgr", L"ExitKioskMode").result, S_OK);
    remote.Uninit();
  }
}

TEST_F(RemoteApiStandIn, PendingSetUpEndsAtOnceOnUninit) {
  const std::string sessionPort = DevicePort();
  _putenv("BC_DEVICE_PORT=1");
  EXPECT_EQ(remote.Connect(800), HRESULT_FROM_WIN32(WAIT_TIMEOUT)) << "nobody answers on port 1";
  const auto start = std::chrono::steady_clock::now();
  remote.Uninit();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
  _putenv(("BC_DEVICE_PORT=" + sessionPort).c_str());
}

}  // namespace
