// Device control commands: not built yet.
#include "builder/main_window/main_dialog.h"

namespace builder {
void MainDialog::OnDeviceControl() {}
void MainDialog::OnAbout() {}
}  // namespace builder
