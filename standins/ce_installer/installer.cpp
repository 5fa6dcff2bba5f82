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
#include "standins/ce_installer/signature_check.h"
#include "standins/emulated_device/device_processor.h"
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
constexpr wchar_t kOtherProcessor[] =
    L"The package is made for another processor than this device's. Nothing was installed.";
constexpr wchar_t kUnsigned[] =
    L"The package is not signed by a publisher this device trusts, and this device installs no unsigned "
    L"packages. Nothing was installed.";
constexpr wchar_t kNotInstalled[] = L"The package could not be installed. Nothing was changed.";
constexpr wchar_t kUnknownApplication[] = L"The application is not installed.";
constexpr wchar_t kNotRemoved[] = L"The application could not be removed completely.";
constexpr char kAppManagerFolder[] = "\\Windows\\AppMgr";
constexpr char kAppsKey[] = "Software\\Apps";

Outcome Failure(std::string detail, const wchar_t* message) { return {false, std::move(detail), message}; }

// Everything the cabinet holds, extracted and read; nothing on the device changed yet.
struct OpenedPackage {
  std::wstring membersFolder;
  InstallPlan plan;
  std::wstring Member(const std::string& name) const { return membersFolder + L"\\" + Widen(name); }
};

OpenedPackage OpenPackage(const std::wstring& cabinetCopy, const std::wstring& membersFolder) {
  std::vector<std::string> members = ExtractCabinet(cabinetCopy, membersFolder);
  OpenedPackage package{membersFolder, {}};
  std::optional<std::string> setupFile = ReadWholeFile(package.Member(SetupFileMember(members)));
  if (!setupFile) throw std::runtime_error("the setup file cannot be read");
  package.plan = PlanInstallation(ReadSetupFile({setupFile->begin(), setupFile->end()}), members);
  return package;
}

std::optional<InstallRecord> ReadRecord(const std::string& appName) {
  std::optional<std::string> text = ReadWholeFile(HostPath(InstallRecordPath(appName)));
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

PlannedValue AppsValue(const std::string& appName, const char* name, std::string text) {
  PlannedValue value;
  value.root = "HKLM";
  value.key = std::string(kAppsKey) + "\\" + appName;
  value.name = name;
  value.texts = {std::move(text)};
  return value;
}

// The install record, the kept setup library and the Apps key, as the CE
// installer keeps them; the record lists what this and earlier runs made.
void KeepRecord(const OpenedPackage& package, const std::optional<InstallRecord>& earlier,
                const std::wstring& cabinetPath, ChangeJournal& journal) {
  const InstallPlan& plan = package.plan;
  InstallRecord record{plan.appName, plan.installDir, {}, earlier ? earlier->items : std::vector<InstalledItem>()};
  MergeItems(record.items, journal.Made());
  journal.MakeFolder(kAppManagerFolder);
  if (plan.setupLibrary) {
    record.setupLibrary = KeptSetupLibraryPath(plan.appName);
    journal.PlaceFile(package.Member(*plan.setupLibrary), record.setupLibrary);
  }
  journal.PlaceText(FormatRecord(record), InstallRecordPath(plan.appName));
  PlannedValue installed = AppsValue(plan.appName, "Instl", "");
  installed.type = ValueType::Dword;
  installed.dword = 1;
  journal.SetValue(installed);
  journal.SetValue(AppsValue(plan.appName, "InstlDir", plan.installDir));
  journal.SetValue(AppsValue(plan.appName, "CabFile", Narrow(cabinetPath)));
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

std::string InstallRecordPath(const std::string& appName) {
  return std::string(kAppManagerFolder) + "\\" + appName + ".txt";
}

std::string KeptSetupLibraryPath(const std::string& appName) {
  return std::string(kAppManagerFolder) + "\\" + appName + ".dll";
}

Outcome InstallPackage(const std::wstring& cabinetPath, HWND parent) {
  support::TemporaryFolder work(L"wceload");
  // A copy under a plain name: the decompression interface takes narrow
  // paths, and the package cannot change while it is read.
  const std::wstring cabinetCopy = work.File(L"package.cab");
  if (!CopyFileW(cabinetPath.c_str(), cabinetCopy.c_str(), FALSE)) {
    return Failure("the package cannot be read", kNotOpened);
  }
  // Checked before anything of the package is read, as the device's
  // installer checks the signature first.
  if (!DeviceAcceptsUnsignedCabinets()) {
    const std::optional<std::string> bytes = ReadWholeFile(cabinetCopy);
    const std::string why = bytes ? WhyNotTrusted({bytes->begin(), bytes->end()}) : "the package cannot be read";
    if (!why.empty()) return Failure("the package counts as unsigned: " + why, kUnsigned);
  }
  const std::wstring membersFolder = work.File(L"members");
  const std::wstring replacedFolder = work.File(L"replaced");
  CreateDirectoryW(membersFolder.c_str(), nullptr);
  CreateDirectoryW(replacedFolder.c_str(), nullptr);
  OpenedPackage package;
  try {
    package = OpenPackage(cabinetCopy, membersFolder);
  } catch (const std::runtime_error& error) {
    return Failure(std::string("the package is damaged: ") + error.what(), kDamaged);
  }
  const InstallPlan& plan = package.plan;
  // As the CE installer does with dwProcessorType: checked before the setup
  // library is asked anything.
  const uint32_t deviceProcessor = emulated_device::DeviceProcessorType();
  if (!ProcessorFits(plan.processor, deviceProcessor)) {
    return Failure("the package is for processor " + std::to_string(plan.processor) + ", the device's is " +
                       std::to_string(deviceProcessor),
                   kOtherProcessor);
  }
  SetupLibrary library(plan.setupLibrary ? package.Member(*plan.setupLibrary) : std::wstring());
  if (!library.Usable()) return Failure("the package is damaged: its setup library does not load", kDamaged);

  const std::optional<InstallRecord> earlier = ReadRecord(plan.appName);
  const std::wstring installDir = Widen(plan.installDir);
  if (library.InstallInit(parent, earlier.has_value(), installDir) != codINSTALL_INIT_CONTINUE) {
    return Failure("cancelled by the setup library", L"");
  }
  ChangeJournal journal(replacedFolder);
  try {
    Apply(package, journal);
    if (library.InstallExit(parent, installDir) != codINSTALL_EXIT_DONE) {
      journal.Undo();
      return Failure("undone at the setup library's request", L"");
    }
    KeepRecord(package, earlier, cabinetPath, journal);
  } catch (const ChangeRefused& error) {
    journal.Undo();
    return Failure(error.what(), kNotInstalled);
  }
  return {};
}

Outcome RemoveApplication(const std::wstring& appName, HWND parent) {
  const std::string app = Narrow(appName);
  std::optional<InstallRecord> record = IsPlainName(app) ? ReadRecord(app) : std::nullopt;
  if (!record) return Failure("not installed", kUnknownApplication);
  std::vector<InstalledItem> left;
  {
    const bool keptLibrary = !record->setupLibrary.empty() && PathExists(HostPath(record->setupLibrary));
    SetupLibrary library(keptLibrary ? HostPath(record->setupLibrary) : std::wstring());
    if (library.UninstallInit(parent, Widen(record->installDir)) != codUNINSTALL_INIT_CONTINUE) {
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
  if (!record->setupLibrary.empty()) DeleteFileW(HostPath(record->setupLibrary).c_str());
  DeleteFileW(HostPath(InstallRecordPath(app)).c_str());
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, Widen(std::string(kAppsKey) + "\\" + app).c_str());
  return {};
}

}  // namespace standins::ce_installer
