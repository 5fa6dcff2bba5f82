#include "standins/ce_installer/signature_check.h"

#include <windows.h>
#include <wincrypt.h>

#include <algorithm>
#include <span>
#include <stdexcept>
#include <utility>

#include "package_tool/signed_data.h"
#include "package_tool/signed_layout.h"
#include "support/sha1_hash.h"

namespace standins::ce_installer {
namespace {

constexpr wchar_t kPoliciesKey[] = L"Security\\Policies\\Policies";
constexpr wchar_t kUnsignedCabsPolicy[] = L"00001005";  // 4101
constexpr wchar_t kSpcStoreKey[] = L"Comm\\Security\\SystemCertificates\\SPC";
constexpr DWORD kEncoding = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
constexpr int kLongestChain = 8;

class Provider {
 public:
  // The AES provider also verifies certificates signed with SHA-256.
  Provider() { CryptAcquireContextW(&provider_, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT); }
  ~Provider() {
    if (provider_ != 0) CryptReleaseContext(provider_, 0);
  }
  Provider(const Provider&) = delete;
  Provider& operator=(const Provider&) = delete;
  HCRYPTPROV Get() const { return provider_; }

 private:
  HCRYPTPROV provider_ = 0;
};

class Certificate {
 public:
  explicit Certificate(std::span<const uint8_t> encoded)
      : context_(CertCreateCertificateContext(kEncoding, encoded.data(), static_cast<DWORD>(encoded.size()))) {}
  explicit Certificate(PCCERT_CONTEXT context) : context_(context) {}
  ~Certificate() {
    if (context_ != nullptr) CertFreeCertificateContext(context_);
  }
  Certificate(Certificate&& other) noexcept : context_(std::exchange(other.context_, nullptr)) {}
  Certificate(const Certificate&) = delete;
  Certificate& operator=(const Certificate&) = delete;
  PCCERT_CONTEXT Get() const { return context_; }

 private:
  PCCERT_CONTEXT context_;
};

bool SameBlob(const CERT_NAME_BLOB& a, const CERT_NAME_BLOB& b) {
  return a.cbData == b.cbData && std::equal(a.pbData, a.pbData + a.cbData, b.pbData);
}

// The certificate that issued subject, among the candidates, with its signature checked.
const Certificate* IssuerOf(const Certificate& subject, const std::vector<Certificate>& candidates,
                            const Provider& provider) {
  for (const Certificate& candidate : candidates) {
    const CERT_INFO& info = *candidate.Get()->pCertInfo;
    if (!SameBlob(info.Subject, subject.Get()->pCertInfo->Issuer)) continue;
    if (CryptVerifyCertificateSignature(provider.Get(), kEncoding, subject.Get()->pbCertEncoded,
                                        subject.Get()->cbCertEncoded, const_cast<CERT_PUBLIC_KEY_INFO*>(&info.SubjectPublicKeyInfo))) {
      return &candidate;
    }
  }
  return nullptr;
}

std::vector<Certificate> DeviceSpcRoots() {
  std::vector<Certificate> roots;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSpcStoreKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return roots;
  HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_REG, 0, 0, CERT_STORE_READONLY_FLAG, key);
  RegCloseKey(key);
  if (store == nullptr) return roots;
  for (PCCERT_CONTEXT certificate = nullptr; (certificate = CertEnumCertificatesInStore(store, certificate));) {
    roots.emplace_back(CertDuplicateCertificateContext(certificate));
  }
  CertCloseStore(store, 0);
  return roots;
}

bool SignatureHolds(const package_tool::ReadSignature& read, const Certificate& signer, const Provider& provider) {
  HCRYPTKEY key = 0;
  if (!CryptImportPublicKeyInfo(provider.Get(), kEncoding, &signer.Get()->pCertInfo->SubjectPublicKeyInfo, &key)) {
    return false;
  }
  support::Sha1Hash hash(provider.Get());
  hash.Add(read.authenticatedAttributes);
  // CryptVerifySignature takes the value little-endian.
  std::vector<uint8_t> signature(read.signature.rbegin(), read.signature.rend());
  const bool holds = CryptVerifySignatureW(hash.Get(), signature.data(), static_cast<DWORD>(signature.size()), key,
                                           nullptr, 0) != FALSE;
  CryptDestroyKey(key);
  return holds;
}

std::string Check(const std::vector<uint8_t>& cabinet, const Provider& provider) {
  const package_tool::FoundSignature found = package_tool::FindSignature(cabinet);
  if (found.kind != package_tool::SignedKind::Cabinet) return "the file is not a cabinet";
  const package_tool::ReadSignature read = package_tool::ReadSignedData(found.signature);
  support::Sha1Hash fileDigest(provider.Get());
  for (const package_tool::ByteRange& range : found.digested) {
    fileDigest.Add(std::span(cabinet).subspan(range.offset, range.length));
  }
  if (read.kind != package_tool::SignedKind::Cabinet || fileDigest.Value() != read.fileDigest) {
    return "the cabinet was changed after it was signed";
  }
  support::Sha1Hash contentDigest(provider.Get());
  contentDigest.Add(read.digestedContent);
  if (contentDigest.Value() != read.contentDigest) return "the signed content does not match its digest";

  std::vector<Certificate> carried;
  for (std::span<const uint8_t> encoded : read.certificates) {
    Certificate certificate(encoded);
    if (certificate.Get() != nullptr) carried.push_back(std::move(certificate));
  }
  const auto signer = std::find_if(carried.begin(), carried.end(), [&](const Certificate& certificate) {
    const package_tool::CertificateId id = package_tool::IdOf({certificate.Get()->pbCertEncoded, certificate.Get()->cbCertEncoded});
    return std::ranges::equal(id.issuer, read.signerIssuer) && std::ranges::equal(id.serial, read.signerSerial);
  });
  if (signer == carried.end()) return "the signature does not carry its signer's certificate";
  if (!SignatureHolds(read, *signer, provider)) return "the signature does not hold";
  if (CertVerifyTimeValidity(nullptr, signer->Get()->pCertInfo) != 0) return "the signer's certificate is not valid now";

  const std::vector<Certificate> roots = DeviceSpcRoots();
  const Certificate* link = &*signer;
  for (int step = 0; step < kLongestChain; ++step) {
    if (IssuerOf(*link, roots, provider) != nullptr) return "";
    link = IssuerOf(*link, carried, provider);
    if (link == nullptr || link == &*signer) break;
  }
  return "the signer's certificate chains to no root of the device's SPC store";
}

}  // namespace

bool DeviceAcceptsUnsignedCabinets() {
  // Without the value, the default role mask (SECROLE_USER_AUTH) accepts them.
  DWORD roles = 1;
  DWORD type = 0;
  DWORD size = sizeof roles;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPoliciesKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    if (RegQueryValueExW(key, kUnsignedCabsPolicy, nullptr, &type, reinterpret_cast<BYTE*>(&roles), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD) {
      roles = 1;
    }
    RegCloseKey(key);
  }
  return roles != 0;
}

std::string WhyNotTrusted(const std::vector<uint8_t>& cabinet) {
  Provider provider;
  if (provider.Get() == 0) return "no cryptographic provider";
  try {
    return Check(cabinet, provider);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
}

}  // namespace standins::ce_installer
