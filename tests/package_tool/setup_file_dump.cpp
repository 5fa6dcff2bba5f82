// setup_file_dump FILE: prints what an installer's setup file (.000) holds,
// one item a line, for the cabinet tests' checks.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "standins/ce_installer/setup_reader/setup_file_reader.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: setup_file_dump FILE\n");
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  try {
    std::fputs(standins::ce_installer::DescribeSetupFile(standins::ce_installer::ReadSetupFile(bytes)).c_str(), stdout);
    return 0;
  } catch (const std::runtime_error& error) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
    return 1;
  }
}
