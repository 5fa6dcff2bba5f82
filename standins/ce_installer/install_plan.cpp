#include "standins/ce_installer/install_plan.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <stdexcept>

#include "platform/ce_setup_file.h"
#include "standins/ce_installer/device_folders.h"

namespace standins::ce_installer {
namespace {

constexpr unsigned kSetupFileNumber = 0;
constexpr unsigned kSetupLibraryNumber = 999;
namespace format = platform::ce_setup_file;

// Cabinet member number -> member name, from the ".NNN" every member ends in.
std::map<unsigned, std::string> IndexMembers(const std::vector<std::string>& members) {
  std::map<unsigned, std::string> index;
  for (const std::string& name : members) {
    size_t dot = name.rfind('.');
    std::string digits = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    if (digits.size() != 3 || !std::all_of(digits.begin(), digits.end(),
                                           [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
      throw std::runtime_error("cabinet member \"" + name + "\" has no file number");
    }
    if (!index.emplace(std::stoul(digits), name).second) {
      throw std::runtime_error("two cabinet members carry the number " + digits);
    }
  }
  return index;
}

std::string Numbered(unsigned number) {
  char text[16];
  std::snprintf(text, sizeof text, ".%03u", number);
  return text;
}

bool HasControlCharacters(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

PlannedValue PlanValue(const SetupFileView::Value& value, const std::string& installDir) {
  PlannedValue planned;
  size_t slash = value.key.find('\\');
  planned.root = value.key.substr(0, slash);
  planned.key = slash == std::string::npos ? std::string() : value.key.substr(slash + 1);
  planned.name = value.name;
  if (planned.key.empty() || HasControlCharacters(value.key) || HasControlCharacters(value.name)) {
    throw std::runtime_error("bad registry key \"" + value.key + "\"");
  }
  planned.keepExisting = (value.flags & format::kRegNoClobber) != 0;
  switch (value.flags & format::kRegTypeMask) {
    case format::kRegTypeString:
      planned.type = ValueType::String;
      planned.texts = {value.Text()};
      break;
    case format::kRegTypeMultiString:
      planned.type = ValueType::MultiString;
      planned.texts = value.Texts();
      break;
    case format::kRegTypeDword:
      planned.type = ValueType::Dword;
      planned.dword = value.Dword();
      break;
    default:
      planned.type = ValueType::Binary;
      planned.bytes = value.data;
  }
  if (value.substitute) {
    for (std::string& text : planned.texts) text = ExpandFolderMacros(text, installDir);
  }
  return planned;
}

// Adds the folder and its parents that are not listed yet.
void AddFolders(std::vector<std::string>& folders, const std::string& folder) {
  for (const std::string& path : FolderChain(folder)) {
    bool known =
        std::any_of(folders.begin(), folders.end(), [&](const std::string& f) { return EqualsIgnoringCase(f, path); });
    if (!known) folders.push_back(path);
  }
}

}  // namespace

std::string SetupFileMember(const std::vector<std::string>& members) {
  std::map<unsigned, std::string> index = IndexMembers(members);
  auto found = index.find(kSetupFileNumber);
  if (found == index.end()) throw std::runtime_error("the cabinet holds no setup file (.000)");
  return found->second;
}

std::string InstallFolderOf(const SetupFileView& setup) {
  for (const auto& [id, folder] : setup.directories) {
    if (EqualsIgnoringCase(folder, "%CE1%") || StartsWithIgnoringCase(folder, "%CE1%\\")) {
      return ResolveFolder(folder, "");
    }
  }
  return ResolveFolder("%CE1%\\" + setup.appName, "");
}

std::string ShortcutText(const std::string& target) {
  std::string quoted = "\"" + target + "\"";
  return std::to_string(quoted.size()) + "#" + quoted;
}

InstallPlan PlanInstallation(const SetupFileView& setup, const std::vector<std::string>& members) {
  std::map<unsigned, std::string> index = IndexMembers(members);
  InstallPlan plan;
  if (!IsPlainName(setup.appName)) throw std::runtime_error("bad application name \"" + setup.appName + "\"");
  plan.appName = setup.appName;
  plan.processor = setup.architecture;
  plan.installDir = InstallFolderOf(setup);
  if (auto library = index.find(kSetupLibraryNumber); library != index.end()) plan.setupLibrary = library->second;

  std::map<unsigned, std::string> destinations;
  for (const SetupFileView::File& file : setup.files) {
    auto member = index.find(file.number);
    if (member == index.end() || file.number == kSetupFileNumber || file.number == kSetupLibraryNumber) {
      throw std::runtime_error("file " + file.name + ": cabinet member " + Numbered(file.number) + " missing");
    }
    if (!IsPlainName(file.name)) throw std::runtime_error("bad file name \"" + file.name + "\"");
    std::string folder = ResolveFolder(file.directory, plan.installDir);
    std::string destination = folder + "\\" + file.name;
    for (const PlannedFile& earlier : plan.files) {
      if (EqualsIgnoringCase(earlier.destination, destination)) {
        throw std::runtime_error("two files install to " + destination);
      }
    }
    AddFolders(plan.folders, folder);
    plan.files.push_back({member->second, destination});
    destinations[file.number] = destination;
  }
  for (const SetupFileView::Value& value : setup.values) {
    plan.values.push_back(PlanValue(value, plan.installDir));
  }
  for (const SetupFileView::Link& link : setup.links) {
    std::string target;
    if (link.toFile) {
      auto file = destinations.find(link.target);
      if (file == destinations.end())
        throw std::runtime_error("shortcut " + link.location + " to a file not installed");
      target = file->second;
    } else {
      auto folder = setup.directories.find(link.target);
      if (folder == setup.directories.end())
        throw std::runtime_error("shortcut " + link.location + " to an unknown folder");
      target = ResolveFolder(folder->second, plan.installDir);
    }
    std::string path = ResolveFolder(link.location, plan.installDir) + ".lnk";
    AddFolders(plan.folders, ParentFolder(path));
    plan.shortcuts.push_back({path, ShortcutText(target)});
  }
  return plan;
}

bool ProcessorFits(uint32_t packageProcessor, uint32_t deviceProcessor) {
  return packageProcessor == 0 || packageProcessor == deviceProcessor;
}

}  // namespace standins::ce_installer
