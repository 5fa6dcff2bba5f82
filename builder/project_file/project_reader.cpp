#include "builder/project_file/project_reader.h"

#include "builder/project_file/xml_file_reader.h"

namespace builder::project_file {

ProjectFileReading ReadProjectFile(const std::string& path, const ProjectReadTarget& target) {
  ProjectFileReading reading;
  const XmlFileContent content = LoadXmlFile(path);
  if (content.error) reading.parseErrorReport = FormatParseErrorReport(path, *content.error);
  const std::optional<std::string> name = content.root ? AcceptedProjectName(*content.root) : std::nullopt;
  if (!name) return reading;
  reading.isProject = true;
  target.settings.name = *name;
  if (content.root->children.empty()) return reading;
  for (const auto& child : content.root->children) ReadProjectChild(child, target);
  reading.settingsTaken = true;
  return reading;
}

}  // namespace builder::project_file
