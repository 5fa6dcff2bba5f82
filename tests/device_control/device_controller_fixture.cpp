#include "tests/device_control/device_controller_fixture.h"

#include <cstdlib>
#include <memory>

using namespace gui_driver;
using namespace device_control_test;

namespace {

// Sets an environment variable for the programs started meanwhile.
class ScopedSetting {
 public:
  ScopedSetting(const std::string& name, const std::string& value) : name_(name) {
    const char* old = std::getenv(name.c_str());
    old_ = old ? old : "";
    _putenv((name + "=" + value).c_str());
  }
  ~ScopedSetting() { _putenv((name_ + "=" + old_).c_str()); }
  ScopedSetting(const ScopedSetting&) = delete;
  ScopedSetting& operator=(const ScopedSetting&) = delete;

 private:
  std::string name_;
  std::string old_;
};

}  // namespace

void DeviceControllerTest::SetUp() {
  SetSecurityPolicyDenies(false);
  SetUnplugged(false);
  callsBefore_ = DeviceCalls().size();
  std::vector<std::unique_ptr<ScopedSetting>> settings;
  for (const auto& [name, value] : BuilderSettings()) settings.push_back(std::make_unique<ScopedSetting>(name, value));
  BuilderTest::SetUp();
}

void DeviceControllerTest::TearDown() {
  BuilderTest::TearDown();
  SetSecurityPolicyDenies(false);
  SetUnplugged(false);
}

HWND DeviceControllerTest::OpenController() { return OpenDialog(IDC_DEVICE_CONTROL, kControllerCaption); }

void DeviceControllerTest::CloseController(HWND controller) {
  ClickAsync(controller, IDOK);
  EXPECT_TRUE(WaitDialogGone(builder_->Id(), kControllerCaption));
}

bool DeviceControllerTest::WaitStatus(HWND controller, const std::string& status, milliseconds timeout) {
  return WaitUntil([&] { return Text(controller, IDC_DEVICE_STATUS) == status; }, timeout);
}

void DeviceControllerTest::ExpectButtons(HWND controller, bool connected) {
  EXPECT_EQ(IsEnabled(controller, IDC_DEVICE_CONNECT), !connected);
  EXPECT_EQ(IsEnabled(controller, IDC_DEVICE_DISCONNECT), connected);
  EXPECT_EQ(IsEnabled(controller, IDC_DEVICE_EXIT_KIOSK), connected);
  EXPECT_FALSE(IsVisible(controller, IDC_DEVICE_SCREENSHOT));
}

HWND DeviceControllerTest::OpenLogin(HWND controller) {
  ClickAsync(controller, IDC_DEVICE_EXIT_KIOSK);
  HWND login = FindDialog(builder_->Id(), kLoginCaption);
  EXPECT_NE(login, nullptr) << "the login dialog did not open";
  return login;
}

void DeviceControllerTest::SubmitCode(HWND login, const std::string& code) {
  Type(login, IDC_LOGIN_CODE, code);
  ClickAsync(login, IDOK);
}

std::vector<std::string> DeviceControllerTest::NewRemoteCalls() const {
  const std::vector<std::string> all = DeviceCalls();
  std::vector<std::string> invokes;
  for (size_t i = callsBefore_; i < all.size(); ++i) {
    if (all[i].starts_with("Invoke ")) invokes.push_back(all[i]);
  }
  return invokes;
}
