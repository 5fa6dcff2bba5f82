#include "package_tool/pfx_outline.h"

#include <gtest/gtest.h>

#include "package_tool/der.h"

namespace package_tool {
namespace {

using der::Bytes;

Bytes ContentInfo(const char* type, const Bytes& octets) {
  return der::Sequence({der::Oid(type), der::Tlv(der::kContextConstructed, der::Tlv(der::kOctetString, octets))});
}
Bytes Data(const Bytes& octets) { return ContentInfo("1.2.840.113549.1.7.1", octets); }
Bytes Bag(const char* bagId) { return der::Sequence({der::Oid(bagId), der::Tlv(der::kContextConstructed, der::Null())}); }

// A PFX whose authenticated safe holds these contents.
Bytes Pfx(const std::vector<Bytes>& contents) {
  return der::Sequence({der::SmallInteger(3), Data(der::Sequence(contents)), der::Sequence({})});
}

TEST(PfxOutline, ShowsAKeyBagOfAnUnencryptedContentOnly) {
  const Bytes certificates = ContentInfo("1.2.840.113549.1.7.6", Bytes{1, 2, 3});
  const Bytes shrouded = Data(der::Sequence({Bag("1.2.840.113549.1.12.10.1.2")}));
  const Bytes plainKey = Data(der::Sequence({Bag("1.2.840.113549.1.12.10.1.3"), Bag("1.2.840.113549.1.12.10.1.1")}));
  const Bytes certificateBag = Data(der::Sequence({Bag("1.2.840.113549.1.12.10.1.3")}));
  const Bytes pfx = Pfx({certificates, shrouded});
  const struct {
    const char* name;
    Bytes pfx;
    std::optional<bool> shows;
  } cases[] = {
      {"shrouded key after encrypted certificates", pfx, true},
      {"plain key bag after a certificate bag", Pfx({plainKey}), true},
      {"encrypted certificates only", Pfx({certificates}), false},
      {"a certificate bag only", Pfx({certificateBag}), false},
      {"nothing", Pfx({}), false},
      {"cut short", Bytes(pfx.begin(), pfx.end() - 20), std::nullopt},
      {"not DER", Bytes{'n', 'o'}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ShowsPrivateKey(c.pfx), c.shows) << c.name;
}

}  // namespace
}  // namespace package_tool
