#pragma once
#include <gtest/gtest.h>

#include "builder/app/resource.h"
#include "tests/gui_driver/gui_driver.h"

// Starts a fresh builder for each test and ends it afterwards.
class BuilderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Expects a message box with this text; answers it with the button.
  gui_driver::MessageBoxInfo ExpectBox(const std::string& text, int answer = IDOK);
  // Adds an application through the entry dialog.
  void AddApplication(const std::string& label, const std::string& path, const std::string& params = "",
                      bool autolaunch = false, bool hide = false);
  HWND OpenDialog(int buttonId, const std::string& caption);

  std::unique_ptr<gui_driver::Process> builder_;
  HWND main_ = nullptr;
};
