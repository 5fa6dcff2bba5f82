// bcimage: the last step of the device modules' ARM build.
//   bcimage thunks TABLE OUT.S        the import thunks for every function of TABLE
//   bcimage dll ELF TABLE DEF OUT [RES]   a CE library exporting what DEF lists
//   bcimage exe ELF TABLE OUT [RES]       a CE program
// TABLE is the reviewed coredll table; RES a compiled resource file whose
// resources the image carries. Exit code 1 and one line on stderr
// when an input cannot be converted; nothing is written then.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ce_image_tool/image_error.h"
#include "ce_image_tool/image_writer.h"
#include "ce_image_tool/import_thunks.h"
#include "ce_image_tool/resource_file.h"

namespace {

using namespace ce_image_tool;

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw ImageError(path + ": cannot be read");
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string ReadText(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadBytes(path);
  return {bytes.begin(), bytes.end()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  if (!(file << bytes)) throw ImageError(path + ": cannot be written");
}

// Errors of one input name it.
template <typename Read>
auto From(const std::string& path, Read read) {
  const std::string text = ReadText(path);
  try {
    return read(text);
  } catch (const ImageError& e) {
    throw ImageError(path + ": " + e.what());
  }
}

int Run(const std::vector<std::string>& args) {
  const bool thunks = args.size() == 3 && args[0] == "thunks";
  const bool library = (args.size() == 5 || args.size() == 6) && args[0] == "dll";
  const bool program = (args.size() == 4 || args.size() == 5) && args[0] == "exe";
  if (!thunks && !library && !program) {
    std::fprintf(stderr, "usage: bcimage thunks TABLE OUT.S | dll ELF TABLE DEF OUT [RES] | exe ELF TABLE OUT [RES]\n");
    return 2;
  }
  if (thunks) {
    WriteBytes(args[2], ImportThunkSource(From(args[1], ReadOrdinalTable)));
    return 0;
  }
  const OrdinalTable table = From(args[2], ReadOrdinalTable);
  std::optional<ExportList> exports;
  if (library) exports = From(args[3], ReadExportList);
  const ElfFile elf = From(args[1], [](const std::string& text) { return ReadElfFile(Bytes(text)); });
  const size_t output = library ? 4 : 3;
  std::vector<Resource> resources;
  if (args.size() > output + 1) {
    resources = From(args[output + 1], [](const std::string& text) { return ReadResourceFile(Bytes(text)); });
  }
  std::vector<uint8_t> image;
  try {
    image = WriteCeImage({elf, table, exports, std::move(resources)});
  } catch (const ImageError& e) {
    throw ImageError(args[1] + ": " + e.what());
  }
  WriteBytes(args[output], {image.begin(), image.end()});
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run({argv + 1, argv + argc});
  } catch (const ImageError& e) {
    std::fprintf(stderr, "bcimage: error: %s\n", e.what());
    return 1;
  }
}
