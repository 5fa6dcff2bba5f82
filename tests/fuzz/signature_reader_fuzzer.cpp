// The signature readers on any bytes: a signed program's or cabinet's
// layout and the signature's DER either read or refuse with an exception,
// and what they find lies within the bytes given.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <stdexcept>

#include "package_tool/signed_data.h"
#include "package_tool/signed_layout.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  try {
    package_tool::FoundSignature found = package_tool::FindSignature(bytes);
    for (const package_tool::ByteRange& range : found.digested) Require(range.offset + range.length <= size);
    Require(found.signature.data() >= data && found.signature.data() + found.signature.size() == data + size);
  } catch (const std::runtime_error&) {
  }
  try {
    package_tool::ReadSignature read = package_tool::ReadSignedData(bytes);
    Require(read.digestedContent.data() >= data && read.digestedContent.data() + read.digestedContent.size() <= data + size);
  } catch (const std::runtime_error&) {
  }
  return 0;
}
