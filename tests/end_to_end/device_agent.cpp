// Runs inside the emulated device's Wine prefix during the end-to-end run and
// plays the user at the device: answers the installer's two questions (No to
// the reset, Yes to starting kiosk mode), photographs them and the kiosk's
// start-up screen, taps Continue, answers the kiosk's message that the main
// application is missing and photographs the kiosk desktop.
// Usage: device_agent.exe <screenshot folder>; prints what it saw.
#include <windows.h>

#include <cstdio>
#include <string>

#include "device/kiosk_engine/kiosk_controls.h"
#include "tests/gui_driver/gui_driver.h"

using namespace gui_driver;
using device::kiosk_engine::kApplicationListId;
using device::kiosk_engine::kContinueId;

namespace {

constexpr milliseconds kInstallWait{240000};

bool AnswerQuestion(const std::string& text, int answer, const std::string& screenshot) {
  const MessageBoxInfo box = WaitMessageBox(0, kInstallWait);
  if (!box.window) {
    std::printf("no question appeared (expected \"%s\")\n", text.c_str());
    return false;
  }
  std::printf("question: [%s] %s\n", box.caption.c_str(), box.text.c_str());
  SaveScreenshot(box.window, screenshot);
  if (box.caption != "Brindlecove Setup" || box.text != text) return false;
  Answer(box, answer);
  return true;
}

bool IsKioskWindow(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return std::wstring(name) == device::kiosk_engine::kKioskWindowClass;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string folder = argv[1];
  if (!AnswerQuestion("Device will reset automatically to avoid any startup issues. Reset now?", IDNO,
                      folder + "\\device_reset_question.png") ||
      !AnswerQuestion("Would you like to start Kiosk mode now?", IDYES, folder + "\\device_start_question.png")) {
    return 1;
  }
  HWND kiosk = nullptr;
  WaitUntil([&] { return (kiosk = FindTopWindow(0, IsKioskWindow)) != nullptr; }, milliseconds(60000));
  if (!kiosk || !WaitUntil([&] { return Control(kiosk, kContinueId) != nullptr; })) {
    std::printf("the kiosk's start-up screen did not appear\n");
    return 1;
  }
  SaveScreenshot(kiosk, folder + "\\kiosk_startup.png");
  ClickAsync(kiosk, kContinueId);
  // The project's main application is not on the device: the kiosk says so and goes on.
  const MessageBoxInfo notFound = WaitMessageBox(0);
  std::printf("kiosk says: [%s] %s\n", notFound.caption.c_str(), notFound.text.c_str());
  if (notFound.window) Answer(notFound, IDOK);
  if (!WaitUntil([&] { return Control(kiosk, kApplicationListId) != nullptr; })) {
    std::printf("the kiosk desktop did not appear\n");
    return 1;
  }
  SaveScreenshot(kiosk, folder + "\\kiosk_desktop.png");
  for (const std::string& row : ListRows(kiosk, kApplicationListId)) std::printf("kiosk lists: %s\n", row.c_str());
  std::fflush(stdout);
  return 0;
}
