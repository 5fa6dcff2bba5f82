#include "package_tool/cabinet_layout.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace package_tool {
namespace {

constexpr size_t kShortBase = 8;
constexpr size_t kCutBase = 6;

bool IsShortNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || std::strchr("_-$!#&'(){}^@`~", c) != nullptr;
}

}  // namespace

std::string CabinetMemberName(std::string_view trueName, unsigned number) {
  size_t slash = trueName.find_last_of("\\/");
  if (slash != std::string_view::npos) trueName.remove_prefix(slash + 1);
  std::string_view base = trueName.substr(0, trueName.rfind('.'));
  std::string kept;
  for (char c : base) {
    if (IsShortNameChar(c)) kept += c;
  }
  std::string stem;
  if (kept.size() == base.size() && kept.size() <= kShortBase) {
    stem = std::string(kShortBase - kept.size(), '0') + kept;
  } else {
    for (char c : kept.substr(0, kCutBase))
      stem += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    stem += "~1";
  }
  char extension[8];
  std::snprintf(extension, sizeof extension, ".%03u", number % 1000);
  return stem + extension;
}

std::vector<CabinetMember> LayOutCabinet(const InstallModel& model) {
  std::vector<CabinetMember> members;
  members.push_back({"", CabinetMemberName(model.appName, kSetupFileNumber)});
  if (!model.setupDllSource.empty()) {
    members.push_back({model.setupDllSource, CabinetMemberName(model.setupDllSource, kSetupDllNumber)});
  }
  for (size_t i = model.files.size(); i-- > 0;) {
    const InstalledFile& file = model.files[i];
    members.push_back({file.sourcePath, CabinetMemberName(file.name, FileNumber(i))});
  }
  return members;
}

std::string CabinetFileName(const InstallModel& model, std::string_view target) {
  return model.appName + "." + std::string(target) + ".CAB";
}

}  // namespace package_tool
