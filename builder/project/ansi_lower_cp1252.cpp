// Where there are no Windows code pages, the Western one (1252) stands in.
#include "builder/project/application_list.h"

namespace builder::project {

std::string LowerAnsi(std::string text) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
      c = static_cast<char>(byte + 0x20);
    } else if (byte == 0x8A || byte == 0x8C || byte == 0x8E) {
      c = static_cast<char>(byte + 0x10);
    } else if (byte == 0x9F) {
      c = static_cast<char>(0xFF);
    }
  }
  return text;
}

}  // namespace builder::project
