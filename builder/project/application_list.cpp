#include "builder/project/application_list.h"

namespace builder {

ApplicationEntry ApplicationList::EntryAt(int index) const {
  return ValidIndex(index) ? entries_[static_cast<size_t>(index)] : ApplicationEntry{};
}

void ApplicationList::AddUnique(const ApplicationEntry& entry) {
  const std::string wanted = LowerAnsi(entry.path);
  for (const auto& listed : entries_) {
    if (LowerAnsi(listed.path) == wanted) return;
  }
  entries_.push_back(entry);
}

void ApplicationList::ReplaceAt(int index, const ApplicationEntry& entry) {
  if (ValidIndex(index)) entries_[static_cast<size_t>(index)] = entry;
}

void ApplicationList::InsertAt(int index, const ApplicationEntry& entry) {
  if (index >= 0 && index <= Count()) entries_.insert(entries_.begin() + index, entry);
}

void ApplicationList::RemoveAt(int index) {
  if (ValidIndex(index)) entries_.erase(entries_.begin() + index);
}

ApplicationList& TheApplicationList() {
  static ApplicationList list;
  return list;
}

}  // namespace builder
