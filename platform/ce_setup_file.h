#pragma once
// The Windows CE installer's setup file: the installation cabinet's member
// whose name ends in ".000". The package tool writes it and the installer
// stand-in reads it, both from this one description. Numbers are little-endian.
//
// The header, kHeaderSize bytes:
//   u32 "MSCE", u32 0, u32 length of the whole file, u32 0, u32 1,
//   u32 processor, u32 version min major, min minor, max major, max minor,
//   u32 build min, build max,
//   u16 entry count of each section, u32 offset of each section (Section order),
//   u16 offset and u16 length of the application name, of the provider and of
//   the unsupported-platform list (zero-terminated names, ended by an empty
//   one), then zero bytes.
// The sections. Every entry starts with its u16 id, counted from 1:
//   Strings   u16 length, text with its zero byte
//   Dirs      part list
//   Files     u16 folder id, u16 file number, u32 flags, u16 length, name with its zero byte
//   RegHives  u16 root, u16 0, part list
//   RegKeys   u16 hive id, u16 expand %CEn% on the device, u32 flags,
//             u16 length, value name with its zero byte, then the data
//   Links     u16 0, u16 base (0: install folder, n: %CEn%), u16 target, u16 LinkType, part list
// A part list is a u16 byte length, then the string ids of a path's parts, ended by 0.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::ce_setup_file {

inline constexpr uint32_t kSignature = 0x4543534D;  // "MSCE"
inline constexpr size_t kHeaderSize = 100;

// Where the header's fields start.
inline constexpr size_t kLengthAt = 8;
inline constexpr size_t kFormatOneAt = 16;
inline constexpr size_t kRequirementsAt = 20;  // processor, versions and builds: 7 u32
inline constexpr size_t kCountsAt = 48;
inline constexpr size_t kOffsetsAt = 60;
inline constexpr size_t kTextsAt = 84;  // application name, provider, unsupported list

enum Section : size_t { Strings, Dirs, Files, RegHives, RegKeys, Links, SectionCount };
enum HeaderText : size_t { AppName, Provider, Unsupported, HeaderTextCount };

enum class LinkType : uint16_t { Folder = 0, File = 1 };

enum class RegistryRoot : uint16_t { ClassesRoot = 1, CurrentUser = 2, LocalMachine = 3, Users = 4 };
// Indexed by RegistryRoot.
inline constexpr std::array<std::string_view, 5> kRootNames = {"", "HKCR", "HKCU", "HKLM", "HKU"};

// Registry value flags, as the setup information file gives them.
inline constexpr uint32_t kRegTypeMask = 0x00010001;
inline constexpr uint32_t kRegTypeString = 0x00000000;
inline constexpr uint32_t kRegTypeMultiString = 0x00010000;
inline constexpr uint32_t kRegTypeBinary = 0x00000001;
inline constexpr uint32_t kRegTypeDword = 0x00010001;
inline constexpr uint32_t kRegNoClobber = 0x00000002;

// What the folder macros %CE1% to %CE17% stand for on the device.
inline constexpr std::array<std::string_view, 17> kDeviceFolders = {
    "\\Program Files",
    "\\Windows",
    "\\Windows\\Desktop",
    "\\Windows\\StartUp",
    "\\My Documents",
    "\\Program Files\\Accessories",
    "\\Program Files\\Communication",
    "\\Program Files\\Games",
    "\\Program Files\\Pocket Outlook",
    "\\Program Files\\Office",
    "\\Windows\\Start Menu\\Programs",
    "\\Windows\\Start Menu\\Programs\\Accessories",
    "\\Windows\\Start Menu\\Programs\\Communications",
    "\\Windows\\Start Menu\\Programs\\Games",
    "\\Windows\\Fonts",
    "\\Windows\\Recent",
    "\\Windows\\Start Menu",
};

// n for the macro name "CEn" in any case (1 to 17, no leading zero); nullopt for any other name.
inline std::optional<unsigned> DeviceFolderNumber(std::string_view macroName) {
  if (macroName.size() < 3 || macroName.size() > 4 || (macroName[0] | 0x20) != 'c' || (macroName[1] | 0x20) != 'e' ||
      macroName[2] == '0') {
    return std::nullopt;
  }
  unsigned number = 0;
  for (char c : macroName.substr(2)) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + static_cast<unsigned>(c - '0');
  }
  if (number > kDeviceFolders.size()) return std::nullopt;
  return number;
}

// The non-empty parts of a backslash-separated path, as a part list names them.
inline std::vector<std::string> PathParts(std::string_view path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace platform::ce_setup_file
