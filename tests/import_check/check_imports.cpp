// check_imports LIST MACHINE SUBSYSTEM FILE...: fails when a desktop FILE
// imports a function that LIST does not allow, is built for another MACHINE
// (hex), or asks for a newer subsystem version than SUBSYSTEM ("5.1"). LIST
// holds one "library function" a line; '#' starts a comment.
// check_imports --ce TABLE FILE...: fails when a Windows CE ARM module FILE
// could not load on a Pocket PC 2003 or imports what the reviewed coredll
// TABLE does not list (see ce_image_check.h).
#include <cstdio>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>

#include "ce_image_tool/image_error.h"
#include "ce_image_tool/ordinal_table.h"
#include "tests/import_check/ce_image_check.h"
#include "tests/import_check/pe_image.h"

using import_check::Import;
using import_check::PeImage;

namespace {

using ProblemCheck = std::function<std::vector<std::string>(const PeImage&)>;

std::set<std::pair<std::string, std::string>> ReadAllowed(const char* path) {
  std::set<std::pair<std::string, std::string>> allowed;
  std::ifstream list(path);
  for (std::string line; std::getline(list, line);) {
    std::istringstream fields(line.substr(0, line.find('#')));
    std::string library, function;
    if (fields >> library >> function) allowed.insert({library, function});
  }
  return allowed;
}

ProblemCheck DesktopCheck(char** args) {
  const auto allowed = ReadAllowed(args[0]);
  const unsigned long machine = std::stoul(args[1], nullptr, 16);
  unsigned major = 0, minor = 0;
  std::sscanf(args[2], "%u.%u", &major, &minor);
  const std::string newest = args[2];
  return [=](const PeImage& image) {
    std::vector<std::string> problems;
    char text[80];
    if (image.machine != machine) {
      std::snprintf(text, sizeof text, "built for machine 0x%x, not 0x%lx", image.machine, machine);
      problems.push_back(text);
    }
    if (image.subsystemMajor * 100u + image.subsystemMinor > major * 100 + minor) {
      std::snprintf(text, sizeof text, "asks for subsystem %u.%u, newer than ", image.subsystemMajor,
                    image.subsystemMinor);
      problems.push_back(text + newest);
    }
    for (const Import& import : image.imports) {
      if (!allowed.count({import.library, import.function}))
        problems.push_back("imports " + import.library + " " + import.function + ", which is not on the reviewed list");
    }
    return problems;
  };
}

ProblemCheck CeCheck(const char* tablePath) {
  const std::vector<uint8_t> table = import_check::ReadFileBytes(tablePath);
  const ce_image_tool::OrdinalTable reviewed = ce_image_tool::ReadOrdinalTable({table.begin(), table.end()});
  return [=](const PeImage& image) { return import_check::CeImageProblems(image, reviewed); };
}

}  // namespace

int main(int argc, char** argv) {
  const bool ce = argc >= 3 && std::string(argv[1]) == "--ce";
  if (!ce && argc < 5) {
    std::fprintf(stderr, "usage: check_imports LIST MACHINE SUBSYSTEM FILE... | --ce TABLE FILE...\n");
    return 2;
  }
  ProblemCheck problemsOf;
  try {
    problemsOf = ce ? CeCheck(argv[2]) : DesktopCheck(argv + 1);
  } catch (const ce_image_tool::ImageError& e) {
    std::printf("%s: %s\n", argv[2], e.what());
    return 1;
  }
  int failures = 0;
  for (int i = ce ? 3 : 4; i < argc; ++i) {
    const auto image = import_check::ReadPeImage(import_check::ReadFileBytes(argv[i]));
    if (!image) {
      std::printf("%s: not a readable PE image\n", argv[i]);
      ++failures;
      continue;
    }
    for (const std::string& problem : problemsOf(*image)) {
      std::printf("%s: %s\n", argv[i], problem.c_str());
      ++failures;
    }
    std::printf("%s: %zu imports checked\n", argv[i], image->imports.size());
  }
  std::printf("%d problem(s)\n", failures);
  return failures == 0 ? 0 : 1;
}
