#include "standins/ce_installer/installer.h"

#include <optional>
#include <stdexcept>

#include "standins/ce_installer/change_journal.h"
#include "standins/ce_installer/device_files.h"
#include "standins/ce_installer/device_folders.h"
#include "standins/ce_installer/fdi_cabinet.h"
#include "standins/ce_installer/install_plan.h"
#include "standins/ce_installer/install_record.h"
#include "standins/ce_installer/setup_library.h"
#include "standins/ce_installer/setup_reader/setup_file_reader.h"
#include "support/files.h"
#include "support/text.h"

namespace standins::ce_installer {

using support::Narrow;
using support::PathExists;
using support::ReadWholeFile;
using support::WriteWholeFile;
using support::Widen;
namespace {

constexpr wchar_t kNotOpened[] = L"The package could not be opened.";
constexpr wchar_t kDamaged[] = L"The package is damaged and could not be installed.";
constexpr wchar_t kNotInstalled[] = L"The package could not be installed. Nothing was changed.";
constexpr wchar_t kUnknownApplication[] = L"The application is not installed.";
constexpr wchar_t kNotRemoved[] = L"The application could not be removed completely.";
constexpr char kAppManagerFolder[] = "\\Windows\\AppMgr";
constexpr char kAppsKey[] = "Software\\Apps";

Outcome Failure(std::string detail, const wchar_t* message) { return {false, std::move(detail), message}; }

// Everything the cabinet holds, extracted and read; nothing on the device changed yet.
struct OpenedPackage {
  std::wstring members_folder;
  InstallPlan plan;
  std::wstring Member(const std::string& name) const { return members_folder + L"\\" + Widen(name); }
};

OpenedPackage OpenPackage(const std::wstring& cabinet_copy, const std::wstring& members_folder) {
  std::vector<std::string> members = ExtractCabinet(cabinet_copy, members_folder);
  OpenedPackage package{members_folder, {}};
  std::optional<std::string> setup_file = ReadWholeFile(package.Member(SetupFileMember(members)));
  if (!setup_file) throw std::runtime_error("the setup file cannot be read");
  package.plan = PlanInstallation(ReadSetupFile({setup_file->begin(), setup_file->end()}), members);
  return package;
}

std::optional<InstallRecord> ReadRecord(const std::string& app_name) {
  std::optional<std::string> text = ReadWholeFile(HostPath(InstallRecordPath(app_name)));
  if (!text) return std::nullopt;
  try {
    return ParseRecord(*text);
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
}

void Apply(const OpenedPackage& package, ChangeJournal& journal) {
  const InstallPlan& plan = package.plan;
  for (const std::string& folder : plan.folders) journal.MakeFolder(folder);
  for (const PlannedFile& file : plan.files) journal.PlaceFile(package.Member(file.member), file.destination);
  for (const PlannedValue& value : plan.values) journal.SetValue(value);
  for (const PlannedShortcut& shortcut : plan.shortcuts) journal.PlaceText(shortcut.text, shortcut.path);
}

PlannedValue AppsValue(const std::string& app_name, const char* name, std::string text) {
  PlannedValue value;
  value.root = "HKLM";
  value.key = std::string(kAppsKey) + "\\" + app_name;
  value.name = name;
  value.texts = {std::move(text)};
  return value;
}

// The install record, the kept setup library and the Apps key, as the CE
// installer keeps them; the record lists what this and earlier runs made.
void KeepRecord(const OpenedPackage& package, const std::optional<InstallRecord>& earlier,
                const std::wstring& cabinet_path, ChangeJournal& journal) {
  const InstallPlan& plan = package.plan;
  InstallRecord record{plan.app_name, plan.install_dir, {}, earlier ? earlier->items : std::vector<InstalledItem>()};
  MergeItems(record.items, journal.Made());
  journal.MakeFolder(kAppManagerFolder);
  if (plan.setup_library) {
    record.setup_library = KeptSetupLibraryPath(plan.app_name);
    journal.PlaceFile(package.Member(*plan.setup_library), record.setup_library);
  }
  journal.PlaceText(FormatRecord(record), InstallRecordPath(plan.app_name));
  PlannedValue installed = AppsValue(plan.app_name, "Instl", "");
  installed.type = ValueType::Dword;
  installed.dword = 1;
  journal.SetValue(installed);
  journal.SetValue(AppsValue(plan.app_name, "InstlDir", plan.install_dir));
  journal.SetValue(AppsValue(plan.app_name, "CabFile", Narrow(cabinet_path)));
}

bool RemoveItem(const InstalledItem& item) {
  switch (item.kind) {
    case ItemKind::File: {
      std::wstring path = HostPath(item.path);
      return DeleteFileW(path.c_str()) || !PathExists(path);
    }
    case ItemKind::Value: {
      size_t slash = item.path.find('\\');
      RegistryKey key = RegistryKey::Open(RootKey(item.path.substr(0, slash)),
                                          slash == std::string::npos ? L"" : Widen(item.path.substr(slash + 1)));
      return !key || key.Delete(Widen(item.name));
    }
    case ItemKind::Key: {
      // A key or folder that others filled since stays; that is not a fault.
      size_t slash = item.path.find('\\');
      if (HKEY root = RootKey(item.path.substr(0, slash)); root != nullptr && slash != std::string::npos) {
        RegDeleteKeyW(root, Widen(item.path.substr(slash + 1)).c_str());
      }
      return true;
    }
    case ItemKind::Folder:
      RemoveDirectoryW(HostPath(item.path).c_str());
      return true;
  }
  return true;
}

// Removes the items, the last made first; gives those that stayed.
std::vector<InstalledItem> RemoveItems(const std::vector<InstalledItem>& items) {
  std::vector<InstalledItem> left;
  for (auto item = items.rbegin(); item != items.rend(); ++item) {
    if (!RemoveItem(*item)) left.insert(left.begin(), *item);
  }
  return left;
}

}  // namespace

std::string InstallRecordPath(const std::string& app_name) {
  return std::string(kAppManagerFolder) + "\\" + app_name + ".txt";
}

std::string KeptSetupLibraryPath(const std::string& app_name) {
  return std::string(kAppManagerFolder) + "\\" + app_name + ".dll";
}

Outcome InstallPackage(const std::wstring& cabinet_path, HWND parent) {
  support::TemporaryFolder work(L"wceload");
  // A copy under a plain name: the decompression interface takes narrow
  // paths, and the package cannot change while it is read.
  const std::wstring cabinet_copy = work.File(L"package.cab");
  if (!CopyFileW(cabinet_path.c_str(), cabinet_copy.c_str(), FALSE)) {
    return Failure("the package cannot be read", kNotOpened);
  }
  const std::wstring members_folder = work.File(L"members");
  const std::wstring replaced_folder = work.File(L"replaced");
  CreateDirectoryW(members_folder.c_str(), nullptr);
  CreateDirectoryW(replaced_folder.c_str(), nullptr);
  OpenedPackage package;
  try {
    package = OpenPackage(cabinet_copy, members_folder);
  } catch (const std::runtime_error& error) {
    return Failure(std::string("the package is damaged: ") + error.what(), kDamaged);
  }
  const InstallPlan& plan = package.plan;
  SetupLibrary library(plan.setup_library ? package.Member(*plan.setup_library) : std::wstring());
  if (!library.usable()) return Failure("the package is damaged: its setup library does not load", kDamaged);

  const std::optional<InstallRecord> earlier = ReadRecord(plan.app_name);
  const std::wstring install_dir = Widen(plan.install_dir);
  if (library.InstallInit(parent, earlier.has_value(), install_dir) != codINSTALL_INIT_CONTINUE) {
    return Failure("cancelled by the setup library", L"");
  }
  ChangeJournal journal(replaced_folder);
  try {
    Apply(package, journal);
    if (library.InstallExit(parent, install_dir) != codINSTALL_EXIT_DONE) {
      journal.Undo();
      return Failure("undone at the setup library's request", L"");
    }
    KeepRecord(package, earlier, cabinet_path, journal);
  } catch (const ChangeRefused& error) {
    journal.Undo();
    return Failure(error.what(), kNotInstalled);
  }
  return {};
}

Outcome RemoveApplication(const std::wstring& app_name, HWND parent) {
  const std::string app = Narrow(app_name);
  std::optional<InstallRecord> record = IsPlainName(app) ? ReadRecord(app) : std::nullopt;
  if (!record) return Failure("not installed", kUnknownApplication);
  std::vector<InstalledItem> left;
  {
    const bool kept_library = !record->setup_library.empty() && PathExists(HostPath(record->setup_library));
    SetupLibrary library(kept_library ? HostPath(record->setup_library) : std::wstring());
    if (library.UninstallInit(parent, Widen(record->install_dir)) != codUNINSTALL_INIT_CONTINUE) {
      return Failure("cancelled by the setup library", L"");
    }
    left = RemoveItems(record->items);
    library.UninstallExit(parent);
  }
  if (!left.empty()) {
    // What stayed is kept on record, so that a later removal can finish.
    record->items = left;
    WriteWholeFile(HostPath(InstallRecordPath(app)), FormatRecord(*record));
    return Failure(std::to_string(left.size()) + " item(s) could not be removed, first " + left.front().path,
                   kNotRemoved);
  }
  if (!record->setup_library.empty()) DeleteFileW(HostPath(record->setup_library).c_str());
  DeleteFileW(HostPath(InstallRecordPath(app)).c_str());
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, Widen(std::string(kAppsKey) + "\\" + app).c_str());
  return {};
}

}  // namespace standins::ce_installer
