#include "builder/build/core/signing_refusal.h"

namespace builder::build {

std::optional<std::string> SigningRefusal(std::string_view report) {
  constexpr std::string_view kSigningFolder = "signing\\";
  for (size_t start = 0; start < report.size();) {
    size_t end = report.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = report.size();
    std::string_view line = report.substr(start, end - start);
    if (line.starts_with(kSigningFolder)) {
      return "The package was not made, since it could not be signed:\n" + std::string(line) +
             "\n\nSee \"Signed packages\" in Help.";
    }
    start = end + 1;
  }
  return std::nullopt;
}

}  // namespace builder::build
