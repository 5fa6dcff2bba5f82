#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace package_tool {

// Little-endian output; a value too large for its field throws
// std::length_error, which the setup file writer reports.
class ByteWriter {
 public:
  void U16(size_t value);
  void U32(uint64_t value);
  void Bytes(const std::vector<uint8_t>& bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
  void ZeroTerminated(const std::string& text);
  // Zero bytes up to the next multiple of alignment.
  void Align(size_t alignment) { bytes_.resize((bytes_.size() + alignment - 1) / alignment * alignment); }
  void PatchU16(size_t at, size_t value);
  void PatchU32(size_t at, uint64_t value);
  size_t Size() const { return bytes_.size(); }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace package_tool
