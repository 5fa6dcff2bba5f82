#include "builder/app/builder_app.h"

#include <windows.h>

#include "builder/main_window/main_dialog.h"
#include "builder/project_file/com_support.h"
#include "framework/message_box.h"

namespace builder::app {

bool BuilderApp::InitInstance() {
  // The handle is never closed: the mutex is held until the program ends.
  CreateMutexA(nullptr, TRUE, "BCE1804");
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    framework::FrameworkMessageBox("Brindlecove Builder is already running.");
    return false;
  }
  // The project files' XML components, for as long as the window runs.
  const project_file::ComApartment apartment;
  main_window::MainDialog dialog;
  dialog.DoModal();
  return false;
}

}  // namespace builder::app

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  builder::app::BuilderApp app;
  app.InitInstance();
  return 0;
}
