#include "build_tool/core/command_line.h"

namespace build_tool {

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine commandLine;
  for (size_t at = 0; at < arguments.size(); ++at) {
    const std::string& argument = arguments[at];
    if (argument == "--output") {
      if (++at == arguments.size() || arguments[at].empty()) return std::nullopt;
      commandLine.outputFolder = arguments[at];
    } else if (argument.rfind("--", 0) == 0 || argument.empty()) {
      return std::nullopt;
    } else {
      commandLine.projects.push_back(argument);
    }
  }
  if (commandLine.projects.empty()) return std::nullopt;
  return commandLine;
}

bool IsPattern(const std::string& argument) { return argument.find_first_of("*?") != std::string::npos; }

}  // namespace build_tool
