#include "builder/project/application_list.h"

namespace builder::project {

ApplicationEntry ApplicationList::EntryAt(int index) const {
  return ValidIndex(index) ? entries_[static_cast<size_t>(index)] : ApplicationEntry{};
}

void ApplicationList::AddUnique(const ApplicationEntry& entry) {
  if (paths_.Contains(entry.path)) return;
  entries_.push_back(entry);
  paths_.Add(entry.path);
}

void ApplicationList::ReplaceAt(int index, const ApplicationEntry& entry) {
  if (!ValidIndex(index)) return;
  ApplicationEntry& listed = entries_[static_cast<size_t>(index)];
  paths_.Remove(listed.path);
  listed = entry;
  paths_.Add(entry.path);
}

void ApplicationList::InsertAt(int index, const ApplicationEntry& entry) {
  if (index < 0 || index > Count()) return;
  entries_.insert(entries_.begin() + index, entry);
  paths_.Add(entry.path);
}

void ApplicationList::RemoveAt(int index) {
  if (!ValidIndex(index)) return;
  paths_.Remove(entries_[static_cast<size_t>(index)].path);
  entries_.erase(entries_.begin() + index);
}

void ApplicationList::Clear() {
  entries_.clear();
  paths_.Clear();
}

void MoveEntry(ApplicationList& list, int from, int to) {
  const ApplicationEntry moved = list.EntryAt(from);
  list.RemoveAt(from);
  list.InsertAt(to, moved);
}

ApplicationList& TheApplicationList() {
  static ApplicationList list;
  return list;
}

}  // namespace builder::project
