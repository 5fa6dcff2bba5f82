#pragma once
// Every change an installation makes on the device, in order, so that a run
// that fails midway can take all of them back and a finished one can record
// what it made. A file or value that was there before is kept aside and put
// back on undo.
#include <windows.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "standins/ce_installer/install_plan.h"
#include "standins/ce_installer/install_record.h"
#include "standins/ce_installer/registry.h"

namespace standins::ce_installer {

// A change the device refused; nothing of it was made.
class ChangeRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ChangeJournal {
 public:
  // Files that are replaced are kept in backupFolder until the end.
  explicit ChangeJournal(std::wstring backupFolder) : backupFolder_(std::move(backupFolder)) {}
  ChangeJournal(const ChangeJournal&) = delete;
  ChangeJournal& operator=(const ChangeJournal&) = delete;

  // Each throws ChangeRefused.
  void MakeFolder(const std::string& devicePath);
  void PlaceFile(const std::wstring& source, const std::string& devicePath);
  void PlaceText(const std::string& bytes, const std::string& devicePath);
  void SetValue(const PlannedValue& value);

  // Takes back every change, the last first.
  void Undo();
  // What the changes made, for the install record.
  std::vector<InstalledItem> Made() const;

 private:
  struct Change {
    InstalledItem item;
    std::wstring backup;                   // a replaced file, kept aside
    std::optional<StoredValue> previous;   // a replaced value
  };
  // Moves a file that is in the way aside; the empty string when there was none.
  std::wstring SetAside(const std::string& devicePath);
  void PlaceWith(const std::string& devicePath, const std::function<bool(const std::wstring&)>& write);
  void MakeKeys(HKEY root, const std::string& rootName, const std::string& path);

  std::wstring backupFolder_;
  std::vector<Change> changes_;
};

}  // namespace standins::ce_installer
