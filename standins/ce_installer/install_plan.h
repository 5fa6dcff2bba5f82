#pragma once
// What installing one cabinet does on the device, worked out from its setup
// file and its member names before anything is touched. Texts stay in the
// setup file's single-byte encoding.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "standins/ce_installer/setup_reader/setup_file_reader.h"

namespace standins::ce_installer {

enum class ValueType { String, MultiString, Binary, Dword };

struct PlannedValue {
  std::string root;  // "HKLM"
  std::string key;   // "Software\Brindlecove"
  std::string name;
  ValueType type = ValueType::String;
  std::vector<std::string> texts;  // one for a string, each of a multi-string
  std::vector<uint8_t> bytes;      // a binary value
  uint32_t dword = 0;
  bool keepExisting = false;  // the package asks not to overwrite a value already there
};

struct PlannedFile {
  std::string member;       // its name in the cabinet, "000bcmgr.005"
  std::string destination;  // device path with its true name
};

struct PlannedShortcut {
  std::string path;  // "\Windows\Start Menu\Programs\Brindlecove.lnk"
  std::string text;  // the shortcut file's content
};

struct InstallPlan {
  std::string appName;
  uint32_t processor = 0;  // the setup file's processor type; 0: any
  std::string installDir;                  // device path
  std::optional<std::string> setupLibrary;  // the .999 member
  std::vector<std::string> folders;          // parents first
  std::vector<PlannedFile> files;
  std::vector<PlannedValue> values;
  std::vector<PlannedShortcut> shortcuts;
};

// The member holding the setup file (".000"). Throws std::runtime_error when
// the names are not those of an installation cabinet.
std::string SetupFileMember(const std::vector<std::string>& members);

// Throws std::runtime_error naming what is wrong: a member missing, a path
// leading out of its folder, a value of no known type.
InstallPlan PlanInstallation(const SetupFileView& setup, const std::vector<std::string>& members);

// Whether a package for that processor may be installed on a device with
// the other: the same dwProcessorType, or a package for any processor (0).
bool ProcessorFits(uint32_t packageProcessor, uint32_t deviceProcessor);

// The installation folder: the package's first folder below \Program Files
// (where the CE tools put %InstallDir%), else \Program Files\<AppName>.
std::string InstallFolderOf(const SetupFileView& setup);

// A CE shortcut file: the length of what follows '#', then the quoted target.
std::string ShortcutText(const std::string& target);

}  // namespace standins::ce_installer
