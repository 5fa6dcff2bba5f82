#pragma once
// The few DER (ITU-T X.690) encodings a signature needs, and a reader that
// walks them. The reader throws std::runtime_error on bytes that are not DER
// of the expected shape; it never reads past the bytes it was given.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace package_tool::der {

using Bytes = std::vector<uint8_t>;

inline constexpr uint8_t kInteger = 0x02;
inline constexpr uint8_t kBitString = 0x03;
inline constexpr uint8_t kOctetString = 0x04;
inline constexpr uint8_t kNull = 0x05;
inline constexpr uint8_t kOid = 0x06;
inline constexpr uint8_t kSequence = 0x30;
inline constexpr uint8_t kSet = 0x31;
inline constexpr uint8_t kContextConstructed = 0xA0;  // [n] constructed: kContextConstructed + n
inline constexpr uint8_t kContextPrimitive = 0x80;    // [n] primitive: kContextPrimitive + n

Bytes Tlv(uint8_t tag, std::span<const uint8_t> value);
Bytes Sequence(const std::vector<Bytes>& parts);
// A SET OF: its members in the order of their encodings, as DER asks.
Bytes SetOf(std::vector<Bytes> members);
Bytes Oid(std::string_view dotted);
Bytes SmallInteger(uint8_t value);
Bytes Null();
// A UTF-16 text as BMPString octets, big-endian.
Bytes BmpOctets(std::u16string_view text);
// An AlgorithmIdentifier with NULL parameters.
Bytes Algorithm(std::string_view dotted);

struct Element {
  uint8_t tag = 0;
  std::span<const uint8_t> whole;  // tag, length and value
  std::span<const uint8_t> value;
};

// Reads the elements of one level, one after the other.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes) : rest_(bytes) {}
  bool AtEnd() const { return rest_.empty(); }
  Element Next();
  // The next element, which must carry the tag.
  Element Next(uint8_t tag);

 private:
  std::span<const uint8_t> rest_;
};

// The dotted form of an OID element's value.
std::string OidText(std::span<const uint8_t> value);

}  // namespace package_tool::der
