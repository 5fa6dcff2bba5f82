// Save Project: writes the open project to its file, asking for one first.
#include "builder/main_window/main_dialog.h"
#include "builder/project/application_list.h"
#include "builder/project_file/file_dialog.h"
#include "builder/project_file/project_document.h"
#include "builder/project_file/project_path.h"
#include "builder/project_file/xml_file_writer.h"

namespace builder {

namespace {

std::string OemFromAnsi(std::string text) {
  CharToOemA(text.c_str(), text.data());
  return text;
}

}  // namespace

void MainDialog::OnSaveProject() {
  if (settings_.projectfilepath.empty()) {
    if (auto chosen = AskFileName(Hwnd(), FileDialogKind::Save, "Save Brindlecove Project", kProjectFileFilter)) {
      settings_.projectfilepath = WithProjectExtension(*chosen);
    }
  }
  if (settings_.projectfilepath.empty()) return;
  UpdateData(true);  // A refused entry keeps its previous value; the save goes on.
  WriteProjectFile(settings_.projectfilepath);
}

void MainDialog::WriteProjectFile(const std::string& path) {
  settings_.name = OemFromAnsi(ProjectNameFromPath(path));
  const XmlElement document =
      BuildProjectDocument(settings_, TheApplicationList(), kLanguageTable[static_cast<size_t>(LanguageSelection())]);
  if (FAILED(SaveXmlFile(document, path))) return;
  UpdateData(false);
}

}  // namespace builder
