// check_imports LIST MACHINE SUBSYSTEM FILE...: fails when a FILE imports a
// function that LIST does not allow, is built for another MACHINE (hex), or
// asks for a newer subsystem version than SUBSYSTEM ("5.1"). LIST holds one
// "library function" a line; '#' starts a comment.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include "tests/import_check/pe_image.h"

using import_check::Import;

namespace {

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

std::vector<uint8_t> ReadFile(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: check_imports LIST MACHINE SUBSYSTEM FILE...\n");
    return 2;
  }
  const auto allowed = ReadAllowed(argv[1]);
  const unsigned long machine = std::stoul(argv[2], nullptr, 16);
  unsigned major = 0, minor = 0;
  std::sscanf(argv[3], "%u.%u", &major, &minor);
  int failures = 0;
  for (int i = 4; i < argc; ++i) {
    const auto image = import_check::ReadPeImage(ReadFile(argv[i]));
    if (!image) {
      std::printf("%s: not a readable PE image\n", argv[i]);
      ++failures;
      continue;
    }
    if (image->machine != machine) {
      std::printf("%s: built for machine 0x%x, not 0x%lx\n", argv[i], image->machine, machine);
      ++failures;
    }
    if (image->subsystemMajor * 100u + image->subsystemMinor > major * 100 + minor) {
      std::printf("%s: asks for subsystem %u.%u, newer than %s\n", argv[i], image->subsystemMajor,
                  image->subsystemMinor, argv[3]);
      ++failures;
    }
    for (const Import& import : image->imports) {
      if (allowed.count({import.library, import.function})) continue;
      std::printf("%s: imports %s %s, which is not on the reviewed list\n", argv[i], import.library.c_str(),
                  import.function.c_str());
      ++failures;
    }
    std::printf("%s: %zu imports checked\n", argv[i], image->imports.size());
  }
  std::printf("%d problem(s)\n", failures);
  return failures == 0 ? 0 : 1;
}
