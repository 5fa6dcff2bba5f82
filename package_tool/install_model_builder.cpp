#include "package_tool/install_model_builder.h"

#include <cctype>
#include <map>

#include "package_tool/device_path.h"
#include "package_tool/macro_expander.h"
#include "package_tool/number_text.h"
#include "package_tool/registry_entry.h"

namespace package_tool {
namespace {

constexpr std::string_view kDevicePrefix = "CEDevice.";
constexpr const char* kNotInFileNames = "\\/:*?\"<>|";
constexpr size_t kMostFiles = 998;  // cabinet numbers 001 to 998; 999 is the setup DLL

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder == ".") return name;
  return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

std::string WithoutTrailingBackslash(std::string path) {
  while (path.size() > 1 && path.back() == '\\') path.pop_back();
  return path;
}

// Splits "a, b" directive values (CopyFiles, AddReg, ...) into names.
std::vector<std::string> Names(const InfLine& line) {
  std::vector<std::string> names;
  for (const std::string& field : line.fields) {
    if (!field.empty()) names.push_back(field);
  }
  return names;
}

class ModelBuilder {
 public:
  ModelBuilder(const InfFile& inf, std::string_view target, const FileProbe& probe)
      : inf_(inf), macros_(inf), target_(target), probe_(probe) {}

  InstallModel Build() {
    ReadVersion();
    ReadStrings();
    ReadDevice();
    const InfSection& install = inf_.Require("DefaultInstall");
    ReadSources();
    ReadDestinations();
    if (const InfLine* copy = install.FindKey("CopyFiles")) {
      for (const std::string& name : Names(*copy)) ReadFileList(name, copy->number);
    }
    if (const InfLine* add = install.FindKey("AddReg")) {
      for (const std::string& name : Names(*add)) {
        for (const InfLine& line : inf_.Require(name, add->number).lines) {
          model_.registry.push_back(ParseRegistryLine(inf_, line, macros_));
        }
      }
    }
    if (const InfLine* links = install.FindKey("CEShortcuts")) {
      for (const std::string& name : Names(*links)) ReadShortcuts(name, links->number);
    }
    if (const InfLine* dll = install.FindKey("CESetupDLL")) {
      model_.setupDllSource = SourceOf(Text(*dll, 0), dll->number);
    }
    return std::move(model_);
  }

 private:
  std::string Text(const InfLine& line, size_t field) const {
    return macros_.Expand(line.Field(field), line.number);
  }

  const InfLine& RequireKey(const InfSection& section, std::string_view key) const {
    if (const InfLine* line = section.FindKey(key)) return *line;
    throw inf_.Error(section.number, "[" + section.name + "] has no " + std::string(key));
  }

  void ReadVersion() {
    const InfSection& version = inf_.Require("Version");
    const InfLine& signature = RequireKey(version, "Signature");
    std::string text = Text(signature, 0);
    if (!EqualsIgnoringCase(text, "$Windows NT$") && !EqualsIgnoringCase(text, "$Windows 95$")) {
      throw inf_.Error(signature.number, "Signature must be \"$Windows NT$\" or \"$Windows 95$\"");
    }
    const InfLine& ceSignature = RequireKey(version, "CESignature");
    if (!EqualsIgnoringCase(Text(ceSignature, 0), "$Windows CE$")) {
      throw inf_.Error(ceSignature.number, "CESignature must be \"$Windows CE$\"");
    }
    model_.provider = Text(RequireKey(version, "Provider"), 0);
  }

  void ReadStrings() {
    const InfSection& strings = inf_.Require("CEStrings");
    const InfLine& appName = RequireKey(strings, "AppName");
    model_.appName = Text(appName, 0);
    if (model_.appName.empty() || model_.appName.find_first_of(kNotInFileNames) != std::string::npos) {
      throw inf_.Error(appName.number, "AppName must be a text that can name the cabinet file");
    }
    const InfLine& installDir = RequireKey(strings, "InstallDir");
    model_.installDir = WithoutTrailingBackslash(Text(installDir, 0));
    if (model_.installDir.empty()) throw inf_.Error(installDir.number, "InstallDir is empty");
  }

  uint32_t Number(const InfLine& line) const {
    std::optional<uint32_t> value = ParseUnsigned32(Text(line, 0));
    if (!value) throw inf_.Error(line.number, line.key + " is not a number");
    return *value;
  }

  void Version(const InfLine& line, uint32_t& major, uint32_t& minor) const {
    std::string text = Text(line, 0);
    size_t dot = text.find('.');
    std::optional<uint32_t> high = ParseUnsigned32(text.substr(0, dot));
    std::optional<uint32_t> low = dot == std::string::npos ? 0u : ParseUnsigned32(text.substr(dot + 1));
    if (!high || !low) throw inf_.Error(line.number, line.key + " must be major.minor");
    major = *high;
    minor = *low;
  }

  void ReadDeviceSection(const InfSection& section) {
    DeviceRequirements& device = model_.device;
    for (const InfLine& line : section.lines) {
      if (EqualsIgnoringCase(line.key, "ProcessorType")) {
        device.processorType = Number(line);
      } else if (EqualsIgnoringCase(line.key, "UnsupportedPlatforms")) {
        device.unsupportedPlatforms.clear();
        for (size_t i = 0; i < line.fields.size(); ++i) {
          if (!line.fields[i].empty()) device.unsupportedPlatforms.push_back(Text(line, i));
        }
      } else if (EqualsIgnoringCase(line.key, "VersionMin")) {
        Version(line, device.versionMinMajor, device.versionMinMinor);
      } else if (EqualsIgnoringCase(line.key, "VersionMax")) {
        Version(line, device.versionMaxMajor, device.versionMaxMinor);
      } else if (EqualsIgnoringCase(line.key, "BuildMin")) {
        device.buildMin = Number(line);
      } else if (EqualsIgnoringCase(line.key, "BuildMax")) {
        device.buildMax = Number(line);
      } else {
        throw inf_.Error(line.number, "unknown device entry \"" + line.key + "\"");
      }
    }
  }

  void ReadDevice() {
    if (const InfSection* common = inf_.Find("CEDevice")) ReadDeviceSection(*common);
    if (const InfSection* own = inf_.Find(std::string(kDevicePrefix) + target_)) ReadDeviceSection(*own);
  }

  void ReadSources() {
    const InfSection* disks = inf_.Find("SourceDisksNames");
    // A target's own disks add to the common ones and override those of the
    // same number, as the CE cabinet tools read them: each processor's
    // device files come from a folder of its own.
    const InfSection* ownDisks = inf_.Find("SourceDisksNames." + target_);
    const InfSection* files = inf_.Find("SourceDisksFiles");
    if (disks == nullptr && ownDisks == nullptr && files == nullptr) return;  // checked when a file needs them
    if (disks == nullptr && ownDisks == nullptr) inf_.Require("SourceDisksNames");
    for (const InfSection* section : {disks, ownDisks}) {
      if (section == nullptr) continue;
      for (const InfLine& line : section->lines) {
        if (line.key.empty()) throw inf_.Error(line.number, "source disk without a number");
        diskFolders_[Lower(line.key)] = WithoutTrailingBackslash(Text(line, 3));
      }
    }
    for (const InfLine& line : inf_.Require("SourceDisksFiles").lines) {
      if (line.key.empty()) throw inf_.Error(line.number, "source file without a disk number");
      sourceDisks_[Lower(macros_.Expand(line.key, line.number))] = &line;
    }
  }

  // The path of a source file, checked to exist.
  std::string SourceOf(const std::string& name, int line) const {
    auto entry = sourceDisks_.find(Lower(name));
    if (entry == sourceDisks_.end()) {
      inf_.Require("SourceDisksFiles", line);
      throw inf_.Error(line, "file " + name + " is not listed in [SourceDisksFiles]");
    }
    const InfLine& diskLine = *entry->second;
    std::string disk = Text(diskLine, 0);
    auto folder = diskFolders_.find(Lower(disk));
    if (folder == diskFolders_.end()) {
      throw inf_.Error(diskLine.number, "source disk " + disk + " is not listed in [SourceDisksNames]");
    }
    std::string path = JoinPath(folder->second, name);
    if (!probe_(path)) throw inf_.Error(line, "file not found: " + path);
    return path;
  }

  void ReadDestinations() {
    const InfSection& destinations = inf_.Require("DestinationDirs");
    for (const InfLine& line : destinations.lines) {
      if (line.key.empty()) throw inf_.Error(line.number, "destination without a section name");
      if (Text(line, 0) != "0" || line.fields.size() != 2) {
        throw inf_.Error(line.number, "destination must be \"0, folder\"");
      }
      destinations_[Lower(line.key)] = WithoutTrailingBackslash(Text(line, 1));
    }
  }

  std::string DestinationOf(const std::string& section, int line) const {
    for (const std::string& key : {Lower(section), std::string("defaultdestdir")}) {
      if (auto found = destinations_.find(key); found != destinations_.end()) return found->second;
    }
    throw inf_.Error(line, "no destination folder for [" + section + "] in [DestinationDirs]");
  }

  void ReadFileList(const std::string& sectionName, int referringLine) {
    const InfSection& section = inf_.Require(sectionName, referringLine);
    std::string directory = DestinationOf(sectionName, referringLine);
    for (const InfLine& line : section.lines) {
      if (!line.key.empty()) throw inf_.Error(line.number, "bad file line: unexpected '='");
      InstalledFile file;
      file.directory = directory;
      file.name = Text(line, 0);
      if (file.name.empty()) throw inf_.Error(line.number, "bad file line: no file name");
      std::string source = line.Field(1).empty() ? file.name : Text(line, 1);
      if (!line.Field(3).empty()) {
        std::optional<uint32_t> flags = ParseUnsigned32(Text(line, 3));
        if (!flags) throw inf_.Error(line.number, "bad file line: flags are not a number");
        file.flags = *flags;
      }
      if (model_.files.size() == kMostFiles) throw inf_.Error(line.number, "more than 998 files");
      file.sourcePath = SourceOf(source, line.number);
      model_.files.push_back(std::move(file));
    }
  }

  void ReadShortcuts(const std::string& sectionName, int referringLine) {
    const InfSection& section = inf_.Require(sectionName, referringLine);
    for (const InfLine& line : section.lines) {
      Shortcut shortcut;
      shortcut.name = Text(line, 0);
      std::string type = Text(line, 1);
      shortcut.target = Text(line, 2);
      if (!line.key.empty() || shortcut.name.empty() || (type != "0" && type != "1") ||
          shortcut.target.empty()) {
        throw inf_.Error(line.number, "bad shortcut line: expected name, 0 or 1, target");
      }
      shortcut.targetsFile = type == "0";
      shortcut.directory = line.Field(3).empty() ? DestinationOf(sectionName, referringLine)
                                                 : WithoutTrailingBackslash(Text(line, 3));
      if (!LocateShortcutFolder(shortcut.directory, model_.installDir)) {
        throw inf_.Error(line.number, "shortcut folder " + shortcut.directory +
                                          " is neither below a %CEn% folder nor in the install folder");
      }
      if (shortcut.targetsFile && !Installs(shortcut.target)) {
        throw inf_.Error(line.number, "shortcut target " + shortcut.target + " is not installed");
      }
      model_.shortcuts.push_back(std::move(shortcut));
    }
  }

  bool Installs(const std::string& name) const {
    for (const InstalledFile& file : model_.files) {
      if (EqualsIgnoringCase(file.name, name)) return true;
    }
    return false;
  }

  const InfFile& inf_;
  MacroExpander macros_;
  std::string target_;
  const FileProbe& probe_;
  InstallModel model_;
  std::map<std::string, std::string> diskFolders_;
  std::map<std::string, const InfLine*> sourceDisks_;
  std::map<std::string, std::string> destinations_;
};

}  // namespace

std::vector<std::string> DeviceTargets(const InfFile& inf) {
  std::vector<std::string> targets;
  for (const InfSection& section : inf.Sections()) {
    std::string_view name = section.name;
    if (name.size() < kDevicePrefix.size()) continue;
    if (!EqualsIgnoringCase(name.substr(0, kDevicePrefix.size()), kDevicePrefix)) continue;
    // Its entries would apply to no target and be lost without a word.
    if (name.size() == kDevicePrefix.size()) throw inf.Error(section.number, "[" + section.name + "] names no target");
    targets.emplace_back(name.substr(kDevicePrefix.size()));
  }
  if (targets.empty()) targets.emplace_back("PPC_ARM");
  return targets;
}

InstallModel BuildInstallModel(const InfFile& inf, std::string_view target, const FileProbe& probe) {
  return ModelBuilder(inf, target, probe).Build();
}

}  // namespace package_tool
