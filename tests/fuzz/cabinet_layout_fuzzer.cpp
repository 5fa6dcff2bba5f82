// The cabinet's member layout for any application name, file names and
// setup DLL: the setup file comes first as .000, every member has a distinct
// 8.3 name, and each installed file and the DLL appear exactly once.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "package_tool/cabinet_layout.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// "STEM.NNN" with a stem of at most eight characters and three digits.
bool IsShortName(const std::string& name) {
  size_t dot = name.find('.');
  if (dot == std::string::npos || dot == 0 || dot > 8 || name.size() != dot + 4) return false;
  for (size_t i = dot + 1; i < name.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
  }
  return name.find('.', dot + 1) == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  package_tool::InstallModel model;
  model.appName = input.ConsumeRandomLengthString(40);
  model.setupDllSource = input.ConsumeRandomLengthString(40);
  size_t count = input.ConsumeIntegralInRange<size_t>(0, 998);
  for (size_t i = 0; i < count && input.remaining_bytes() > 0; ++i) {
    package_tool::InstalledFile file;
    file.name = input.ConsumeRandomLengthString(40);
    file.sourcePath = "src\\" + file.name;
    model.files.push_back(file);
  }

  std::vector<package_tool::CabinetMember> members = package_tool::LayOutCabinet(model);
  Require(members.size() == model.files.size() + 1 + (model.setupDllSource.empty() ? 0 : 1));
  Require(members.front().sourcePath.empty() && members.front().cabName.ends_with(".000"));
  std::set<std::string> names;
  std::multiset<std::string> sources;
  for (const package_tool::CabinetMember& member : members) {
    Require(IsShortName(member.cabName));
    Require(names.insert(Upper(member.cabName)).second);
    sources.insert(member.sourcePath);
  }
  for (const package_tool::InstalledFile& file : model.files) Require(sources.count(file.sourcePath) >= 1);
  return 0;
}
