#include "build_tool/core/command_line.h"

#include <utility>

namespace build_tool {
namespace {

// The options that take a value, and where each value goes.
constexpr std::pair<const char*, std::string CommandLine::*> kValueOptions[] = {
    {"--output", &CommandLine::outputFolder},
    {"--sign", &CommandLine::certificateFile},
    {"--password-file", &CommandLine::passwordFile},
};

std::string CommandLine::* ValueOption(const std::string& argument) {
  for (const auto& [name, field] : kValueOptions) {
    if (argument == name) return field;
  }
  return nullptr;
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine commandLine;
  for (size_t at = 0; at < arguments.size(); ++at) {
    const std::string& argument = arguments[at];
    if (std::string CommandLine::* field = ValueOption(argument)) {
      if (++at == arguments.size() || arguments[at].empty()) return std::nullopt;
      commandLine.*field = arguments[at];
    } else if (argument.rfind("--", 0) == 0 || argument.empty()) {
      return std::nullopt;
    } else {
      commandLine.projects.push_back(argument);
    }
  }
  if (commandLine.projects.empty()) return std::nullopt;
  if (!commandLine.passwordFile.empty() && commandLine.certificateFile.empty()) return std::nullopt;
  return commandLine;
}

bool IsPattern(const std::string& argument) { return argument.find_first_of("*?") != std::string::npos; }

}  // namespace build_tool
