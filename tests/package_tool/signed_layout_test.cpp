#include "package_tool/signed_layout.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/authenticode.h"

namespace package_tool {
namespace {

namespace ac = platform::authenticode;
using Bytes = std::vector<uint8_t>;

void Put(Bytes& bytes, size_t at, uint32_t value, size_t size = 4) {
  for (size_t i = 0; i < size; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

constexpr size_t kPeAt = 0x40;
constexpr size_t kOptionalAt = kPeAt + ac::kCoffHeaderSize;

// The headers of a PE image with 16 data directories, and a few bytes of body.
Bytes Program(uint16_t magic, size_t size = 0x201) {
  Bytes bytes(size, 0xCC);
  bytes[0] = 'M';
  bytes[1] = 'Z';
  Put(bytes, ac::kPeOffsetAt, kPeAt);
  Put(bytes, kPeAt, 0x00004550);
  Put(bytes, kOptionalAt, magic, 2);
  size_t directories = kOptionalAt + (magic == ac::kPe32PlusMagic ? ac::kPe32PlusDirectoriesAt : ac::kPe32DirectoriesAt);
  Put(bytes, directories - 4, 16);
  Put(bytes, directories + ac::kSecurityDirectory * 8, 0);
  Put(bytes, directories + ac::kSecurityDirectory * 8 + 4, 0);
  return bytes;
}

// A cabinet header with the signature's reserve area, and a body.
Bytes Cabinet(uint16_t reserve = ac::kCabSignatureReserveSize, size_t size = 0x99) {
  Bytes bytes(size, 0x5A);
  Put(bytes, 0, ac::kCabSignature);
  Put(bytes, 4, 0);
  Put(bytes, ac::kCabFlagsAt, ac::kCabReservePresent, 2);
  Put(bytes, ac::kCabReserveSizesAt, reserve);
  for (size_t i = ac::kCabReserveAt; i < ac::kCabHeaderEnd; ++i) bytes[i] = 0;
  return bytes;
}

std::string Digested(const Bytes& bytes, const std::vector<ByteRange>& ranges) {
  std::string covered;
  for (const ByteRange& range : ranges) covered.append(bytes.begin() + range.offset, bytes.begin() + range.offset + range.length);
  return covered;
}

std::string RefusalOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "";
}

TEST(SignedLayout, SignatureRoundTripsAndTheDigestSkipsExactlyItsPlaces) {
  const Bytes signature{0x30, 0x03, 0x02, 0x01, 0x07};
  struct Case {
    const char* name;
    Bytes file;
    SignedKind kind;
    size_t skipped;  // bytes of the prepared file outside the digest
  };
  const Case cases[] = {
      {"PE32", Program(ac::kPe32Magic), SignedKind::Program, 4 + 8},
      {"PE32+", Program(ac::kPe32PlusMagic), SignedKind::Program, 4 + 8},
      {"PE32 already aligned", Program(ac::kPe32Magic, 0x200), SignedKind::Program, 4 + 8},
      {"cabinet", Cabinet(), SignedKind::Cabinet, 4 + 22},
  };
  for (const Case& c : cases) {
    Signable signable = PrepareForSigning(c.file);
    EXPECT_EQ(signable.kind, c.kind) << c.name;
    EXPECT_EQ(signable.bytes.size() % ac::kSignatureAlignment, c.kind == SignedKind::Program ? 0u : c.file.size() % 8)
        << c.name;
    std::string before = Digested(signable.bytes, signable.digested);
    EXPECT_EQ(before.size(), signable.bytes.size() - c.skipped) << c.name;
    Bytes signedFile = AttachSignature(signable, signature);
    FoundSignature found = FindSignature(signedFile);
    EXPECT_EQ(found.kind, c.kind) << c.name;
    EXPECT_EQ(Digested(signedFile, found.digested), before) << c.name;
    ASSERT_GE(found.signature.size(), signature.size()) << c.name;
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), found.signature.begin())) << c.name;
    EXPECT_EQ(signedFile.size() % ac::kSignatureAlignment, signable.bytes.size() % 8) << c.name;
  }
}

TEST(SignedLayout, RefusesFilesThatCannotCarryASignature) {
  Bytes fewDirectories = Program(ac::kPe32Magic);
  Put(fewDirectories, kOptionalAt + ac::kPe32DirectoriesAt - 4, 4);
  Bytes unknownMagic = Program(0x107);
  Bytes noPeHeader = Program(ac::kPe32Magic);
  noPeHeader[kPeAt] = 'X';
  Bytes signedProgram = AttachSignature(PrepareForSigning(Program(ac::kPe32Magic)), Bytes{0x30, 0});
  Bytes signedCabinet = AttachSignature(PrepareForSigning(Cabinet()), Bytes{0x30, 0});
  Bytes cutHeaders = Program(ac::kPe32Magic);
  cutHeaders.resize(0x80);
  const std::pair<Bytes, const char*> cases[] = {
      {Bytes{'P', 'K', 3, 4}, "neither a program nor a cabinet"},
      {Bytes{}, "neither a program nor a cabinet"},
      {noPeHeader, "the program has no PE header"},
      {unknownMagic, "the program's optional header is unknown"},
      {fewDirectories, "the program has no certificate table entry"},
      {cutHeaders, "the file is truncated"},
      {signedProgram, "the program is signed already"},
      {Cabinet(0), "the cabinet has no room for a signature"},
      {Cabinet(24), "the cabinet has no room for a signature"},
      {signedCabinet, "the cabinet is signed already"},
  };
  for (const auto& [file, message] : cases) {
    EXPECT_EQ(RefusalOf([&] { PrepareForSigning(file); }), message) << message;
  }
}

TEST(SignedLayout, RefusesASignatureOutOfPlace) {
  Bytes program = AttachSignature(PrepareForSigning(Program(ac::kPe32Magic)), Bytes{0x30, 0});
  Bytes grown = program;
  grown.push_back(0);
  Bytes badRevision = program;
  badRevision[program.size() - 16 + 4] = 0x01;
  Bytes cabinet = AttachSignature(PrepareForSigning(Cabinet()), Bytes{0x30, 0});
  Bytes cabinetGrown = cabinet;
  cabinetGrown.push_back(0);
  Bytes badMarker = cabinet;
  Put(badMarker, ac::kCabReserveAt, 0x00200000);
  const std::pair<Bytes, const char*> cases[] = {
      {Program(ac::kPe32Magic), "the program is not signed"},
      {grown, "the program's certificate table is out of place"},
      {badRevision, "the program's certificate is not an Authenticode signature"},
      {Cabinet(), "the cabinet is not signed"},
      {cabinetGrown, "the cabinet's signature is out of place"},
      {badMarker, "the cabinet's signature is out of place"},
  };
  for (const auto& [file, message] : cases) {
    EXPECT_EQ(RefusalOf([&] { FindSignature(file); }), message) << message;
  }
}

}  // namespace
}  // namespace package_tool
