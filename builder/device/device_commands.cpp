// The main window's device control commands.
#include "builder/device/about_dialog.h"
#include "builder/device/device_controller_dialog.h"
#include "builder/main_window/main_dialog.h"

namespace builder {

void MainDialog::OnDeviceControl() {
  DeviceControllerDialog dialog;
  dialog.DoModal();
}

void MainDialog::OnAbout() {
  AboutDialog dialog;
  dialog.DoModal();
}

}  // namespace builder
