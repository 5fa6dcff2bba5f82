// BCESetup.dll as the package installer uses it: Install_Exit is run on a
// worker thread while the test answers its message boxes. Its cases are the
// ones the CE ARM build runs on the emulated device (module_cases.h).
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "device/engine_contract/engine_contract.h"
#include "device/setup/engine_path.h"
#include "platform/ce_setup.h"
#include "support/library.h"
#include "support/text.h"
#include "tests/device/device_test_support.h"
#include "tests/device/module_cases.h"

namespace {

using namespace device_test;

using support::Widen;

const std::wstring kCaption = Widen(kSetupCaption);
const std::wstring kResetQuestion = Widen(kSetupResetQuestion);
const std::wstring kStartQuestion = Widen(kSetupStartQuestion);

// The visible setup question now on screen, if any.
HWND FindSetupBox() { return VisibleBox(kCaption.c_str()); }

// One run of Install_Exit on a worker thread, answered from this thread.
class InstallExitRun {
 public:
  InstallExitRun(InstallExitHook installExit, std::wstring installFolder)
      : installExit_(installExit),
        folder_(std::move(installFolder)),
        worker_(CreateThread(nullptr, 0, Run, this, 0, nullptr)) {}
  // Dismisses whatever question is left so that the worker can end.
  ~InstallExitRun() {
    while (worker_ && WaitForSingleObject(worker_, 50) == WAIT_TIMEOUT) {
      if (HWND box = FindSetupBox()) PostMessageW(box, WM_COMMAND, IDNO, 0);
    }
    if (worker_) CloseHandle(worker_);
  }
  InstallExitRun(const InstallExitRun&) = delete;
  InstallExitRun& operator=(const InstallExitRun&) = delete;

  // Waits for the question and presses the button; false when it never came.
  bool Answer(const std::wstring& question, int button) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindSetupBox()) != nullptr && BoxText(box) == question; })) return false;
    SendMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
    return WaitUntil([&] { return !IsWindow(box); });
  }
  // The hook's result once it returned without asking more.
  std::optional<int> Result() {
    if (!worker_ || WaitForSingleObject(worker_, 5000) != WAIT_OBJECT_0) return std::nullopt;
    return result_;
  }

 private:
  static DWORD WINAPI Run(void* self) {
    auto* run = static_cast<InstallExitRun*>(self);
    run->result_ = run->installExit_(nullptr, run->folder_.c_str(), 0, 0, 0, 0, 0);
    return 0;
  }

  InstallExitHook installExit_;
  std::wstring folder_;
  int result_ = -1;
  HANDLE worker_;  // last: the worker reads the fields above
};

class SetupHooks : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library_.Loaded()) << "BCESetup.dll not found in the device folder";
    installExit_ = library_.Bind<InstallExitHook>("Install_Exit");
    ASSERT_NE(installExit_, nullptr);
  }

  // Puts the fake engine into a folder as the package would put the engine.
  static void PlaceEngine(const std::wstring& folder) {
    ASSERT_TRUE(CopyFileW(FakeEngineFile().c_str(), EngineIn(folder).c_str(), FALSE));
  }
  static std::wstring EngineIn(const std::wstring& folder) {
    return folder + L"\\" + device::engine_contract::kEngineFileName.wide;
  }
  // The command line the fake engine in that folder was started with.
  static std::optional<std::wstring> RecordedCommandLine(const std::wstring& folder) {
    const std::wstring record = folder + L"\\command_line.txt";
    std::optional<std::string> bytes;
    // A new console under Wine can take seconds to come up on a busy machine.
    if (!WaitUntil([&] { return (bytes = ReadWholeFile(record)).has_value(); }, 20s)) return std::nullopt;
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes->data()), bytes->size() / sizeof(wchar_t));
  }
  static bool NothingStarted(const std::wstring& folder) {
    return !WaitUntil([&] { return PathExists(folder + L"\\command_line.txt"); }, 1500ms);
  }

  support::Library library_{DeviceFile(L"BCESetup.dll")};
  InstallExitHook installExit_ = nullptr;
  TempFolder installFolder_;
};

TEST_F(SetupHooks, InstallExitCases) {
  for (const InstallExitCase& c : InstallExitCases()) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    if (c.enginePlaced) PlaceEngine(folder.Path());
    {
      InstallExitRun run(installExit_, folder.Path());
      ASSERT_TRUE(run.Answer(kResetQuestion, c.answers[0] ? IDYES : IDNO));
      if (!c.answers[0]) {
        ASSERT_TRUE(run.Answer(kStartQuestion, c.answers[1] ? IDYES : IDNO));
      }
      EXPECT_EQ(run.Result(), codINSTALL_EXIT_DONE);
    }
    if (!c.engineCommandLine) {
      EXPECT_TRUE(NothingStarted(folder.Path()));
      continue;
    }
    const std::optional<std::wstring> commandLine = RecordedCommandLine(folder.Path());
    ASSERT_TRUE(commandLine.has_value()) << "engine not started";
    // Wine gives a process started with an empty command line its quoted
    // program path instead: no argument either way.
    const std::wstring expected = Widen(*c.engineCommandLine);
    const std::wstring programAlone = L"\"" + EngineIn(folder.Path()) + L"\"";
    EXPECT_TRUE(*commandLine == expected || (expected.empty() && *commandLine == programAlone)) << *commandLine;
  }
}

TEST_F(SetupHooks, EngineInProgramFilesBrindlecove) {
  // The installer's folder as a device path, on the device's root drive.
  const std::wstring folder = L"C:\\Program Files\\Brindlecove";
  if (PathExists(folder)) GTEST_SKIP() << "C:\\Program Files\\Brindlecove already exists in this prefix";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  PlaceEngine(folder);
  {
    CurrentFolder deviceRoot(L"C:\\");
    InstallExitRun run(installExit_, L"\\Program Files\\Brindlecove");
    EXPECT_TRUE(run.Answer(kResetQuestion, IDYES));
    EXPECT_EQ(run.Result(), codINSTALL_EXIT_DONE);
    EXPECT_EQ(RecordedCommandLine(folder), L"r");
  }
  RemoveFolder(folder);
}

TEST_F(SetupHooks, TooLongInstallFolderStartsNothing) {
  // Cut to 255 units, the engine path of this folder would name a real
  // engine: "<padded>\Brindlecove.exe\more\Brindlecove.exe" begins with one.
  const size_t engineNameUnits = std::wstring_view(L"\\Brindlecove.exe").size();
  std::wstring padded = installFolder_.Path() + L"\\";
  padded.append(device::setup::kEnginePathUnits - 1 - engineNameUnits - padded.size(), L'd');
  ASSERT_TRUE(CreateDirectoryW(padded.c_str(), nullptr));
  PlaceEngine(padded);
  {
    InstallExitRun run(installExit_, EngineIn(padded) + L"\\more");
    EXPECT_TRUE(run.Answer(kResetQuestion, IDYES));
    EXPECT_EQ(run.Result(), codINSTALL_EXIT_DONE);
    EXPECT_TRUE(NothingStarted(padded));
  }
  RemoveFolder(padded);
}

TEST_F(SetupHooks, OtherHooksLetTheInstallerGoOn) {
  const auto installInit = library_.Bind<InstallInitHook>("Install_Init");
  const auto uninstallInit = library_.Bind<UninstallInitHook>("Uninstall_Init");
  const auto uninstallExit = library_.Bind<UninstallExitHook>("Uninstall_Exit");
  ASSERT_NE(installInit, nullptr);
  ASSERT_NE(uninstallInit, nullptr);
  ASSERT_NE(uninstallExit, nullptr);
  EXPECT_EQ(installInit(nullptr, TRUE, FALSE, installFolder_.Path().c_str()), codINSTALL_INIT_CONTINUE);
  EXPECT_EQ(uninstallInit(nullptr, installFolder_.Path().c_str()), codUNINSTALL_INIT_CONTINUE);
  EXPECT_EQ(uninstallExit(nullptr), codUNINSTALL_EXIT_DONE);
  EXPECT_FALSE(FindSetupBox());
}

}  // namespace
