#pragma once
// What a PKCS #12 (.pfx) file shows without its password.
#include <cstdint>
#include <optional>
#include <span>

namespace package_tool {

// Whether one of the file's unencrypted contents holds a private key bag
// (shrouded or not), which is where Windows and openssl put the key when
// they export one; nullopt for bytes that are not such a file in DER. The
// certificates lie in an encrypted content, so a file without a key bag
// there holds no key that it shows.
std::optional<bool> ShowsPrivateKey(std::span<const uint8_t> pfx);

}  // namespace package_tool
