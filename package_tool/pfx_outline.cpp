#include "package_tool/pfx_outline.h"

#include <stdexcept>
#include <string_view>

#include "package_tool/der.h"

namespace package_tool {
namespace {

constexpr std::string_view kDataOid = "1.2.840.113549.1.7.1";
constexpr std::string_view kKeyBagOid = "1.2.840.113549.1.12.10.1.1";
constexpr std::string_view kShroudedKeyBagOid = "1.2.840.113549.1.12.10.1.2";

// The octets of a data ContentInfo's [0] { OCTET STRING }; empty for another type.
std::span<const uint8_t> DataOf(std::span<const uint8_t> contentInfo) {
  der::Reader fields(contentInfo);
  if (der::OidText(fields.Next(der::kOid).value) != kDataOid) return {};
  der::Reader wrapped(fields.Next(der::kContextConstructed).value);
  return wrapped.Next(der::kOctetString).value;
}

bool HoldsKeyBag(std::span<const uint8_t> safeContents) {
  der::Reader outer(safeContents);
  for (der::Reader bags(outer.Next(der::kSequence).value); !bags.AtEnd();) {
    der::Reader bag(bags.Next(der::kSequence).value);
    std::string bagId = der::OidText(bag.Next(der::kOid).value);
    if (bagId == kKeyBagOid || bagId == kShroudedKeyBagOid) return true;
  }
  return false;
}

}  // namespace

std::optional<bool> ShowsPrivateKey(std::span<const uint8_t> pfx) {
  try {
    der::Reader outer(pfx);
    der::Reader fields(outer.Next(der::kSequence).value);
    fields.Next(der::kInteger);
    std::span<const uint8_t> authenticatedSafe = DataOf(fields.Next(der::kSequence).value);
    der::Reader safeOuter(authenticatedSafe);
    for (der::Reader contents(safeOuter.Next(der::kSequence).value); !contents.AtEnd();) {
      std::span<const uint8_t> data = DataOf(contents.Next(der::kSequence).value);
      if (!data.empty() && HoldsKeyBag(data)) return true;
    }
    return false;
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
}

}  // namespace package_tool
