#include "standins/ce_installer/change_journal.h"

#include <algorithm>

#include "standins/ce_installer/device_files.h"
#include "support/files.h"
#include "support/text.h"

namespace standins::ce_installer {

using support::IsFolder;
using support::PathExists;
using support::Widen;
using support::WriteWholeFile;
namespace {

// "HKLM\Software\Brindlecove" split into its root and the path below it.
std::pair<HKEY, std::wstring> SplitKey(const std::string& key) {
  size_t slash = key.find('\\');
  return {RootKey(key.substr(0, slash)), slash == std::string::npos ? std::wstring() : Widen(key.substr(slash + 1))};
}

void UndoChange(const InstalledItem& item, const std::wstring& backup, const std::optional<StoredValue>& previous) {
  switch (item.kind) {
    case ItemKind::Folder:
      RemoveDirectoryW(HostPath(item.path).c_str());
      break;
    case ItemKind::File:
      DeleteFileW(HostPath(item.path).c_str());
      if (!backup.empty()) MoveFileExW(backup.c_str(), HostPath(item.path).c_str(), MOVEFILE_COPY_ALLOWED);
      break;
    case ItemKind::Key: {
      auto [root, path] = SplitKey(item.path);
      RegDeleteKeyW(root, path.c_str());
      break;
    }
    case ItemKind::Value: {
      auto [root, path] = SplitKey(item.path);
      RegistryKey key = RegistryKey::Open(root, path);
      if (!key) break;
      if (previous) {
        key.Write(Widen(item.name), *previous);
      } else {
        key.Delete(Widen(item.name));
      }
      break;
    }
  }
}

}  // namespace

void ChangeJournal::MakeFolder(const std::string& devicePath) {
  std::wstring path = HostPath(devicePath);
  if (IsFolder(path)) return;
  if (!CreateDirectoryW(path.c_str(), nullptr)) throw ChangeRefused("cannot make the folder " + devicePath);
  changes_.push_back({{ItemKind::Folder, devicePath, {}}, {}, {}});
}

std::wstring ChangeJournal::SetAside(const std::string& devicePath) {
  std::wstring path = HostPath(devicePath);
  if (!PathExists(path)) return {};
  if (IsFolder(path)) throw ChangeRefused(devicePath + " is a folder");
  std::wstring backup = backupFolder_ + L"\\" + std::to_wstring(changes_.size());
  if (!MoveFileExW(path.c_str(), backup.c_str(), MOVEFILE_COPY_ALLOWED)) {
    throw ChangeRefused("cannot replace " + devicePath + " (in use?)");
  }
  return backup;
}

void ChangeJournal::PlaceWith(const std::string& devicePath, const std::function<bool(const std::wstring&)>& write) {
  std::wstring backup = SetAside(devicePath);
  Change change{{ItemKind::File, devicePath, {}}, backup, {}};
  if (!write(HostPath(devicePath))) {
    UndoChange(change.item, change.backup, change.previous);
    throw ChangeRefused("cannot write " + devicePath);
  }
  changes_.push_back(std::move(change));
}

void ChangeJournal::PlaceFile(const std::wstring& source, const std::string& devicePath) {
  PlaceWith(devicePath,
            [&](const std::wstring& target) { return CopyFileW(source.c_str(), target.c_str(), TRUE) != 0; });
}

void ChangeJournal::PlaceText(const std::string& bytes, const std::string& devicePath) {
  PlaceWith(devicePath, [&](const std::wstring& target) { return WriteWholeFile(target, bytes); });
}

void ChangeJournal::MakeKeys(HKEY root, const std::string& rootName, const std::string& path) {
  std::string made;
  size_t start = 0;
  while (start < path.size()) {
    size_t end = std::min(path.find('\\', start), path.size());
    if (!made.empty()) made += '\\';
    made.append(path, start, end - start);
    start = end + 1;
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(root, Widen(made).c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, &disposition) !=
        ERROR_SUCCESS) {
      throw ChangeRefused("cannot make the registry key " + rootName + "\\" + made);
    }
    RegCloseKey(key);
    if (disposition == REG_CREATED_NEW_KEY) changes_.push_back({{ItemKind::Key, rootName + "\\" + made, {}}, {}, {}});
  }
}

void ChangeJournal::SetValue(const PlannedValue& value) {
  HKEY root = RootKey(value.root);
  if (root == nullptr) throw ChangeRefused("unknown registry root " + value.root);
  MakeKeys(root, value.root, value.key);
  RegistryKey key = RegistryKey::Open(root, Widen(value.key));
  std::wstring name = Widen(value.name);
  std::optional<StoredValue> previous = key ? key.Read(name) : std::nullopt;
  if (previous && value.keepExisting) return;
  if (!key || !key.Write(name, StoredFormOf(value))) {
    throw ChangeRefused("cannot write the registry value " + value.root + "\\" + value.key + "\\" + value.name);
  }
  changes_.push_back({{ItemKind::Value, value.root + "\\" + value.key, value.name}, {}, previous});
}

void ChangeJournal::Undo() {
  for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) {
    UndoChange(change->item, change->backup, change->previous);
  }
  changes_.clear();
}

std::vector<InstalledItem> ChangeJournal::Made() const {
  std::vector<InstalledItem> items;
  for (const Change& change : changes_) items.push_back(change.item);
  return items;
}

}  // namespace standins::ce_installer
