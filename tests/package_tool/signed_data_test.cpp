#include "package_tool/signed_data.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "package_tool/der.h"
#include "platform/authenticode.h"

namespace package_tool {
namespace {

using der::Bytes;

Bytes Hex(const std::string& text) {
  Bytes bytes;
  for (size_t i = 0; i + 1 < text.size(); i += 2) bytes.push_back(static_cast<uint8_t>(std::stoul(text.substr(i, 2), nullptr, 16)));
  return bytes;
}

TEST(Der, OidsEncodeAndReadBack) {
  const std::pair<const char*, const char*> cases[] = {
      {"1.3.14.3.2.26", "06052b0e03021a"},
      {"1.2.840.113549.1.7.2", "06092a864886f70d010702"},
      {"1.3.6.1.4.1.311.2.1.4", "060a2b060104018237020104"},
      {"2.999.1", "0603883701"},
  };
  for (const auto& [dotted, hex] : cases) {
    EXPECT_EQ(der::Oid(dotted), Hex(hex)) << dotted;
    Bytes encoded = der::Oid(dotted);
    der::Reader reader(encoded);
    EXPECT_EQ(der::OidText(reader.Next(der::kOid).value), dotted);
  }
}

TEST(Der, LengthsAtTheEdgesOfEachForm) {
  const std::pair<size_t, size_t> cases[] = {{0, 2}, {127, 2}, {128, 3}, {255, 3}, {256, 4}, {65535, 4}, {65536, 5}};
  for (const auto& [length, header] : cases) {
    Bytes element = der::Tlv(der::kOctetString, Bytes(length, 7));
    EXPECT_EQ(element.size(), length + header) << length;
    der::Reader reader(element);
    EXPECT_EQ(reader.Next(der::kOctetString).value.size(), length) << length;
    EXPECT_TRUE(reader.AtEnd());
  }
}

TEST(Der, ReaderRefusesWhatIsNotDer) {
  const std::pair<const char*, const char*> cases[] = {
      {"30", "malformed signature: truncated element"},
      {"3002ff", "malformed signature: element longer than its container"},
      {"3080", "malformed signature: unsupported length"},
      {"3085ffffffffff", "malformed signature: unsupported length"},
      {"3082ff", "malformed signature: truncated length"},
      {"0400", "malformed signature: unexpected element"},
  };
  for (const auto& [hex, message] : cases) {
    Bytes bytes = Hex(hex);
    der::Reader reader(bytes);
    try {
      reader.Next(der::kSequence);
      ADD_FAILURE() << hex;
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), message) << hex;
    }
  }
  for (const char* truncated : {"", "2b86"}) {
    EXPECT_THROW(der::OidText(Hex(truncated)), std::runtime_error) << truncated;
  }
}

// A certificate's outline, as far as a signer info needs it.
Bytes Certificate(uint8_t serial, const char* issuer) {
  Bytes name = der::Sequence({der::Tlv(0x0C, Bytes(issuer, issuer + std::char_traits<char>::length(issuer)))});
  Bytes tbs = der::Sequence({der::Tlv(der::kContextConstructed, der::SmallInteger(2)), der::SmallInteger(serial),
                             der::Algorithm("1.2.840.113549.1.1.5"), name});
  return der::Sequence({tbs});
}

TEST(SignedData, ReadsBackWhatItWrote) {
  const Bytes fileDigest(20, 0xAB), contentDigest(20, 0x11), signature{1, 2, 3, 4};
  for (SignedKind kind : {SignedKind::Program, SignedKind::Cabinet}) {
    Bytes content = IndirectDataContent(kind, fileDigest);
    Bytes attributes = AuthenticatedAttributes(contentDigest);
    SignerMaterial signer{Certificate(0x81, "signer"), {Certificate(1, "root")}, signature};
    Bytes signedData = SignedData(content, attributes, signer);

    ReadSignature read = ReadSignedData(signedData);
    EXPECT_EQ(read.kind, kind);
    EXPECT_EQ(read.fileDigest, fileDigest);
    EXPECT_EQ(read.contentDigest, contentDigest);
    EXPECT_EQ(read.authenticatedAttributes, attributes);
    EXPECT_EQ(read.signature, signature);
    EXPECT_TRUE(std::ranges::equal(read.digestedContent, DigestedContent(content)));
    EXPECT_EQ(read.digestedContent.size() + 2, content.size());
    ASSERT_EQ(read.certificates.size(), 2u);
    EXPECT_TRUE(std::ranges::equal(read.certificates[1], signer.chain[0]));
    CertificateId id = IdOf(signer.certificate);
    EXPECT_TRUE(std::ranges::equal(read.signerIssuer, id.issuer));
    EXPECT_EQ(Bytes(read.signerSerial.begin(), read.signerSerial.end()), Hex("02020081"));
  }
}

TEST(SignedData, AttributesAreInDerOrder) {
  Bytes attributes = AuthenticatedAttributes(Bytes(20, 0));
  der::Reader set(attributes);
  der::Reader members(set.Next(der::kSet).value);
  Bytes previous;
  int count = 0;
  while (!members.AtEnd()) {
    der::Element member = members.Next(der::kSequence);
    Bytes current(member.whole.begin(), member.whole.end());
    EXPECT_LT(previous, current);
    previous = current;
    ++count;
  }
  EXPECT_EQ(count, 4);
}

TEST(SignedData, RefusesASignatureOfAnotherKind) {
  Bytes content = der::Sequence({der::Sequence({der::Oid("1.2.3.4")}), der::Sequence({})});
  SignerMaterial signer{Certificate(5, "signer"), {}, {1}};
  Bytes signedData = SignedData(content, AuthenticatedAttributes(Bytes(20, 0)), signer);
  EXPECT_THROW(ReadSignedData(signedData), std::runtime_error);
  signedData = SignedData(IndirectDataContent(SignedKind::Cabinet, Bytes(20, 0)), AuthenticatedAttributes(Bytes(20, 0)), signer);
  for (size_t cut : {size_t{1}, signedData.size() / 2, signedData.size() - 1}) {
    EXPECT_THROW(ReadSignedData(Bytes(signedData.begin(), signedData.begin() + cut)), std::runtime_error) << cut;
  }
}

}  // namespace
}  // namespace package_tool
