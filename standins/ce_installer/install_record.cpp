#include "standins/ce_installer/install_record.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "standins/ce_installer/device_folders.h"

namespace standins::ce_installer {
namespace {

constexpr std::array<std::pair<ItemKind, const char*>, 4> kKindNames{{
    {ItemKind::Folder, "folder"},
    {ItemKind::File, "file"},
    {ItemKind::Key, "key"},
    {ItemKind::Value, "value"},
}};

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
    fields.push_back(line.substr(start, tab - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

bool SameItem(const InstalledItem& a, const InstalledItem& b) {
  return a.kind == b.kind && EqualsIgnoringCase(a.path, b.path) && EqualsIgnoringCase(a.name, b.name);
}

}  // namespace

std::string FormatRecord(const InstallRecord& record) {
  std::ostringstream out;
  out << "app\t" << record.appName << "\ninstalldir\t" << record.installDir << "\n";
  if (!record.setupLibrary.empty()) out << "setuplibrary\t" << record.setupLibrary << "\n";
  for (const InstalledItem& item : record.items) {
    for (const auto& [kind, name] : kKindNames) {
      if (kind == item.kind) out << name << "\t" << item.path;
    }
    if (item.kind == ItemKind::Value) out << "\t" << item.name;
    out << "\n";
  }
  return out.str();
}

InstallRecord ParseRecord(const std::string& text) {
  InstallRecord record;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::vector<std::string> fields = Fields(line);
    const std::string& tag = fields[0];
    auto kind =
        std::find_if(kKindNames.begin(), kKindNames.end(), [&](const auto& known) { return tag == known.second; });
    size_t wanted = kind != kKindNames.end() && kind->first == ItemKind::Value ? 3 : 2;
    if (fields.size() != wanted || fields[1].empty()) throw std::runtime_error("bad record line \"" + line + "\"");
    if (kind != kKindNames.end()) {
      record.items.push_back({kind->first, fields[1], wanted == 3 ? fields[2] : std::string()});
    } else if (tag == "app") {
      record.appName = fields[1];
    } else if (tag == "installdir") {
      record.installDir = fields[1];
    } else if (tag == "setuplibrary") {
      record.setupLibrary = fields[1];
    } else {
      throw std::runtime_error("bad record line \"" + line + "\"");
    }
  }
  if (record.appName.empty()) throw std::runtime_error("record without an application name");
  return record;
}

void MergeItems(std::vector<InstalledItem>& items, const std::vector<InstalledItem>& more) {
  for (const InstalledItem& item : more) {
    if (std::none_of(items.begin(), items.end(), [&](const InstalledItem& known) { return SameItem(known, item); })) {
      items.push_back(item);
    }
  }
}

}  // namespace standins::ce_installer
