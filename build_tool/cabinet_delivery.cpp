#include "build_tool/cabinet_delivery.h"

#include <windows.h>

#include <algorithm>

#include "builder/build/core/signing_refusal.h"
#include "support/files.h"

namespace build_tool {

namespace {

std::vector<std::string> CabinetNames(const std::string& outputFolder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((outputFolder + "\\*.CAB").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());  // the file system's order is its own
  return names;
}

// Made, or there already (a drive's root cannot be made but is there).
bool MakeFolder(const std::string& folder) {
  if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string WithoutTrailingLineEnds(std::string text) {
  text.erase(text.find_last_not_of("\r\n") + 1);
  return text;
}

}  // namespace

CabinetDelivery DeliverCabinets(const std::string& workFolder, const std::string& folder) {
  CabinetDelivery delivery;
  if (const auto report = support::ReadWholeFile(workFolder + "\\" + builder::build::kPackageFailureReport)) {
    delivery.failure = WithoutTrailingLineEnds(*report);
    return delivery;
  }
  const std::string output = workFolder + "\\output";
  const std::vector<std::string> names = CabinetNames(output);
  if (names.empty()) {
    delivery.failure = "the package script made no package";
    return delivery;
  }
  const std::string parent = folder.substr(0, folder.find_last_of('\\'));
  if (!MakeFolder(parent) || !MakeFolder(folder)) {
    delivery.failure = "the folder " + folder + " cannot be made";
    return delivery;
  }
  for (const std::string& name : names) {
    const std::string target = folder + "\\" + name;
    // The work folder may lie on another drive: the move may be a copy.
    if (!MoveFileExA((output + "\\" + name).c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
      delivery.failure = target + " cannot be written";
      return delivery;
    }
    delivery.cabinets.push_back(target);
  }
  return delivery;
}

}  // namespace build_tool
