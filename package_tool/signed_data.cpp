#include "package_tool/signed_data.h"

#include <stdexcept>

#include "package_tool/der.h"
#include "platform/authenticode.h"

namespace package_tool {
namespace {

namespace ac = platform::authenticode;
using der::Bytes;

Bytes Of(std::span<const uint8_t> bytes) { return Bytes(bytes.begin(), bytes.end()); }

Bytes Explicit(uint8_t number, std::span<const uint8_t> inner) {
  return der::Tlv(static_cast<uint8_t>(der::kContextConstructed + number), inner);
}

// SpcLink naming the file "<<<Obsolete>>>", as signing tools write it.
Bytes ObsoleteLink() {
  return Explicit(2, der::Tlv(der::kContextPrimitive, der::BmpOctets(ac::kObsoleteFile)));
}

Bytes Attribute(std::string_view oid, const Bytes& value) { return der::Sequence({der::Oid(oid), der::SetOf({value})}); }

[[noreturn]] void Refuse(const char* what) { throw std::runtime_error(std::string("malformed signature: ") + what); }

void Expect(bool condition, const char* what) {
  if (!condition) Refuse(what);
}

bool IsOid(const der::Element& element, std::string_view oid) {
  return element.tag == der::kOid && der::OidText(element.value) == oid;
}

// The value of the attribute with this OID in a SET OF attributes.
std::span<const uint8_t> AttributeValue(std::span<const uint8_t> attributes, std::string_view oid) {
  for (der::Reader reader(attributes); !reader.AtEnd();) {
    der::Reader attribute(reader.Next(der::kSequence).value);
    if (!IsOid(attribute.Next(der::kOid), oid)) continue;
    der::Reader values(attribute.Next(der::kSet).value);
    return values.Next().whole;
  }
  Refuse("an authenticated attribute is missing");
}

void ReadIndirectData(std::span<const uint8_t> content, ReadSignature& read) {
  der::Reader top(content);
  der::Reader fields(top.Next(der::kSequence).value);
  der::Reader data(fields.Next(der::kSequence).value);
  der::Element kind = data.Next(der::kOid);
  if (IsOid(kind, ac::kSpcPeImageDataObj)) {
    read.kind = SignedKind::Program;
  } else if (IsOid(kind, ac::kSpcCabDataObjId)) {
    read.kind = SignedKind::Cabinet;
  } else {
    Refuse("the signed data is neither a program's nor a cabinet's");
  }
  der::Reader digestInfo(fields.Next(der::kSequence).value);
  der::Reader algorithm(digestInfo.Next(der::kSequence).value);
  Expect(IsOid(algorithm.Next(der::kOid), ac::kSha1Oid), "the file digest is not SHA-1");
  read.fileDigest = Of(digestInfo.Next(der::kOctetString).value);
  read.digestedContent = DigestedContent(content);
}

}  // namespace

std::vector<uint8_t> IndirectDataContent(SignedKind kind, std::span<const uint8_t> fileDigest) {
  Bytes data = kind == SignedKind::Program
                   ? der::Sequence({der::Oid(ac::kSpcPeImageDataObj),
                                    der::Sequence({der::Tlv(der::kBitString, Bytes{0}), Explicit(0, ObsoleteLink())})})
                   : der::Sequence({der::Oid(ac::kSpcCabDataObjId), ObsoleteLink()});
  return der::Sequence({data, der::Sequence({der::Algorithm(ac::kSha1Oid), der::Tlv(der::kOctetString, fileDigest)})});
}

std::span<const uint8_t> DigestedContent(std::span<const uint8_t> indirectDataContent) {
  der::Reader reader(indirectDataContent);
  return reader.Next(der::kSequence).value;
}

std::vector<uint8_t> AuthenticatedAttributes(std::span<const uint8_t> contentDigest) {
  return der::SetOf({
      Attribute(ac::kContentTypeOid, der::Oid(ac::kSpcIndirectDataObjId)),
      Attribute(ac::kMessageDigestOid, der::Tlv(der::kOctetString, contentDigest)),
      Attribute(ac::kSpcSpOpusInfoObjId, der::Sequence({})),
      Attribute(ac::kSpcStatementTypeObjId, der::Sequence({der::Oid(ac::kSpcIndividualSpKeyPurposeObjId)})),
  });
}

std::vector<uint8_t> SignedData(std::span<const uint8_t> indirectDataContent,
                                std::span<const uint8_t> authenticatedAttributes, const SignerMaterial& signer) {
  CertificateId id = IdOf(signer.certificate);
  // In the signer info the attributes are [0] IMPLICIT instead of a SET OF.
  Bytes attributes = Of(authenticatedAttributes);
  attributes.front() = der::kContextConstructed;
  Bytes signerInfo = der::Sequence({der::SmallInteger(1), der::Sequence({Of(id.issuer), Of(id.serial)}),
                                    der::Algorithm(ac::kSha1Oid), attributes, der::Algorithm(ac::kRsaEncryptionOid),
                                    der::Tlv(der::kOctetString, signer.signature)});
  Bytes certificates = signer.certificate;
  for (const Bytes& certificate : signer.chain) certificates.insert(certificates.end(), certificate.begin(), certificate.end());
  Bytes content = der::Sequence({der::Oid(ac::kSpcIndirectDataObjId), Explicit(0, indirectDataContent)});
  Bytes signedData = der::Sequence({der::SmallInteger(1), der::SetOf({der::Algorithm(ac::kSha1Oid)}), content,
                                    Explicit(0, certificates), der::SetOf({signerInfo})});
  return der::Sequence({der::Oid(ac::kSignedDataOid), Explicit(0, signedData)});
}

ReadSignature ReadSignedData(std::span<const uint8_t> signedData) {
  ReadSignature read;
  der::Reader outer(signedData);
  der::Reader contentInfo(outer.Next(der::kSequence).value);
  Expect(IsOid(contentInfo.Next(der::kOid), ac::kSignedDataOid), "not a PKCS#7 signed data");
  der::Reader wrapped(contentInfo.Next(der::kContextConstructed).value);
  der::Reader fields(wrapped.Next(der::kSequence).value);
  fields.Next(der::kInteger);
  fields.Next(der::kSet);
  der::Reader content(fields.Next(der::kSequence).value);
  Expect(IsOid(content.Next(der::kOid), ac::kSpcIndirectDataObjId), "the content is not Authenticode's");
  der::Reader inner(content.Next(der::kContextConstructed).value);
  ReadIndirectData(inner.Next(der::kSequence).whole, read);
  der::Element next = fields.Next();
  if (next.tag == der::kContextConstructed) {
    for (der::Reader certificates(next.value); !certificates.AtEnd();) {
      read.certificates.push_back(certificates.Next(der::kSequence).whole);
    }
    next = fields.Next();
  }
  if (next.tag == der::kContextConstructed + 1) next = fields.Next();  // revocation lists
  Expect(next.tag == der::kSet, "no signer");
  der::Reader signers(next.value);
  der::Reader signer(signers.Next(der::kSequence).value);
  signer.Next(der::kInteger);
  der::Reader issuerAndSerial(signer.Next(der::kSequence).value);
  read.signerIssuer = issuerAndSerial.Next(der::kSequence).whole;
  read.signerSerial = issuerAndSerial.Next(der::kInteger).whole;
  der::Reader digestAlgorithm(signer.Next(der::kSequence).value);
  Expect(IsOid(digestAlgorithm.Next(der::kOid), ac::kSha1Oid), "the signer's digest is not SHA-1");
  der::Element attributes = signer.Next(der::kContextConstructed);
  read.authenticatedAttributes = Of(attributes.whole);
  read.authenticatedAttributes.front() = der::kSet;
  der::Reader contentType(AttributeValue(attributes.value, ac::kContentTypeOid));
  Expect(IsOid(contentType.Next(), ac::kSpcIndirectDataObjId), "the content type attribute is not Authenticode's");
  read.contentDigest = Of(der::Reader(AttributeValue(attributes.value, ac::kMessageDigestOid)).Next(der::kOctetString).value);
  signer.Next(der::kSequence);
  read.signature = Of(signer.Next(der::kOctetString).value);
  return read;
}

CertificateId IdOf(std::span<const uint8_t> certificate) {
  der::Reader outer(certificate);
  der::Reader certificateFields(outer.Next(der::kSequence).value);
  der::Reader tbs(certificateFields.Next(der::kSequence).value);
  der::Element first = tbs.Next();
  if (first.tag == der::kContextConstructed) first = tbs.Next();  // the version
  Expect(first.tag == der::kInteger, "a certificate has no serial number");
  tbs.Next(der::kSequence);  // the signature algorithm
  return {tbs.Next(der::kSequence).whole, first.whole};
}

}  // namespace package_tool
