#pragma once
// Drives the common Open and Save dialogs of a program under test.
#include <windows.h>

#include <string>

#include "tests/gui_driver/gui_driver.h"

namespace gui_driver {

// Waits for the file dialog with this caption and puts the path into its file
// name box; returns the dialog, or null when it did not come.
HWND FillFileName(DWORD processId, const std::string& dialogCaption, const std::string& path);
// Presses the dialog's OK button; returns at once.
void PostOk(HWND dialog);
// Waits for the file dialog with this caption, puts the path into its file
// name box and presses its OK button; true once the dialog has closed.
bool ChooseFile(DWORD processId, const std::string& dialogCaption, const std::string& path);
// Waits for the file dialog and cancels it; true once it has closed.
bool CancelFileDialog(DWORD processId, const std::string& dialogCaption);

}  // namespace gui_driver
