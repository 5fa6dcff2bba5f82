#include "package_tool/der.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace package_tool::der {
namespace {

constexpr size_t kMaxLengthOctets = 4;

void AppendLength(Bytes& out, size_t length) {
  if (length < 0x80) {
    out.push_back(static_cast<uint8_t>(length));
    return;
  }
  Bytes octets;
  for (; length > 0; length >>= 8) octets.insert(octets.begin(), static_cast<uint8_t>(length));
  out.push_back(static_cast<uint8_t>(0x80 | octets.size()));
  out.insert(out.end(), octets.begin(), octets.end());
}

void AppendBase128(Bytes& out, uint64_t value) {
  Bytes groups{static_cast<uint8_t>(value & 0x7F)};
  for (value >>= 7; value > 0; value >>= 7) groups.insert(groups.begin(), static_cast<uint8_t>(0x80 | (value & 0x7F)));
  out.insert(out.end(), groups.begin(), groups.end());
}

// DER's order of SET OF members: by their encodings as octet strings.
bool EncodedBefore(const Bytes& a, const Bytes& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (a[i] != b[i]) return a[i] < b[i];
  }
  return a.size() < b.size();
}

[[noreturn]] void Malformed(const char* what) { throw std::runtime_error(std::string("malformed signature: ") + what); }

}  // namespace

Bytes Tlv(uint8_t tag, std::span<const uint8_t> value) {
  Bytes out{tag};
  AppendLength(out, value.size());
  out.insert(out.end(), value.begin(), value.end());
  return out;
}

Bytes Sequence(const std::vector<Bytes>& parts) {
  Bytes value;
  for (const Bytes& part : parts) value.insert(value.end(), part.begin(), part.end());
  return Tlv(kSequence, value);
}

Bytes SetOf(std::vector<Bytes> members) {
  std::sort(members.begin(), members.end(), EncodedBefore);
  Bytes set = Sequence(members);
  set.front() = kSet;
  return set;
}

Bytes Oid(std::string_view dotted) {
  std::vector<uint64_t> arcs;
  for (size_t start = 0; start <= dotted.size();) {
    size_t dot = std::min(dotted.find('.', start), dotted.size());
    uint64_t arc = 0;
    auto [end, error] = std::from_chars(dotted.data() + start, dotted.data() + dot, arc);
    if (error != std::errc() || end != dotted.data() + dot) throw std::invalid_argument("bad OID");
    arcs.push_back(arc);
    start = dot + 1;
  }
  if (arcs.size() < 2) throw std::invalid_argument("bad OID");
  Bytes value;
  AppendBase128(value, arcs[0] * 40 + arcs[1]);
  for (size_t i = 2; i < arcs.size(); ++i) AppendBase128(value, arcs[i]);
  return Tlv(kOid, value);
}

Bytes SmallInteger(uint8_t value) {
  Bytes octets{value};
  if (value & 0x80) octets.insert(octets.begin(), 0);
  return Tlv(kInteger, octets);
}

Bytes Null() { return {kNull, 0}; }

Bytes BmpOctets(std::u16string_view text) {
  Bytes out;
  for (char16_t unit : text) {
    out.push_back(static_cast<uint8_t>(unit >> 8));
    out.push_back(static_cast<uint8_t>(unit));
  }
  return out;
}

Bytes Algorithm(std::string_view dotted) { return Sequence({Oid(dotted), Null()}); }

Element Reader::Next() {
  if (rest_.size() < 2) Malformed("truncated element");
  size_t length = rest_[1];
  size_t headerSize = 2;
  if (length & 0x80) {
    size_t octets = length & 0x7F;
    if (octets == 0 || octets > kMaxLengthOctets) Malformed("unsupported length");
    if (rest_.size() < 2 + octets) Malformed("truncated length");
    length = 0;
    for (size_t i = 0; i < octets; ++i) length = length << 8 | rest_[2 + i];
    headerSize += octets;
  }
  if (length > rest_.size() - headerSize) Malformed("element longer than its container");
  Element element{rest_[0], rest_.first(headerSize + length), rest_.subspan(headerSize, length)};
  rest_ = rest_.subspan(headerSize + length);
  return element;
}

Element Reader::Next(uint8_t tag) {
  Element element = Next();
  if (element.tag != tag) Malformed("unexpected element");
  return element;
}

std::string OidText(std::span<const uint8_t> value) {
  std::string text;
  uint64_t arc = 0;
  bool first = true;
  for (uint8_t octet : value) {
    if (arc > (UINT64_MAX >> 7)) Malformed("OID arc too large");
    arc = arc << 7 | (octet & 0x7F);
    if (octet & 0x80) continue;
    if (first) {
      uint64_t top = arc < 80 ? arc / 40 : 2;
      text = std::to_string(top);
      arc -= top * 40;
      first = false;
    }
    text += '.';
    text += std::to_string(arc);
    arc = 0;
  }
  if (first || (!value.empty() && (value.back() & 0x80))) Malformed("truncated OID");
  return text;
}

}  // namespace package_tool::der
