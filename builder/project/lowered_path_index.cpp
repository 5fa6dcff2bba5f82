#include "builder/project/lowered_path_index.h"

#include "builder/project/application_list.h"

namespace builder::project {

bool LoweredPathIndex::Contains(const std::string& path) const { return counts_.contains(LowerAnsi(path)); }

void LoweredPathIndex::Add(const std::string& path) { ++counts_[LowerAnsi(path)]; }

void LoweredPathIndex::Remove(const std::string& path) {
  const auto found = counts_.find(LowerAnsi(path));
  if (found == counts_.end()) return;
  if (--found->second == 0) counts_.erase(found);
}

}  // namespace builder::project
