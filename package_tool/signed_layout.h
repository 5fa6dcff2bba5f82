#pragma once
// Where an Authenticode signature goes in a program (PE image) or a cabinet,
// and which of their bytes its digest covers. Throws std::runtime_error with a
// message for a file that cannot carry a signature or whose signature is out
// of place.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace package_tool {

enum class SignedKind { Program, Cabinet };

struct ByteRange {
  size_t offset = 0;
  size_t length = 0;
};

// A file made ready for its signature: a program padded to the certificate
// table's alignment, a cabinet with its reserve area marked.
struct Signable {
  SignedKind kind = SignedKind::Program;
  std::vector<uint8_t> bytes;
  std::vector<ByteRange> digested;
};

// True for the bytes of a PE image or of a cabinet.
bool IsSignable(std::span<const uint8_t> bytes);
// A cabinet must have been written with kCabSignatureReserveSize bytes of
// header reserve; a program must not be signed yet.
Signable PrepareForSigning(std::vector<uint8_t> bytes);
// The signed file: the signature placed where its kind keeps it.
std::vector<uint8_t> AttachSignature(Signable signable, std::span<const uint8_t> signature);

struct FoundSignature {
  SignedKind kind = SignedKind::Program;
  std::vector<ByteRange> digested;
  std::span<const uint8_t> signature;  // within the bytes given, padding included
};

// The signature of a signed file and what its digest covers.
FoundSignature FindSignature(std::span<const uint8_t> bytes);

}  // namespace package_tool
