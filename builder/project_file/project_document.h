#pragma once
#include <optional>
#include <string>

#include "builder/main_window/project_settings.h"
#include "builder/project/application_list.h"
#include "builder/project_file/xml_element.h"

namespace builder::project_file {

// The project file's document: root "project" with the applications and then
// the fifteen settings, every value an attribute.
XmlElement BuildProjectDocument(const main_window::ProjectSettings& settings,
                                const project::ApplicationList& applications, const std::string& language);

// The root's name when it is a project of this builder (names and the type
// compared without regard to case), otherwise nothing.
std::optional<std::string> AcceptedProjectName(const XmlElement& root);

// Where the children of a project file go when it is read.
struct ProjectReadTarget {
  main_window::ProjectSettings& settings;
  project::ApplicationList& applications;
  std::string& loadedlanguage;
};

// Takes what one child of the root sets; unknown elements and missing
// attributes change nothing.
void ReadProjectChild(const XmlElement& child, const ProjectReadTarget& target);

}  // namespace builder::project_file
