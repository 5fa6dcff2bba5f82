#include "tests/gui/builder_fixture.h"

using namespace gui_driver;

void BuilderTest::SetUp() {
  builder_ = StartBuilder();
  ASSERT_TRUE(builder_->Started());
  main_ = FindMainWindow(builder_->Id());
  ASSERT_NE(main_, nullptr) << "main window did not open";
}

void BuilderTest::TearDown() { builder_.reset(); }

MessageBoxInfo BuilderTest::ExpectBox(const std::string& text, int answer) {
  MessageBoxInfo box = WaitMessageBox(builder_->Id());
  EXPECT_NE(box.window, nullptr) << "no message box for: " << text;
  EXPECT_EQ(box.text, text);
  if (box.window) Answer(box, answer);
  return box;
}

HWND BuilderTest::OpenDialog(int buttonId, const std::string& caption) {
  ClickAsync(main_, buttonId);
  HWND dialog = FindDialog(builder_->Id(), caption);
  EXPECT_NE(dialog, nullptr) << caption << " did not open";
  return dialog;
}

void BuilderTest::AddApplication(const std::string& label, const std::string& path, const std::string& params,
                                 bool autolaunch, bool hide) {
  HWND entry = OpenDialog(IDC_ADD, "Application Information");
  ASSERT_NE(entry, nullptr);
  SetText(entry, IDC_APP_LABEL, label);
  SetText(entry, IDC_APP_PATH, path);
  SetText(entry, IDC_APP_PARAMS, params);
  if (autolaunch) Click(entry, IDC_APP_AUTOLAUNCH);
  if (hide) Click(entry, IDC_APP_HIDE);
  ClickAsync(entry, IDOK);
  ASSERT_TRUE(WaitDialogGone(builder_->Id(), "Application Information"));
}
