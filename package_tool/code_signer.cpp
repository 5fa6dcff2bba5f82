#include "package_tool/code_signer.h"

#include <algorithm>
#include <cstdio>

#include "package_tool/package_error.h"
#include "package_tool/pfx_outline.h"
#include "package_tool/win_files.h"
#include "support/sha1_hash.h"
#include "support/text.h"

namespace package_tool {
namespace {

constexpr const char* kNoKey = "the certificate file holds no certificate with its private key";

std::string ReadOrRefuse(const std::string& path, const char* message) {
  try {
    return ReadWholeFile(path);
  } catch (const PackageError&) {
    throw PackageError(path, 0, message);
  }
}

// The first line of the password file, without its line end.
std::wstring ReadPassword(const std::string& passwordPath) {
  if (passwordPath.empty()) return std::wstring();
  std::string text = ReadOrRefuse(passwordPath, "cannot read the password file");
  text = text.substr(0, text.find_first_of("\r\n"));
  return support::Widen(text);
}

std::string DayOf(const FILETIME& time) {
  SYSTEMTIME day{};
  FileTimeToSystemTime(&time, &day);
  char text[16];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u", day.wYear, day.wMonth, day.wDay);
  return text;
}

std::vector<uint8_t> Encoded(PCCERT_CONTEXT certificate) {
  return std::vector<uint8_t>(certificate->pbCertEncoded, certificate->pbCertEncoded + certificate->cbCertEncoded);
}

// The container into which the import put the key; the key is deleted from
// it again when the signer goes, so that signing leaves no key behind.
std::vector<uint8_t> KeyProviderInfo(PCCERT_CONTEXT certificate) {
  DWORD size = 0;
  if (!CertGetCertificateContextProperty(certificate, CERT_KEY_PROV_INFO_PROP_ID, nullptr, &size)) return {};
  std::vector<uint8_t> info(size);
  if (!CertGetCertificateContextProperty(certificate, CERT_KEY_PROV_INFO_PROP_ID, info.data(), &size)) return {};
  return info;
}

void DeleteImportedKey(PCCERT_CONTEXT certificate) {
  std::vector<uint8_t> bytes = KeyProviderInfo(certificate);
  if (bytes.empty()) return;
  const auto* info = reinterpret_cast<const CRYPT_KEY_PROV_INFO*>(bytes.data());
  HCRYPTPROV deleted = 0;
  CryptAcquireContextW(&deleted, info->pwszContainerName, info->pwszProvName, info->dwProvType,
                       CRYPT_DELETEKEYSET | (info->dwFlags & CRYPT_MACHINE_KEYSET));
}

// Which key pair the container holds (AT_KEYEXCHANGE or AT_SIGNATURE). Wine's PFX import
// records AT_KEYEXCHANGE | AT_SIGNATURE in the certificate's key property,
// which CryptSignHash does not take.
DWORD HeldKeySpec(HCRYPTPROV provider) {
  for (DWORD keySpec : {AT_KEYEXCHANGE, AT_SIGNATURE}) {
    HCRYPTKEY key = 0;
    if (CryptGetUserKey(provider, keySpec, &key)) {
      CryptDestroyKey(key);
      return keySpec;
    }
  }
  return 0;
}

bool MatchesPublicKey(HCRYPTPROV provider, DWORD keySpec, PCCERT_CONTEXT certificate) {
  DWORD size = 0;
  if (!CryptExportPublicKeyInfo(provider, keySpec, X509_ASN_ENCODING, nullptr, &size)) return false;
  std::vector<uint8_t> bytes(size);
  auto* exported = reinterpret_cast<CERT_PUBLIC_KEY_INFO*>(bytes.data());
  return CryptExportPublicKeyInfo(provider, keySpec, X509_ASN_ENCODING, exported, &size) &&
         CertComparePublicKeyInfo(X509_ASN_ENCODING, &certificate->pCertInfo->SubjectPublicKeyInfo, exported);
}

}  // namespace

CodeSigner::CodeSigner(const std::string& pfxPath, const std::string& passwordPath) : pfxPath_(pfxPath) {
  std::string pfx = ReadOrRefuse(pfxPath, "cannot read the certificate file");
  std::wstring password = ReadPassword(passwordPath);
  CRYPT_DATA_BLOB blob{static_cast<DWORD>(pfx.size()), reinterpret_cast<BYTE*>(pfx.data())};
  if (!PFXIsPFXBlob(&blob)) throw PackageError(pfxPath, 0, "the file is not a PKCS #12 (.pfx) certificate file");
  // A file exported without a password may take either an empty one or none.
  store_ = PFXImportCertStore(&blob, password.c_str(), 0);
  if (store_ == nullptr && password.empty()) store_ = PFXImportCertStore(&blob, nullptr, 0);
  SecureZeroMemory(password.data(), password.size() * sizeof(wchar_t));
  // Windows imports a file without a key and leaves the refusal to
  // FindSigner; Wine refuses to import it, as it does for a wrong password.
  if (store_ == nullptr && ShowsPrivateKey(std::span(blob.pbData, blob.cbData)) == false) {
    throw PackageError(pfxPath, 0, kNoKey);
  }
  if (store_ == nullptr) throw PackageError(pfxPath, 0, "the password does not open the certificate file");
  try {
    FindSigner();
    CheckValidity();
  } catch (const PackageError&) {
    Release();
    throw;
  }
}

CodeSigner::~CodeSigner() { Release(); }

void CodeSigner::Release() {
  if (releaseProvider_) CryptReleaseContext(provider_, 0);
  for (PCCERT_CONTEXT certificate = nullptr; (certificate = CertEnumCertificatesInStore(store_, certificate));) {
    DeleteImportedKey(certificate);
  }
  if (certificate_ != nullptr) CertFreeCertificateContext(certificate_);
  CertCloseStore(store_, 0);
}

void CodeSigner::FindSigner() {
  for (PCCERT_CONTEXT certificate = nullptr; (certificate = CertEnumCertificatesInStore(store_, certificate));) {
    if (certificate_ == nullptr && TakeKeyOf(certificate)) {
      certificate_ = CertDuplicateCertificateContext(certificate);
      material_.certificate = Encoded(certificate);
    } else {
      material_.chain.push_back(Encoded(certificate));
    }
  }
  if (certificate_ == nullptr) throw PackageError(pfxPath_, 0, kNoKey);
}

// The import may record a key for another certificate of the file than the
// one it belongs to (Wine does, with a chain), so the key is taken only when
// its public half is the certificate's.
bool CodeSigner::TakeKeyOf(PCCERT_CONTEXT certificate) {
  HCRYPTPROV provider = 0;
  DWORD keySpec = 0;
  BOOL release = FALSE;
  if (KeyProviderInfo(certificate).empty() ||
      !CryptAcquireCertificatePrivateKey(certificate, 0, nullptr, &provider, &keySpec, &release)) {
    return false;
  }
  if (keySpec != AT_KEYEXCHANGE && keySpec != AT_SIGNATURE) keySpec = HeldKeySpec(provider);
  if (!MatchesPublicKey(provider, keySpec, certificate)) {
    if (release) CryptReleaseContext(provider, 0);
    return false;
  }
  provider_ = provider;
  keySpec_ = keySpec;
  releaseProvider_ = release;
  return true;
}

void CodeSigner::CheckValidity() const {
  const CERT_INFO& info = *certificate_->pCertInfo;
  LONG validity = CertVerifyTimeValidity(nullptr, certificate_->pCertInfo);
  std::string refusal = validity > 0   ? "the certificate expired on " + DayOf(info.NotAfter)
                        : validity < 0 ? "the certificate is not valid before " + DayOf(info.NotBefore)
                                       : std::string();
  if (refusal.empty()) return;
  throw PackageError(pfxPath_, 0, refusal);
}

std::vector<uint8_t> CodeSigner::Sha1(const std::vector<std::span<const uint8_t>>& parts) const {
  support::Sha1Hash hash(provider_);
  for (std::span<const uint8_t> part : parts) hash.Add(part);
  return hash.Value();
}

std::vector<uint8_t> CodeSigner::SignDigestOf(std::span<const uint8_t> attributes) const {
  support::Sha1Hash hash(provider_);
  hash.Add(attributes);
  DWORD size = 0;
  if (!CryptSignHashW(hash.Get(), keySpec_, nullptr, 0, nullptr, &size)) {
    throw PackageError(pfxPath_, 0, "the certificate's private key cannot sign");
  }
  std::vector<uint8_t> signature(size);
  if (!CryptSignHashW(hash.Get(), keySpec_, nullptr, 0, signature.data(), &size)) {
    throw PackageError(pfxPath_, 0, "the certificate's private key cannot sign");
  }
  // CryptSignHash gives the value little-endian; PKCS #7 carries it big-endian.
  signature.resize(size);
  std::reverse(signature.begin(), signature.end());
  return signature;
}

std::vector<uint8_t> CodeSigner::Sign(std::vector<uint8_t> bytes, const std::string& what) const {
  try {
    Signable signable = PrepareForSigning(std::move(bytes));
    std::vector<std::span<const uint8_t>> digested;
    for (const ByteRange& range : signable.digested) digested.push_back(std::span(signable.bytes).subspan(range.offset, range.length));
    std::vector<uint8_t> content = IndirectDataContent(signable.kind, Sha1(digested));
    std::vector<uint8_t> attributes = AuthenticatedAttributes(Sha1({DigestedContent(content)}));
    SignerMaterial material = material_;
    material.signature = SignDigestOf(attributes);
    std::vector<uint8_t> signedData = SignedData(content, attributes, material);
    return AttachSignature(std::move(signable), signedData);
  } catch (const std::runtime_error& error) {
    if (dynamic_cast<const PackageError*>(&error) != nullptr) throw;
    throw PackageError(what, 0, std::string("cannot sign: ") + error.what());
  }
}

}  // namespace package_tool
