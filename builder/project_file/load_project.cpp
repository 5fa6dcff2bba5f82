#include "builder/project_file/load_project.h"

#include "builder/project_file/project_path.h"
#include "builder/project_file/project_reader.h"
#include "framework/file_dialog.h"

namespace builder::project_file {

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

std::optional<std::string> AskProjectToLoad(HWND owner) {
  return framework::AskFileName(owner, framework::FileDialogKind::Open, "Load Brindlecove Project", kProjectFileFilter);
}

bool LoadProjectFile(const std::string& path, const ProjectReadTarget& target) {
  const ProjectFileReading reading = ReadProjectFile(path, target);
  if (reading.parseErrorReport) WriteStandardOutput(*reading.parseErrorReport);
  // A file that is there but is no project must not be overwritten by the
  // next Save without a question; a missing one is created by it.
  if (!reading.isProject && FileExists(path)) target.settings.projectfilepath.clear();
  return reading.settingsTaken;
}

}  // namespace builder::project_file
