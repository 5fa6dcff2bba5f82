#include "builder/device/core/version_text.h"

#include <cstdio>

namespace builder::device {

std::string FormatVersionText(const FileVersion& version, std::string_view specialBuild) {
  char text[64];
  std::snprintf(text, sizeof text, "v%u.%u.%u Build %u ", version.mostSignificant >> 16,
                version.mostSignificant & 0xFFFFu, version.leastSignificant >> 16, version.leastSignificant & 0xFFFFu);
  std::string result = text;
  result.append(specialBuild);
  if (result.size() > kVersionTextMaxChars) result.resize(kVersionTextMaxChars);
  return result;
}

std::string SpecialBuildQuery(uint16_t language, uint16_t codePage) {
  char query[64];
  std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", language, codePage, "SpecialBuild");
  return query;
}

}  // namespace builder::device
