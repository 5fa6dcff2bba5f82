// Runs inside the emulated device's Wine prefix during the end-to-end run and
// plays the user at the device: answers the installer's two questions (No to
// the reset, Yes to starting kiosk mode) and photographs them and the kiosk.
// Usage: device_agent.exe <screenshot folder>; prints what it saw.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/gui_driver/gui_driver.h"

using namespace gui_driver;

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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string folder = argv[1];
  if (!AnswerQuestion("Device will reset automatically to avoid any startup issues. Reset now?", IDNO,
                      folder + "\\device_reset_question.png") ||
      !AnswerQuestion("Would you like to start Kiosk mode now?", IDYES, folder + "\\device_start_question.png")) {
    return 1;
  }
  HWND kiosk = FindDialog(0, "Brindlecove Kiosk", milliseconds(60000));
  if (!kiosk) {
    std::printf("the kiosk window did not appear\n");
    return 1;
  }
  Sleep(500);
  SaveScreenshot(kiosk, folder + "\\kiosk_window.png");
  for (const std::string& row : ListRows(kiosk, 101)) std::printf("kiosk lists: %s\n", row.c_str());
  std::fflush(stdout);
  return 0;
}
