#include "builder/project/application_list.h"

namespace builder {

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

ApplicationList& TheApplicationList() {
  static ApplicationList list;
  return list;
}

std::string LowerAnsi(std::string text) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
      c = static_cast<char>(byte + 0x20);
    } else if (byte == 0x8A || byte == 0x8C || byte == 0x8E) {
      c = static_cast<char>(byte + 0x10);
    } else if (byte == 0x9F) {
      c = static_cast<char>(0xFF);
    }
  }
  return text;
}

}  // namespace builder
