#pragma once
#include <windows.h>
#include <wincrypt.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "package_tool/signed_data.h"

namespace package_tool {

// Signs programs and cabinets with Authenticode (SHA-1) using the
// certificate and private key of a PKCS#12 file, through CryptoAPI as
// Windows XP SP3 has it. Every refusal throws PackageError naming the file
// at fault, before anything is signed.
class CodeSigner {
 public:
  // passwordPath may be empty: the file then has the empty password.
  CodeSigner(const std::string& pfxPath, const std::string& passwordPath);
  ~CodeSigner();
  CodeSigner(const CodeSigner&) = delete;
  CodeSigner& operator=(const CodeSigner&) = delete;

  // The signed file; what names the file in a refusal.
  std::vector<uint8_t> Sign(std::vector<uint8_t> bytes, const std::string& what) const;

 private:
  void Release();
  void FindSigner();
  bool TakeKeyOf(PCCERT_CONTEXT certificate);
  void CheckValidity() const;
  std::vector<uint8_t> Sha1(const std::vector<std::span<const uint8_t>>& parts) const;
  std::vector<uint8_t> SignDigestOf(std::span<const uint8_t> attributes) const;

  std::string pfxPath_;
  HCERTSTORE store_ = nullptr;
  PCCERT_CONTEXT certificate_ = nullptr;
  SignerMaterial material_;
  HCRYPTPROV provider_ = 0;
  DWORD keySpec_ = 0;
  BOOL releaseProvider_ = FALSE;
};

}  // namespace package_tool
