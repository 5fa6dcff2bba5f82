// bcinstall against the emulated device: it asks the device's processor and
// sends the package built for it, or says why it sends nothing. The device's
// installer is replaced by a program that does nothing, so that only the
// choice is seen; the installer's own check is wceload_tests'.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/text.h"
#include "tests/device_control/device_files.h"
#include "tests/gui_driver/gui_driver.h"

namespace device_control_test {
namespace {

using namespace gui_driver;

constexpr char kArmCabinet[] = "Brindlecove.PPC_ARM.CAB";
constexpr char kX86Cabinet[] = "Brindlecove.PPC_X86.CAB";

// What bcinstall reads: the targets of setup.inf, named as the package tool names their cabinets.
constexpr char kSetup[] =
    "[Version]\r\nSignature=\"$Windows NT$\"\r\nProvider=\"Vantrel\"\r\nCESignature=\"$Windows CE$\"\r\n"
    "[CEStrings]\r\nAppName=\"Brindlecove\"\r\nInstallDir=%CE1%\\%AppName%\r\n"
    "[DefaultInstall]\r\nCopyFiles=Files.InstallDir\r\n"
    "[SourceDisksNames]\r\n1=,\"Files\",,.\r\n[SourceDisksFiles]\r\nset.alf=1\r\n"
    "[DestinationDirs]\r\nFiles.InstallDir=0,%InstallDir%\r\n[Files.InstallDir]\r\nset.alf\r\n"
    "[CEDevice]\r\nVersionMin=4.20\r\n"
    "[CEDevice.PPC_ARM]\r\nProcessorType=2577\r\n[CEDevice.PPC_X86]\r\nProcessorType=686\r\n";

class InstallChoice : public ::testing::Test {
 protected:
  void SetUp() override {
    installer_ = ReadFileText(DeviceWindowsFile("wceload.exe"));
    WriteFileText(DeviceWindowsFile("wceload.exe"), ReadFileText(WindowsPath(BC_QUIET_PROGRAM)));
    CreateDirectoryW(folder_.File(L"output").c_str(), nullptr);
    WriteFileText(Folder("setup.inf"), kSetup);
  }
  void TearDown() override {
    WriteFileText(DeviceWindowsFile("wceload.exe"), installer_);
    RemoveFile(DeviceWindowsFile("processor-type"));
    for (const char* cabinet : {kArmCabinet, kX86Cabinet}) RemoveFile(DeviceWindowsFile(cabinet));
  }
  std::string Folder(const std::string& name) const { return support::Narrow(folder_.File(support::Widen(name))); }
  void Build(const std::vector<std::string>& cabinets) {
    for (const std::string& cabinet : cabinets) WriteFileText(Folder("output\\" + cabinet), "package " + cabinet);
  }

  struct Run {
    DWORD exitCode = STILL_ACTIVE;
    std::string output;
    std::string box;  // the text of its message box, answered OK
    std::vector<std::string> deviceCalls;
  };
  Run Install() {
    const size_t callsBefore = DeviceCalls().size();
    Run run;
    {
      Process sender(WindowsPath(BC_BCINSTALL), "", Folder(""), Folder("out.txt"));
      EXPECT_TRUE(sender.Started());
      // Until it ends, at most 30 s: its message box, if one comes, is answered.
      for (int wait = 0; wait < 150 && sender.Running(); ++wait) {
        const MessageBoxInfo box = WaitMessageBox(sender.Id(), milliseconds(200));
        if (box.window) {
          run.box = box.text;
          Answer(box, IDOK);
        }
      }
      run.exitCode = sender.WaitForExit(milliseconds(5000));
    }
    run.output = ReadFileText(Folder("out.txt"));
    const std::vector<std::string> calls = DeviceCalls();
    run.deviceCalls.assign(calls.begin() + static_cast<long>(std::min(callsBefore, calls.size())), calls.end());
    return run;
  }

  support::TemporaryFolder folder_{L"bc_install_choice"};
  std::string installer_;
};

bool Mentions(const std::vector<std::string>& lines, const std::string& text) {
  for (const std::string& line : lines) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

TEST_F(InstallChoice, SendsThePackageBuiltForTheDevicesProcessor) {
  Build({kArmCabinet, kX86Cabinet});
  struct Case {
    const char* deviceProcessor;  // empty: the emulated device's own
    const char* sent;
    const char* other;
  };
  for (const Case& c : {Case{"", kX86Cabinet, kArmCabinet}, Case{"2577", kArmCabinet, kX86Cabinet},
                        Case{"686", kX86Cabinet, kArmCabinet}}) {
    SCOPED_TRACE(std::string("device processor ") + c.deviceProcessor);
    if (*c.deviceProcessor) WriteFileText(DeviceWindowsFile("processor-type"), c.deviceProcessor);
    const Run run = Install();
    EXPECT_EQ(run.exitCode, 0u) << run.box;
    EXPECT_EQ(run.output.rfind(std::string(c.sent) + " sent to the device", 0), 0u) << run.output;
    EXPECT_TRUE(Mentions(run.deviceCalls, std::string("CreateFile \\Windows\\") + c.sent));
    EXPECT_FALSE(Mentions(run.deviceCalls, c.other)) << "the other package went too";
    EXPECT_EQ(ReadFileText(DeviceWindowsFile(c.sent)), std::string("package ") + c.sent);
    RemoveFile(DeviceWindowsFile(c.sent));
  }
}

TEST_F(InstallChoice, WithNoPackageForTheDevicesProcessorSendsNothingAndSaysWhy) {
  struct Case {
    const char* built;
    const char* deviceProcessor;
  };
  for (const Case& c : {Case{kArmCabinet, "686"}, Case{kX86Cabinet, "2577"}}) {
    SCOPED_TRACE(c.built);
    RemoveFile(Folder(std::string("output\\") + kArmCabinet));
    RemoveFile(Folder(std::string("output\\") + kX86Cabinet));
    Build({c.built});
    WriteFileText(DeviceWindowsFile("processor-type"), c.deviceProcessor);
    const Run run = Install();
    EXPECT_EQ(run.exitCode, 5u);
    const std::string message = std::string("There is no package for this device's processor (") + c.deviceProcessor +
                                ") in the output folder. Nothing was sent.";
    EXPECT_EQ(run.box, message);
    EXPECT_EQ(run.output, message + "\r\n");
    EXPECT_TRUE(Mentions(run.deviceCalls, std::string("GetSystemInfo -> processor ") + c.deviceProcessor));
    EXPECT_FALSE(Mentions(run.deviceCalls, "CreateFile")) << "something was sent";
    EXPECT_FALSE(Mentions(run.deviceCalls, "CreateProcess")) << "the installer was started";
  }
}

}  // namespace
}  // namespace device_control_test
