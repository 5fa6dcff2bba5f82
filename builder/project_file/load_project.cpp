// Load Project and the logo file selection.
#include "builder/app/resource.h"
#include "builder/main_window/main_dialog.h"
#include "builder/project/application_list.h"
#include "builder/project_file/file_dialog.h"
#include "builder/project_file/project_document.h"
#include "builder/project_file/project_path.h"
#include "builder/project_file/xml_file_reader.h"

namespace builder {

namespace {

// The one text the builder writes to its standard output.
void WriteStandardOutput(const std::string& text) {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (output == nullptr || output == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

void MainDialog::OnLoadProject() {
  const auto chosen = AskFileName(Hwnd(), FileDialogKind::Open, "Load Brindlecove Project", kProjectFileFilter);
  if (!chosen) return;
  OnNewProject();
  settings_.projectfilepath = *chosen;
  ReadProjectFile(settings_.projectfilepath);
  RefreshList();
  SelectLoadedLanguage();
  EnableKioskDesktopControls(settings_.enablekioskdesktop != 0);
}

void MainDialog::ReadProjectFile(const std::string& path) {
  const XmlFileContent content = LoadXmlFile(path);
  const std::optional<std::string> name = content.root ? AcceptedProjectName(*content.root) : std::nullopt;
  if (!name) {
    if (content.error) WriteStandardOutput(FormatParseErrorReport(path, *content.error));
    // A file that is there but is no project must not be overwritten by the
    // next Save without a question; a missing one is created by it.
    if (FileExists(path)) settings_.projectfilepath.clear();
    return;
  }
  settings_.name = *name;
  if (content.root->children.empty()) return;
  for (const auto& child : content.root->children) ReadProjectElement(child);
  UpdateData(false);
}

void MainDialog::ReadProjectElement(const XmlElement& child) {
  ReadProjectChild(child, {settings_, TheApplicationList(), loadedlanguage_});
}

void MainDialog::SelectLoadedLanguage() {
  const auto found = SendDlgItemMessageA(Hwnd(), IDC_LANGUAGE, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(loadedlanguage_.c_str()));
  SendDlgItemMessageA(Hwnd(), IDC_LANGUAGE, CB_SETCURSEL, found == CB_ERR ? 0 : static_cast<WPARAM>(found), 0);
}

void MainDialog::OnBrowseLogo() {
  const auto chosen = AskFileName(Hwnd(), FileDialogKind::Open, "Select Logo File",
                                  "Bmp Files (*.bmp)|*.bmp|All Files (*.*)|*.*||");
  if (!chosen) return;
  settings_.logo = *chosen;
  SetItemText(IDC_LOGO, settings_.logo);
}

}  // namespace builder
