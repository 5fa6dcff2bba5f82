#include "standins/rapi_wire/wire_format.h"

namespace standins::rapi_wire {

Writer& Writer::U32(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) data_.push_back(static_cast<uint8_t>(value >> shift));
  return *this;
}

Writer& Writer::U64(uint64_t value) {
  U32(static_cast<uint32_t>(value));
  return U32(static_cast<uint32_t>(value >> 32));
}

Writer& Writer::Text(const std::u16string& text) {
  U32(static_cast<uint32_t>(text.size()));
  for (char16_t unit : text) {
    data_.push_back(static_cast<uint8_t>(unit));
    data_.push_back(static_cast<uint8_t>(unit >> 8));
  }
  return *this;
}

Writer& Writer::Blob(const uint8_t* data, uint32_t size) {
  U32(size);
  if (size > 0) data_.insert(data_.end(), data, data + size);
  return *this;
}

bool Reader::Take(size_t count) {
  if (!ok_ || data_.size() - offset_ < count) {
    ok_ = false;
    return false;
  }
  offset_ += count;
  return true;
}

uint32_t Reader::U32() {
  if (!Take(4)) return 0;
  const uint8_t* p = data_.data() + offset_ - 4;
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint64_t Reader::U64() {
  const uint64_t low = U32();
  const uint64_t high = U32();
  return ok_ ? (high << 32) | low : 0;
}

std::u16string Reader::Text() {
  const uint32_t units = U32();
  if (units > kMaxFrameSize / 2) ok_ = false;
  if (!Take(size_t{units} * 2)) return {};
  const uint8_t* p = data_.data() + offset_ - size_t{units} * 2;
  std::u16string text(units, u'\0');
  for (uint32_t i = 0; i < units; ++i) text[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
  return text;
}

Bytes Reader::Blob() {
  const uint32_t size = U32();
  if (!Take(size)) return {};
  const auto begin = data_.begin() + static_cast<std::ptrdiff_t>(offset_ - size);
  return Bytes(begin, begin + size);
}

Bytes EncodeResponse(const Response& response) {
  Writer writer;
  writer.U32(static_cast<uint32_t>(response.status)).U32(response.lastError);
  Bytes frame = writer.Data();
  frame.insert(frame.end(), response.fields.begin(), response.fields.end());
  return frame;
}

std::optional<Response> DecodeResponse(const Bytes& frame) {
  Reader reader(frame);
  Response response;
  response.status = static_cast<int32_t>(reader.U32());
  response.lastError = reader.U32();
  if (!reader.Ok()) return std::nullopt;
  response.fields.assign(frame.begin() + 8, frame.end());
  return response;
}

uint32_t MaxInvokeInput(const std::u16string& library, const std::u16string& function) {
  const size_t overhead = 4 + (4 + 2 * library.size()) + (4 + 2 * function.size()) + 4;
  return overhead >= kMaxFrameSize ? 0 : static_cast<uint32_t>(kMaxFrameSize - overhead);
}

std::optional<uint16_t> ParsePort(const std::string& text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint32_t>(c - '0');
  }
  if (value > 65535) return std::nullopt;
  return static_cast<uint16_t>(value);
}

uint16_t DevicePort(const char* setting) {
  const auto port = setting ? ParsePort(setting) : std::nullopt;
  return port && *port != 0 ? *port : kDefaultPort;
}

namespace {

void PutU16(Bytes& bytes, uint16_t value) {
  bytes.push_back(static_cast<uint8_t>(value));
  bytes.push_back(static_cast<uint8_t>(value >> 8));
}

uint16_t GetU16(const Bytes& bytes, size_t at) { return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8)); }

}  // namespace

Bytes EncodeSystemInfo(const DeviceSystemInfo& info) {
  Bytes bytes;
  PutU16(bytes, info.processorArchitecture);
  PutU16(bytes, info.reserved);
  Writer words;
  words.U32(info.pageSize).U32(info.minimumApplicationAddress).U32(info.maximumApplicationAddress);
  words.U32(info.activeProcessorMask).U32(info.numberOfProcessors).U32(info.processorType);
  words.U32(info.allocationGranularity);
  bytes.insert(bytes.end(), words.Data().begin(), words.Data().end());
  PutU16(bytes, info.processorLevel);
  PutU16(bytes, info.processorRevision);
  return bytes;
}

std::optional<DeviceSystemInfo> DecodeSystemInfo(const Bytes& bytes) {
  if (bytes.size() != kDeviceSystemInfoSize) return std::nullopt;
  DeviceSystemInfo info;
  info.processorArchitecture = GetU16(bytes, 0);
  info.reserved = GetU16(bytes, 2);
  const Bytes wordBytes(bytes.begin() + 4, bytes.begin() + 32);
  Reader words(wordBytes);
  info.pageSize = words.U32();
  info.minimumApplicationAddress = words.U32();
  info.maximumApplicationAddress = words.U32();
  info.activeProcessorMask = words.U32();
  info.numberOfProcessors = words.U32();
  info.processorType = words.U32();
  info.allocationGranularity = words.U32();
  info.processorLevel = GetU16(bytes, 32);
  info.processorRevision = GetU16(bytes, 34);
  return info;
}

}  // namespace standins::rapi_wire
