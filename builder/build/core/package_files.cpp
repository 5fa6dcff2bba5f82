#include "builder/build/core/package_files.h"

namespace builder::build {

namespace {

constexpr char kSeparator = ';';

std::string Flag(int32_t value) { return value != 0 ? "1" : "0"; }

std::string Record(const project::ApplicationEntry& entry) {
  std::string record;
  for (const std::string& field : {Flag(entry.autolaunch), Flag(entry.hideinkioskdesktop), entry.display_name,
                                   entry.path, entry.params}) {
    record += field;
    record += kSeparator;
  }
  return record;
}

}  // namespace

std::string ApplicationListFileBytes(const project::ApplicationList& list) {
  std::string bytes;
  for (int index = 0; index < list.Count(); ++index) bytes += Record(list.EntryAt(index));
  return bytes;
}

std::string AdminCodeFileBytes(const std::string& admincode) { return admincode; }

}  // namespace builder::build
