#include "package_tool/signed_layout.h"

#include <stdexcept>
#include <string>

#include "platform/authenticode.h"

namespace package_tool {
namespace {

namespace ac = platform::authenticode;

[[noreturn]] void Refuse(const std::string& what) { throw std::runtime_error(what); }

uint32_t Get(std::span<const uint8_t> bytes, size_t at, size_t size) {
  if (at > bytes.size() || size > bytes.size() - at) Refuse("the file is truncated");
  uint32_t value = 0;
  for (size_t i = size; i-- > 0;) value = value << 8 | bytes[at + i];
  return value;
}
uint32_t U16(std::span<const uint8_t> bytes, size_t at) { return Get(bytes, at, 2); }
uint32_t U32(std::span<const uint8_t> bytes, size_t at) { return Get(bytes, at, 4); }

void Put32(std::vector<uint8_t>& bytes, size_t at, size_t value) {
  for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

size_t Padding(size_t size) { return (ac::kSignatureAlignment - size % ac::kSignatureAlignment) % ac::kSignatureAlignment; }

bool IsProgram(std::span<const uint8_t> bytes) { return bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z'; }
bool IsCabinet(std::span<const uint8_t> bytes) { return bytes.size() >= 4 && U32(bytes, 0) == ac::kCabSignature; }

struct PeLayout {
  size_t checksumAt = 0;
  size_t securityEntryAt = 0;
};

PeLayout ReadPeLayout(std::span<const uint8_t> bytes) {
  size_t pe = U32(bytes, ac::kPeOffsetAt);
  if (U32(bytes, pe) != 0x00004550) Refuse("the program has no PE header");
  size_t optional = pe + ac::kCoffHeaderSize;
  uint32_t magic = U16(bytes, optional);
  if (magic != ac::kPe32Magic && magic != ac::kPe32PlusMagic) Refuse("the program's optional header is unknown");
  size_t directories = optional + (magic == ac::kPe32Magic ? ac::kPe32DirectoriesAt : ac::kPe32PlusDirectoriesAt);
  if (U32(bytes, directories - ac::kDirectoryCountBefore) <= ac::kSecurityDirectory) {
    Refuse("the program has no certificate table entry");
  }
  PeLayout layout{optional + ac::kChecksumAt, directories + ac::kSecurityDirectory * ac::kDirectoryEntrySize};
  U32(bytes, layout.securityEntryAt + 4);  // the entry lies within the file
  return layout;
}

std::vector<ByteRange> PeDigested(const PeLayout& layout, size_t end) {
  size_t afterEntry = layout.securityEntryAt + ac::kDirectoryEntrySize;
  if (afterEntry > end) Refuse("the certificate table overlaps the headers");
  return {{0, layout.checksumAt},
          {layout.checksumAt + 4, layout.securityEntryAt - layout.checksumAt - 4},
          {afterEntry, end - afterEntry}};
}

void CheckCabinetReserve(std::span<const uint8_t> bytes) {
  if (!(U16(bytes, ac::kCabFlagsAt) & ac::kCabReservePresent) ||
      U32(bytes, ac::kCabReserveSizesAt) != ac::kCabSignatureReserveSize || bytes.size() < ac::kCabHeaderEnd) {
    Refuse("the cabinet has no room for a signature");
  }
}

std::vector<ByteRange> CabinetDigested(size_t end) {
  return {{0, ac::kCabSizeAt - 4}, {ac::kCabSizeAt, ac::kCabSetNumberAt - ac::kCabSizeAt},
          {ac::kCabDigestResumesAt, end - ac::kCabDigestResumesAt}};
}

}  // namespace

bool IsSignable(std::span<const uint8_t> bytes) { return IsProgram(bytes) || IsCabinet(bytes); }

Signable PrepareForSigning(std::vector<uint8_t> bytes) {
  if (IsProgram(bytes)) {
    PeLayout layout = ReadPeLayout(bytes);
    if (U32(bytes, layout.securityEntryAt) != 0 || U32(bytes, layout.securityEntryAt + 4) != 0) {
      Refuse("the program is signed already");
    }
    bytes.resize(bytes.size() + Padding(bytes.size()));
    std::vector<ByteRange> digested = PeDigested(layout, bytes.size());
    return {SignedKind::Program, std::move(bytes), std::move(digested)};
  }
  if (!IsCabinet(bytes)) Refuse("neither a program nor a cabinet");
  CheckCabinetReserve(bytes);
  if (U32(bytes, ac::kCabReserveAt) != 0) Refuse("the cabinet is signed already");
  Put32(bytes, ac::kCabReserveAt, ac::kCabReserveMarker);
  std::vector<ByteRange> digested = CabinetDigested(bytes.size());
  return {SignedKind::Cabinet, std::move(bytes), std::move(digested)};
}

std::vector<uint8_t> AttachSignature(Signable signable, std::span<const uint8_t> signature) {
  std::vector<uint8_t>& bytes = signable.bytes;
  size_t at = bytes.size();
  size_t padded = signature.size() + Padding(signature.size());
  if (signable.kind == SignedKind::Program) {
    size_t length = ac::kWinCertificateHeaderSize + padded;
    bytes.resize(at + ac::kWinCertificateHeaderSize);
    Put32(bytes, at, length);
    bytes[at + 4] = static_cast<uint8_t>(ac::kWinCertRevision2);
    bytes[at + 5] = static_cast<uint8_t>(ac::kWinCertRevision2 >> 8);
    bytes[at + 6] = static_cast<uint8_t>(ac::kWinCertTypePkcsSignedData);
    bytes[at + 7] = static_cast<uint8_t>(ac::kWinCertTypePkcsSignedData >> 8);
    PeLayout layout = ReadPeLayout(bytes);
    Put32(bytes, layout.securityEntryAt, at);
    Put32(bytes, layout.securityEntryAt + 4, length);
  } else {
    Put32(bytes, ac::kCabSignatureOffsetAt, at);
    Put32(bytes, ac::kCabSignatureSizeAt, padded);
  }
  bytes.insert(bytes.end(), signature.begin(), signature.end());
  bytes.resize(bytes.size() + padded - signature.size());
  return std::move(bytes);
}

FoundSignature FindSignature(std::span<const uint8_t> bytes) {
  if (IsProgram(bytes)) {
    PeLayout layout = ReadPeLayout(bytes);
    size_t at = U32(bytes, layout.securityEntryAt);
    size_t size = U32(bytes, layout.securityEntryAt + 4);
    if (at == 0 && size == 0) Refuse("the program is not signed");
    if (at % ac::kSignatureAlignment != 0 || size < ac::kWinCertificateHeaderSize || at > bytes.size() ||
        size != bytes.size() - at) {
      Refuse("the program's certificate table is out of place");
    }
    if (U32(bytes, at) != size || U16(bytes, at + 4) != ac::kWinCertRevision2 ||
        U16(bytes, at + 6) != ac::kWinCertTypePkcsSignedData) {
      Refuse("the program's certificate is not an Authenticode signature");
    }
    return {SignedKind::Program, PeDigested(layout, at), bytes.subspan(at + ac::kWinCertificateHeaderSize)};
  }
  if (!IsCabinet(bytes)) Refuse("neither a program nor a cabinet");
  if (!(U16(bytes, ac::kCabFlagsAt) & ac::kCabReservePresent) || U32(bytes, ac::kCabReserveAt) == 0) {
    Refuse("the cabinet is not signed");
  }
  CheckCabinetReserve(bytes);
  size_t at = U32(bytes, ac::kCabSignatureOffsetAt);
  size_t size = U32(bytes, ac::kCabSignatureSizeAt);
  if (U32(bytes, ac::kCabReserveAt) != ac::kCabReserveMarker || at < ac::kCabHeaderEnd || at > bytes.size() ||
      size == 0 || size != bytes.size() - at) {
    Refuse("the cabinet's signature is out of place");
  }
  return {SignedKind::Cabinet, CabinetDigested(at), bytes.subspan(at)};
}

}  // namespace package_tool
