#pragma once
// What an installation made on the device, kept as
// \Windows\AppMgr\<AppName>.txt so that removal undoes exactly that. One item
// a line, fields separated by tabs:
//   app          <TAB> Brindlecove
//   installdir   <TAB> \Program Files\Brindlecove
//   setuplibrary <TAB> \Windows\AppMgr\Brindlecove.dll   (absent: none)
//   folder       <TAB> \Program Files\Brindlecove         (made by the installation)
//   file         <TAB> \Windows\bcmgr.dll                 (also shortcuts)
//   key          <TAB> HKLM\Software\Brindlecove          (made by the installation)
//   value        <TAB> HKLM\Software\Brindlecove <TAB> AppPath
// Items are listed in the order they were made.
#include <string>
#include <vector>

namespace standins::ce_installer {

enum class ItemKind { Folder, File, Key, Value };

struct InstalledItem {
  ItemKind kind = ItemKind::File;
  std::string path;  // device path, or registry key with its root
  std::string name;  // a value's name
  bool operator==(const InstalledItem&) const = default;
};

struct InstallRecord {
  std::string appName;
  std::string installDir;
  std::string setupLibrary;
  std::vector<InstalledItem> items;
};

std::string FormatRecord(const InstallRecord& record);
// Throws std::runtime_error for a line of no known form.
InstallRecord ParseRecord(const std::string& text);

// Appends the items of more that items does not hold yet (a new installation
// over an earlier one keeps what the earlier one made).
void MergeItems(std::vector<InstalledItem>& items, const std::vector<InstalledItem>& more);

}  // namespace standins::ce_installer
