#pragma once
#include <string>
#include <unordered_map>

namespace builder::project {

// How many listed entries have each path once lower-cased, so that the
// duplicate test of a new entry costs one look-up instead of a pass over the
// whole list. The paths are lowered by the list's own rule, LowerAnsi.
class LoweredPathIndex {
 public:
  bool Contains(const std::string& path) const;
  void Add(const std::string& path);
  // Forgets one entry with this path.
  void Remove(const std::string& path);
  void Clear() { counts_.clear(); }

 private:
  std::unordered_map<std::string, int> counts_;
};

}  // namespace builder::project
