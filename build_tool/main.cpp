// bcbuild [--output DIR] [--sign FILE.pfx [--password-file FILE]] PROJECT.bcp...:
// builds each project file as the builder's Build does, without its window
// (signed with the certificate of FILE.pfx when asked), and leaves the cabinets in
// DIR\<project name>\ (DIR: the current folder), one line each on the
// standard output. Patterns with * and ? are expanded here, since cmd hands
// them over as typed. Whatever stops a project goes to the standard error
// after the project's path, and the next project is built all the same.
// Exit status: 0 every project built, 1 a package could not be made, 2 a
// project was refused by a check, could not be read or matched no file, or
// the command line was wrong (the usage line); with several, the highest.
#include <cstdio>
#include <string>
#include <vector>

#include "build_tool/core/command_line.h"
#include "build_tool/core/outcome.h"
#include "build_tool/project_builder.h"
#include "build_tool/project_patterns.h"
#include "build_tool/work_folder.h"
#include "builder/build/core/builder_paths.h"
#include "builder/project_file/com_support.h"
#include "framework/module_path.h"
#include "support/files.h"

namespace build_tool {
namespace {

int Run(const CommandLine& commandLine) {
  const auto builderFolder = builder::build::BuilderFolderFromModulePath(framework::ModulePath());
  const WorkFolder work(builderFolder.value_or("."), commandLine.certificateFile, commandLine.passwordFile);
  if (!work.Failure().empty()) {
    std::fprintf(stderr, "bcbuild: %s\n", work.Failure().c_str());
    return static_cast<int>(ProjectOutcome::PackageFailed);
  }
  const builder::project_file::ComApartment apartment;
  std::string output = support::FullPath(commandLine.outputFolder);
  // A trailing backslash (a drive's root, or as typed) would double the one before the name.
  if (output.size() > 1 && output.back() == '\\') output.pop_back();
  ProjectBuilder builder(output, work.Path());
  std::vector<ProjectOutcome> outcomes;
  for (const std::string& argument : commandLine.projects) {
    const std::vector<std::string> files = ProjectFilesOf(argument);
    if (files.empty()) {
      std::fprintf(stderr, "%s: no project file matches\n", argument.c_str());
      outcomes.push_back(ProjectOutcome::Refused);
    }
    for (const std::string& file : files) outcomes.push_back(builder.Build(file));
  }
  return ExitStatus(outcomes);
}

}  // namespace
}  // namespace build_tool

int main(int argc, char** argv) {
  const auto commandLine = build_tool::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!commandLine) {
    std::fprintf(stderr, "%s\n", build_tool::kUsage);
    return static_cast<int>(build_tool::ProjectOutcome::Refused);
  }
  return build_tool::Run(*commandLine);
}
