#include "standins/ce_installer/device_folders.h"

#include <cctype>
#include <stdexcept>

#include "platform/ce_setup_file.h"

namespace standins::ce_installer {
namespace {

namespace format = platform::ce_setup_file;

constexpr std::string_view kInstallDirMacro = "InstallDir";

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// The folder a whole macro reference ("%CE2%") stands for.
std::optional<std::string> MacroFolder(std::string_view reference, const std::string& installDir) {
  if (reference.size() < 3 || reference.front() != '%' || reference.back() != '%') return std::nullopt;
  std::string_view name = reference.substr(1, reference.size() - 2);
  if (EqualsIgnoringCase(name, kInstallDirMacro)) {
    if (installDir.empty()) return std::nullopt;
    return installDir;
  }
  return DeviceFolderOf(name);
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::optional<std::string> DeviceFolderOf(std::string_view macroName) {
  std::optional<unsigned> number = format::DeviceFolderNumber(macroName);
  if (!number) return std::nullopt;
  return std::string(format::kDeviceFolders[*number - 1]);
}

bool IsPlainName(std::string_view name) {
  if (name.empty() || name == "." || name == ".." || name.back() == '.' || name.back() == ' ') return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
      return false;
    }
  }
  return true;
}

std::string ResolveFolder(const std::string& folder, const std::string& installDir) {
  std::vector<std::string> parts = format::PathParts(folder);
  std::string path;
  size_t firstPlain = 0;
  if (!parts.empty() && parts.front().front() == '%' && !folder.starts_with('\\')) {
    std::optional<std::string> base = MacroFolder(parts.front(), installDir);
    if (!base) throw std::runtime_error("unknown folder " + parts.front());
    path = *base;
    firstPlain = 1;
  } else if (!folder.starts_with('\\')) {
    throw std::runtime_error("folder \"" + folder + "\" is not a device path");
  }
  for (size_t i = firstPlain; i < parts.size(); ++i) {
    if (!IsPlainName(parts[i])) throw std::runtime_error("bad folder name \"" + parts[i] + "\"");
    path += "\\" + parts[i];
  }
  if (path.empty()) throw std::runtime_error("the device's root folder is not a destination");
  return path;
}

std::string ExpandFolderMacros(const std::string& text, const std::string& installDir) {
  std::string out;
  size_t at = 0;
  while (at < text.size()) {
    size_t start = text.find('%', at);
    size_t end = start == std::string::npos ? std::string::npos : text.find('%', start + 1);
    if (end == std::string::npos) break;
    std::optional<std::string> folder = MacroFolder(std::string_view(text).substr(start, end - start + 1), installDir);
    if (folder) {
      out += text.substr(at, start - at) + *folder;
      at = end + 1;
    } else {
      out += text.substr(at, end - at);
      at = end;
    }
  }
  return out + text.substr(std::min(at, text.size()));
}

std::vector<std::string> FolderChain(const std::string& devicePath) {
  std::vector<std::string> chain;
  std::string path;
  for (const std::string& part : format::PathParts(devicePath)) {
    path += "\\" + part;
    chain.push_back(path);
  }
  return chain;
}

std::string ParentFolder(const std::string& devicePath) {
  size_t slash = devicePath.find_last_of('\\');
  return slash == std::string::npos ? std::string() : devicePath.substr(0, slash);
}

}  // namespace standins::ce_installer
