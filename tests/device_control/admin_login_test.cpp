#include "support/remote_api.h"
#include "tests/device_control/device_controller_fixture.h"

using namespace gui_driver;
using namespace device_control_test;

namespace {

constexpr char kCode[] = "1234";

class AdminLogin : public DeviceControllerTest {
 protected:
  void SetUp() override {
    WriteCodeFile(kCode);
    DeviceControllerTest::SetUp();
  }

  HWND OpenConnectedController() {
    HWND controller = OpenController();
    EXPECT_TRUE(controller && WaitStatus(controller, "Device connected", milliseconds(5000)));
    return controller;
  }

  // Logs in with the right code; the exit call follows.
  void LogIn(HWND controller) {
    HWND login = OpenLogin(controller);
    ASSERT_NE(login, nullptr);
    SubmitCode(login, kCode);
    ASSERT_TRUE(WaitDialogGone(builder_->Id(), kLoginCaption));
  }

  size_t CallsOf(const std::string& function) const {
    size_t count = 0;
    for (const std::string& line : NewRemoteCalls()) count += line.find(" " + function + " ") != std::string::npos;
    return count;
  }
};

// The kiosk engine, copied to the device and started there.
class EngineOnDevice {
 public:
  EngineOnDevice() {
    if (remote_.Connect() != S_OK) return;
    RemoveFile(StateFile());
    started_ = remote_.CopyToDevice(WindowsPath(BC_DEVICE_DIR "/brindlecove.exe"), L"\\Windows\\Brindlecove.exe") &&
               remote_.StartOnDevice(L"\\Windows\\Brindlecove.exe") &&
               WaitUntil([] { return State().find("kiosk=on") != std::string::npos; });
  }
  bool Started() const { return started_; }
  static std::string State() { return ReadFileText(StateFile()); }

 private:
  static std::string StateFile() { return DeviceWindowsFile("engine_state.txt"); }

  support::RemoteApi remote_;
  bool started_ = false;
};

TEST_F(AdminLogin, WrongCodeAsksAgainAndTheRightOneTakesTheDeviceOutOfKioskMode) {
  EngineOnDevice engine;
  ASSERT_TRUE(engine.Started()) << "the kiosk engine did not start on the device";
  HWND controller = OpenConnectedController();
  HWND login = OpenLogin(controller);
  ASSERT_NE(login, nullptr);
  EXPECT_TRUE(WaitFocus(login, IDC_LOGIN_CODE)) << "focus on control " << FocusedControlId(login);
  EXPECT_EQ(Text(login, IDC_LOGIN_CODE), "");

  SubmitCode(login, "999");
  const MessageBoxInfo box = ExpectBox("Invalid password. Please try again.");
  EXPECT_EQ(box.caption, "Brindlecove");
  EXPECT_EQ(box.icon, Icon::Exclamation);
  EXPECT_EQ(Text(login, IDC_LOGIN_CODE), "");
  EXPECT_TRUE(WaitUntil([&] { return FocusedControlId(login) == IDC_LOGIN_CODE; }, milliseconds(2000)));
  EXPECT_EQ(CallsOf("ExitKioskMode"), 0u);

  SubmitCode(login, kCode);
  ASSERT_TRUE(WaitDialogGone(builder_->Id(), kLoginCaption));
  EXPECT_TRUE(WaitUntil([] { return EngineOnDevice::State().find("kiosk=left") != std::string::npos; }))
      << EngineOnDevice::State();
  // The engine hears the exit while the call still runs; the log line follows.
  WaitUntil([&] { return NewRemoteCalls().size() == 3; }, milliseconds(2000));
  EXPECT_EQ(NewRemoteCalls(), (std::vector<std::string>{"Invoke bcmgr CheckLogin 7 -> 0x00000000",
                                                        "Invoke bcmgr CheckLogin 9 -> 0x00000000",
                                                        "Invoke bcmgr ExitKioskMode 0 -> 0x00000000"}));
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
  EXPECT_EQ(Text(controller, IDC_DEVICE_STATUS), "Device connected");
}

TEST_F(AdminLogin, IsKeptAcrossReconnectingAndAskedAgainAtTheNextOpening) {
  HWND controller = OpenConnectedController();
  LogIn(controller);
  Click(controller, IDC_DEVICE_EXIT_KIOSK);
  Click(controller, IDC_DEVICE_DISCONNECT);
  Click(controller, IDC_DEVICE_CONNECT);
  ASSERT_TRUE(WaitStatus(controller, "Device connected", milliseconds(5000)));
  Click(controller, IDC_DEVICE_EXIT_KIOSK);
  EXPECT_EQ(FindDialog(builder_->Id(), kLoginCaption, milliseconds(500)), nullptr);
  EXPECT_EQ(CallsOf("CheckLogin"), 1u);
  EXPECT_EQ(CallsOf("ExitKioskMode"), 3u);
  CloseController(controller);

  controller = OpenConnectedController();
  HWND login = OpenLogin(controller);
  ASSERT_NE(login, nullptr) << "a new opening asks for the code again";
  EXPECT_EQ(Text(login, IDC_LOGIN_CODE), "");
  ClickAsync(login, IDCANCEL);
  ASSERT_TRUE(WaitDialogGone(builder_->Id(), kLoginCaption));
  EXPECT_EQ(CallsOf("CheckLogin"), 1u) << "Cancel sends nothing";
  EXPECT_EQ(CallsOf("ExitKioskMode"), 3u);
}

TEST_F(AdminLogin, EmptyCodeSendsOneByteAndTwentyDigitsSendFortyOne) {
  WriteCodeFile("");
  HWND controller = OpenConnectedController();
  HWND login = OpenLogin(controller);
  ASSERT_NE(login, nullptr);
  SubmitCode(login, "");
  ASSERT_TRUE(WaitDialogGone(builder_->Id(), kLoginCaption)) << "an empty code file accepts the empty code";
  CloseController(controller);

  WriteCodeFile("1234567890");
  controller = OpenConnectedController();
  login = OpenLogin(controller);
  ASSERT_NE(login, nullptr);
  // The field takes 20 characters at most.
  SubmitCode(login, "1234567890123456789012345");
  ExpectBox("Invalid password. Please try again.");
  ClickAsync(login, IDCANCEL);
  ASSERT_TRUE(WaitDialogGone(builder_->Id(), kLoginCaption));
  EXPECT_EQ(NewRemoteCalls(), (std::vector<std::string>{"Invoke bcmgr CheckLogin 1 -> 0x00000000",
                                                        "Invoke bcmgr ExitKioskMode 0 -> 0x00000000",
                                                        "Invoke bcmgr CheckLogin 41 -> 0x00000000"}));
}

TEST_F(AdminLogin, SecurityPolicyRefusalsAreReported) {
  HWND controller = OpenConnectedController();
  SetSecurityPolicyDenies(true);
  HWND login = OpenLogin(controller);
  ASSERT_NE(login, nullptr);
  SubmitCode(login, kCode);
  ExpectBox("Login error. Operation could have been denied due to policy restriction. Error 0x80070005");
  EXPECT_TRUE(WaitDialogGone(builder_->Id(), kLoginCaption)) << "a failed call closes the dialog";

  SetSecurityPolicyDenies(false);
  LogIn(controller);
  SetSecurityPolicyDenies(true);
  ClickAsync(controller, IDC_DEVICE_EXIT_KIOSK);
  ExpectBox("Operation Failed! Probably because of security policy on the device.");
  EXPECT_EQ(Text(controller, IDC_DEVICE_STATUS), "Device connected");
  ExpectButtons(controller, true);
}

TEST_F(AdminLogin, LostConnectionAsksForActiveSync) {
  HWND controller = OpenConnectedController();
  SetUnplugged(true);
  HWND login = OpenLogin(controller);
  ASSERT_NE(login, nullptr);
  SubmitCode(login, kCode);
  ExpectBox("No connection with the device. Please run ActiveySync and try again.");
  EXPECT_TRUE(WaitDialogGone(builder_->Id(), kLoginCaption));
  EXPECT_EQ(CallsOf("ExitKioskMode"), 0u);
}

}  // namespace
