#pragma once
#include <windows.h>
#include <wincrypt.h>

#include <cstdint>
#include <span>
#include <vector>

namespace support {

// A SHA-1 digest made by a CryptoAPI provider (CALG_SHA1). Failures throw
// std::runtime_error.
class Sha1Hash {
 public:
  explicit Sha1Hash(HCRYPTPROV provider);
  ~Sha1Hash();
  Sha1Hash(const Sha1Hash&) = delete;
  Sha1Hash& operator=(const Sha1Hash&) = delete;

  void Add(std::span<const uint8_t> bytes);
  std::vector<uint8_t> Value() const;
  // For CryptSignHash and CryptVerifySignature.
  HCRYPTHASH Get() const { return hash_; }

 private:
  HCRYPTHASH hash_ = 0;
};

}  // namespace support
