#include "builder/project_file/save_project.h"

#include "builder/project_file/project_document.h"
#include "builder/project_file/project_path.h"
#include "builder/project_file/xml_file_writer.h"
#include "framework/file_dialog.h"

namespace builder::project_file {

namespace {

std::string OemFromAnsi(std::string text) {
  CharToOemA(text.c_str(), text.data());
  return text;
}

}  // namespace

std::optional<std::string> AskProjectToSave(HWND owner) {
  const auto chosen =
      framework::AskFileName(owner, framework::FileDialogKind::Save, "Save Brindlecove Project", kProjectFileFilter);
  if (!chosen) return std::nullopt;
  return WithProjectExtension(*chosen);
}

bool WriteProjectFile(const std::string& path, main_window::ProjectSettings& settings,
                      const project::ApplicationList& applications, std::string_view language) {
  settings.name = OemFromAnsi(ProjectNameFromPath(path));
  const XmlElement document = BuildProjectDocument(settings, applications, std::string(language));
  return SUCCEEDED(SaveXmlFile(document, path));
}

}  // namespace builder::project_file
