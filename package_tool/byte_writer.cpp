#include "package_tool/byte_writer.h"

#include <stdexcept>

namespace package_tool {
namespace {

void Check(uint64_t value, uint64_t most) {
  if (value > most) throw std::length_error("a value does not fit its field");
}

}  // namespace

void ByteWriter::U16(size_t value) {
  bytes_.resize(bytes_.size() + 2);
  PatchU16(bytes_.size() - 2, value);
}

void ByteWriter::U32(uint64_t value) {
  bytes_.resize(bytes_.size() + 4);
  PatchU32(bytes_.size() - 4, value);
}

void ByteWriter::ZeroTerminated(const std::string& text) {
  bytes_.insert(bytes_.end(), text.begin(), text.end());
  bytes_.push_back(0);
}

void ByteWriter::PatchU16(size_t at, size_t value) {
  Check(value, 0xFFFF);
  bytes_[at] = static_cast<uint8_t>(value);
  bytes_[at + 1] = static_cast<uint8_t>(value >> 8);
}

void ByteWriter::PatchU32(size_t at, uint64_t value) {
  Check(value, 0xFFFFFFFF);
  for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace package_tool
