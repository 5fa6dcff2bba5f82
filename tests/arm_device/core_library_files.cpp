// Our coredll's files: the C library's streams that bcmgr reads its code
// file with, and the handles of CreateFileW that the engine reads set.alf and
// writes its state file with. Files live in memory under their device paths.
#include <algorithm>
#include <stdexcept>

#include "tests/arm_device/core_library.h"

namespace arm_device_test {

namespace {

constexpr uint32_t kGenericRead = 0x80000000, kGenericWrite = 0x40000000;
enum Disposition : uint32_t { kCreateNew = 1, kCreateAlways, kOpenExisting, kOpenAlways, kTruncateExisting };
constexpr uint32_t kInvalidHandle = 0xFFFFFFFF;

}  // namespace

uint32_t CoreLibrary::Fopen() {
  const std::string path = machine_.ReadNarrow(machine_.Argument(0));
  ++filesOpened;
  const auto file = files_.find(Lower({path.begin(), path.end()}));
  if (file == files_.end()) return 0;
  const uint32_t handle = NewHandle();
  openFiles_[handle] = {file->second, 0, {}, false};
  return handle;
}

uint32_t CoreLibrary::Fread() {
  const uint32_t buffer = machine_.Argument(0), size = machine_.Argument(1), count = machine_.Argument(2);
  const auto file = openFiles_.find(machine_.Argument(3));
  if (file == openFiles_.end() || size == 0) return 0;
  OpenFile& open = file->second;
  const size_t items = std::min<size_t>(count, (open.bytes.size() - open.position) / size);
  machine_.Write(buffer, open.bytes.data() + open.position, items * size);
  open.position += items * size;
  return static_cast<uint32_t>(items);
}

uint32_t CoreLibrary::Fclose() {
  const auto file = openFiles_.find(machine_.Argument(0));
  if (file != openFiles_.end() && file->second.path.empty()) {
    openFiles_.erase(file);
    return 0;
  }
  Problem("fclose of no open stream");
  return static_cast<uint32_t>(-1);
}

uint32_t CoreLibrary::GetModuleFileNameW() {
  const uint32_t module = machine_.Argument(0), buffer = machine_.Argument(1), size = machine_.Argument(2);
  if (module != 0 && module != moduleBase) {
    Problem("GetModuleFileNameW of no loaded module");
    return 0;
  }
  if (modulePath.empty()) throw std::runtime_error("GetModuleFileNameW: the test set up no module path");
  if (size == 0) return 0;
  // As the desktop's does: what fits, ended by a zero.
  const std::u16string path = modulePath.substr(0, size - 1);
  machine_.Write(buffer, path.data(), 2 * path.size());
  machine_.Write(buffer + 2 * static_cast<uint32_t>(path.size()), u"", 2);
  return static_cast<uint32_t>(path.size());
}

uint32_t CoreLibrary::CreateFileW() {
  const std::u16string path = machine_.ReadWide(machine_.Argument(0));
  const uint32_t access = machine_.Argument(1), disposition = machine_.Argument(4);
  // CE ignores security attributes and template files and wants them null.
  if (machine_.Argument(3) != 0 || machine_.Argument(6) != 0)
    Problem("CreateFileW with security attributes or a template file");
  if ((access & (kGenericRead | kGenericWrite)) == 0 || (access & ~(kGenericRead | kGenericWrite)) != 0)
    Problem("CreateFileW with access " + std::to_string(access));
  if (disposition < kCreateNew || disposition > kTruncateExisting) {
    Problem("CreateFileW with disposition " + std::to_string(disposition));
    return kInvalidHandle;
  }
  const auto file = files_.find(Lower(path));
  const bool exists = file != files_.end();
  if ((exists && disposition == kCreateNew) ||
      (!exists && (disposition == kOpenExisting || disposition == kTruncateExisting)))
    return kInvalidHandle;
  const bool truncate = disposition == kCreateAlways || disposition == kTruncateExisting;
  std::string bytes = exists && !truncate ? file->second : std::string();
  if (!exists || truncate) files_[Lower(path)] = bytes;
  if (access & kGenericRead) filesRead.push_back(path);
  const uint32_t handle = NewHandle();
  openFiles_[handle] = {std::move(bytes), 0, path, (access & kGenericWrite) != 0};
  return handle;
}

CoreLibrary::OpenFile* CoreLibrary::FileOf(uint32_t handle, const char* call, bool write) {
  const auto file = openFiles_.find(handle);
  if (file == openFiles_.end() || file->second.path.empty()) {
    Problem(std::string(call) + " of no file handle");
    return nullptr;
  }
  if (write && !file->second.writable) {
    Problem(std::string(call) + " of a file opened for reading only");
    return nullptr;
  }
  // CE has no overlapped file calls; the count's pointer is required.
  if (machine_.Argument(4) != 0 || machine_.Argument(3) == 0) {
    Problem(std::string(call) + " without a count's pointer or with an overlapped structure");
    return nullptr;
  }
  return &file->second;
}

uint32_t CoreLibrary::ReadFile() {
  OpenFile* file = FileOf(machine_.Argument(0), "ReadFile", false);
  if (file == nullptr) return 0;
  const size_t count = std::min<size_t>(machine_.Argument(2), file->bytes.size() - file->position);
  if (count > 0) machine_.Write(machine_.Argument(1), file->bytes.data() + file->position, count);
  file->position += count;
  machine_.WriteU32(machine_.Argument(3), static_cast<uint32_t>(count));
  return 1;
}

uint32_t CoreLibrary::WriteFile() {
  OpenFile* file = FileOf(machine_.Argument(0), "WriteFile", true);
  if (file == nullptr) return 0;
  const std::vector<uint8_t> bytes = machine_.ReadBytes(machine_.Argument(1), machine_.Argument(2));
  file->bytes.resize(std::max(file->bytes.size(), file->position + bytes.size()));
  std::copy(bytes.begin(), bytes.end(), file->bytes.begin() + static_cast<std::ptrdiff_t>(file->position));
  file->position += bytes.size();
  files_[Lower(file->path)] = file->bytes;
  machine_.WriteU32(machine_.Argument(3), static_cast<uint32_t>(bytes.size()));
  return 1;
}

bool CoreLibrary::CloseFile(uint32_t handle) {
  const auto file = openFiles_.find(handle);
  if (file == openFiles_.end() || file->second.path.empty()) return false;
  if (file->second.writable) filesWritten.push_back({file->second.path, file->second.bytes});
  openFiles_.erase(file);
  return true;
}

}  // namespace arm_device_test
