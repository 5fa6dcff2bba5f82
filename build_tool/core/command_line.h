#pragma once
#include <optional>
#include <string>
#include <vector>

namespace build_tool {

inline constexpr const char* kUsage =
    "usage: bcbuild [--output DIR] [--sign FILE.pfx [--password-file FILE]] PROJECT.bcp...";

// What bcbuild was asked to do.
struct CommandLine {
  std::string outputFolder = ".";  // cabinets go to <outputFolder>\<project name>\ .
  std::vector<std::string> projects;  // as typed: paths or patterns with * and ?
  std::string certificateFile;  // the PKCS #12 file to sign with; empty: unsigned
  std::string passwordFile;     // its password's file; empty: no password
};

// The arguments after the program's name; nothing when they do not follow
// the usage line (no project, an option without its value, an unknown option,
// a password file without a certificate).
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments);

// True when the argument holds a wildcard that cmd leaves for the program.
bool IsPattern(const std::string& argument);

}  // namespace build_tool
