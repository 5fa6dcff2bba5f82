#include "builder/app/builder_app.h"

#include <windows.h>

#include "builder/main_window/main_dialog.h"
#include "framework/message_box.h"
#include "framework/module_path.h"

namespace builder {

bool BuilderApp::InitInstance() {
  // The handle is never closed: the mutex is held until the program ends.
  CreateMutexA(nullptr, TRUE, "BCE1804");
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    framework::OwnedMessageBox(nullptr, "Brindlecove Builder is already running.", framework::ProgramName(), MB_OK);
    return false;
  }
  MainDialog dialog;
  mainWindow_ = &dialog;
  dialog.DoModal();
  mainWindow_ = nullptr;
  return false;
}

}  // namespace builder

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  builder::BuilderApp app;
  app.InitInstance();
  return 0;
}
