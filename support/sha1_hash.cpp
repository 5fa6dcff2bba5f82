#include "support/sha1_hash.h"

#include <stdexcept>

namespace support {
namespace {

constexpr DWORD kSha1Size = 20;

[[noreturn]] void Fail() { throw std::runtime_error("cannot make a SHA-1 digest"); }

}  // namespace

Sha1Hash::Sha1Hash(HCRYPTPROV provider) {
  if (!CryptCreateHash(provider, CALG_SHA1, 0, 0, &hash_)) Fail();
}

Sha1Hash::~Sha1Hash() { CryptDestroyHash(hash_); }

void Sha1Hash::Add(std::span<const uint8_t> bytes) {
  if (!CryptHashData(hash_, bytes.data(), static_cast<DWORD>(bytes.size()), 0)) Fail();
}

std::vector<uint8_t> Sha1Hash::Value() const {
  std::vector<uint8_t> value(kSha1Size);
  DWORD size = kSha1Size;
  if (!CryptGetHashParam(hash_, HP_HASHVAL, value.data(), &size, 0)) Fail();
  return value;
}

}  // namespace support
