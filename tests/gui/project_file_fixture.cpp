#include "tests/gui/project_file_fixture.h"

#include "tests/gui_driver/file_dialogs.h"

using namespace gui_driver;

void ProjectFileTest::SetUp() {
  BuilderTest::SetUp();
  CreateDirectoryA(BuildFile("project_files").c_str(), nullptr);
  scratch_ = BuildFile("project_files\\" +
                       std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  CreateDirectoryA(scratch_.c_str(), nullptr);
}

std::string ProjectFileTest::ScratchFile(const std::string& name) const { return scratch_ + "\\" + name; }

void ProjectFileTest::WaitIdle() {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result);
}

void ProjectFileTest::SaveAs(const std::string& path) {
  ClickAsync(main_, IDC_SAVE_PROJECT);
  ASSERT_TRUE(ChooseFile(builder_->Id(), "Save Brindlecove Project", path));
  WaitIdle();
}

void ProjectFileTest::Save() {
  Click(main_, IDC_SAVE_PROJECT);
  WaitIdle();
}

void ProjectFileTest::Load(const std::string& path) {
  ClickAsync(main_, IDC_LOAD_PROJECT);
  ASSERT_TRUE(ChooseFile(builder_->Id(), "Load Brindlecove Project", path));
  WaitIdle();
}

std::string ProjectFileTest::ReadFile(const std::string& path) { return ReadWholeFile(path).value_or(""); }

void ProjectFileTest::WriteFile(const std::string& path, const std::string& content) {
  ASSERT_TRUE(WriteWholeFile(path, content)) << path;
}

bool ProjectFileTest::FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<ProjectFileTest::Entry> ProjectFileTest::Entries() {
  std::vector<Entry> entries;
  const size_t rows = ListRows(main_, IDC_APP_LIST).size();
  for (size_t row = 0; row < rows; ++row) {
    SelectListRow(main_, IDC_APP_LIST, static_cast<int>(row));
    HWND entry = OpenDialog(IDC_MODIFY, "Application Information");
    if (!entry) break;
    entries.push_back({Text(entry, IDC_APP_LABEL), Text(entry, IDC_APP_PATH), Text(entry, IDC_APP_PARAMS),
                       IsChecked(entry, IDC_APP_AUTOLAUNCH), IsChecked(entry, IDC_APP_HIDE)});
    ClickAsync(entry, IDCANCEL);
    WaitDialogGone(builder_->Id(), "Application Information");
    WaitIdle();
  }
  return entries;
}
