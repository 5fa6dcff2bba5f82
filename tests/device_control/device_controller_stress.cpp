// Opens and closes the Device Controller again and again while its attempts
// are pending: no crash, no thread left behind, no stray status.
#include "tests/device_control/device_controller_fixture.h"

#include <tlhelp32.h>

#include <chrono>
#include <iostream>

using namespace gui_driver;
using Clock = std::chrono::steady_clock;

namespace {

int ThreadCount(DWORD processId) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    count += entry.th32OwnerProcessID == processId;
  }
  CloseHandle(snapshot);
  return count;
}

using DeviceControllerStress = NoDeviceTest;

TEST_F(DeviceControllerStress, TwoHundredOpeningsWithPendingAttempts) {
  constexpr int kOpenings = 200;
  HWND controller = OpenController();
  ASSERT_NE(controller, nullptr);
  CloseController(controller);
  Sleep(500);
  const int threadsBefore = ThreadCount(builder_->Id());
  auto openTime = Clock::duration::zero(), closeTime = Clock::duration::zero();
  for (int i = 0; i < kOpenings; ++i) {
    const auto opening = Clock::now();
    controller = OpenController();
    openTime += Clock::now() - opening;
    ASSERT_NE(controller, nullptr) << "opening " << i;
    ASSERT_EQ(Text(controller, IDC_DEVICE_STATUS), "Connecting to device...") << "opening " << i;
    Sleep(static_cast<DWORD>(i % 5) * 20);
    const auto closing = Clock::now();
    // Close, Esc and the close box take turns.
    if (i % 3 == 0) ClickAsync(controller, IDOK);
    if (i % 3 == 1) PressKey(controller, VK_ESCAPE);
    if (i % 3 == 2) CloseBox(controller);
    ASSERT_TRUE(WaitDialogGone(builder_->Id(), kControllerCaption, milliseconds(3000))) << "opening " << i;
    closeTime += Clock::now() - closing;
  }
  using std::chrono::duration_cast;
  std::cout << "average opening " << duration_cast<milliseconds>(openTime).count() / kOpenings << " ms, closing "
            << duration_cast<milliseconds>(closeTime).count() / kOpenings << " ms\n";
  Sleep(500);
  EXPECT_TRUE(builder_->Running());
  EXPECT_LE(ThreadCount(builder_->Id()), threadsBefore);
  // The last opening still runs its full attempt, undisturbed by the others.
  controller = OpenController();
  ASSERT_NE(controller, nullptr);
  Sleep(9000);
  EXPECT_EQ(Text(controller, IDC_DEVICE_STATUS), "Connecting to device...");
  EXPECT_TRUE(WaitStatus(controller, "Could not connect to remote device", milliseconds(2500)));
  CloseController(controller);
  EXPECT_TRUE(NoMessageBox(builder_->Id()));
}

}  // namespace
