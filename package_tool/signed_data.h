#pragma once
// The DER of an Authenticode signature (a PKCS#7 SignedData over an
// SpcIndirectDataContent), put together from a file's digest, the signer's
// certificates and the signature value that the platform's key makes, and
// read back for a check. Digests are SHA-1. Reading throws std::runtime_error.
#include <cstdint>
#include <span>
#include <vector>

#include "package_tool/signed_layout.h"

namespace package_tool {

// The SpcIndirectDataContent for a file of the kind with this digest.
std::vector<uint8_t> IndirectDataContent(SignedKind kind, std::span<const uint8_t> fileDigest);
// What the message digest attribute covers: the content's value octets.
std::span<const uint8_t> DigestedContent(std::span<const uint8_t> indirectDataContent);
// The authenticated attributes as the SET OF that the signature covers;
// contentDigest is the digest of DigestedContent.
std::vector<uint8_t> AuthenticatedAttributes(std::span<const uint8_t> contentDigest);

struct SignerMaterial {
  std::vector<uint8_t> certificate;                // the signer's, DER
  std::vector<std::vector<uint8_t>> chain;         // further certificates to carry, DER
  std::vector<uint8_t> signature;                  // RSA PKCS#1 v1.5, big-endian
};

std::vector<uint8_t> SignedData(std::span<const uint8_t> indirectDataContent,
                                std::span<const uint8_t> authenticatedAttributes, const SignerMaterial& signer);

// A signature taken apart for a check.
struct ReadSignature {
  SignedKind kind = SignedKind::Program;
  std::vector<uint8_t> fileDigest;
  std::vector<uint8_t> contentDigest;            // the message digest attribute
  std::span<const uint8_t> digestedContent;      // what that attribute covers
  std::vector<uint8_t> authenticatedAttributes;  // as the signature covers them (SET OF)
  std::vector<uint8_t> signature;                // big-endian
  std::vector<std::span<const uint8_t>> certificates;
  std::span<const uint8_t> signerIssuer;         // Name, DER
  std::span<const uint8_t> signerSerial;         // INTEGER, DER
};

ReadSignature ReadSignedData(std::span<const uint8_t> signedData);

// The issuer Name and serial INTEGER of a DER certificate, each as its DER.
struct CertificateId {
  std::span<const uint8_t> issuer;
  std::span<const uint8_t> serial;
};
CertificateId IdOf(std::span<const uint8_t> certificate);

}  // namespace package_tool
