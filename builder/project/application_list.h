#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "builder/project/lowered_path_index.h"

namespace builder::project {

// One allowed application of the kiosk.
struct ApplicationEntry {
  std::string display_name;
  std::string path;
  std::string params;
  int32_t autolaunch = 0;
  int32_t hideinkioskdesktop = 0;

  bool operator==(const ApplicationEntry&) const = default;
};

// The ordered list of allowed applications; entries are held by value.
class ApplicationList {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  ApplicationEntry EntryAt(int index) const;
  // Appends unless an entry with the same path, ignoring case, is listed.
  void AddUnique(const ApplicationEntry& entry);
  void ReplaceAt(int index, const ApplicationEntry& entry);
  // Inserts before the entry at index; index == Count appends.
  void InsertAt(int index, const ApplicationEntry& entry);
  void RemoveAt(int index);
  void Clear();

 private:
  bool ValidIndex(int index) const { return index >= 0 && index < Count(); }
  std::vector<ApplicationEntry> entries_;
  LoweredPathIndex paths_;  // the paths of entries_
};

// The one program-wide list.
ApplicationList& TheApplicationList();

// Takes the entry at from out of the list and puts it back at to, as Up and
// Down move a row.
void MoveEntry(ApplicationList& list, int from, int to);

// Lower case in the system's ANSI code page, a double-byte character as a
// whole; a letter whose lower case the code page cannot hold stays as it is.
// Without Windows code pages, the Western one (1252) stands in.
std::string LowerAnsi(std::string text);

}  // namespace builder::project
