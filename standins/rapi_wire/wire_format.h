#pragma once
// The loopback protocol between rapi.dll and the emulated device. Every
// message is one frame: a 32-bit little-endian length, then that many bytes.
// A request frame holds an operation code and its fields; a response frame
// holds the HRESULT, the device's last error and the operation's fields.
// Fields: u32 and u64 little-endian; text as a u32 count of UTF-16 units and
// the units; a blob as a u32 byte count and the bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace standins::rapi_wire {

inline constexpr uint16_t kDefaultPort = 27990;
inline constexpr uint32_t kMaxFrameSize = 64u << 20;

enum class Operation : uint32_t {
  Hello = 1,          // the caller's RAPIINIT cbSize u32 -> (nothing)
  Invoke = 2,         // dll text, function text, input blob -> output blob
  CreateFile = 3,     // path text, access, share, creation, flags -> handle u64
  WriteFile = 4,      // handle u64, data blob -> written u32
  CloseHandle = 5,    // handle u64 -> (nothing)
  CreateProcess = 6,  // application text, command line text, flags -> process u64, thread u64, pid, tid
  Note = 7,           // text -> (nothing): a call the desktop refused, for the device's call log
  GetSystemInfo = 8,  // (nothing) -> the device's SYSTEM_INFO blob (DeviceSystemInfo)
};

using Bytes = std::vector<uint8_t>;

class Writer {
 public:
  Writer& U32(uint32_t value);
  Writer& U64(uint64_t value);
  Writer& Text(const std::u16string& text);
  Writer& Blob(const uint8_t* data, uint32_t size);
  Writer& Blob(const Bytes& data) { return Blob(data.data(), static_cast<uint32_t>(data.size())); }
  const Bytes& Data() const { return data_; }

 private:
  Bytes data_;
};

// Reads fields in order; any read past the end makes Ok() false for good and
// yields zero or empty values, so a short frame never reads out of bounds.
class Reader {
 public:
  explicit Reader(const Bytes& data) : data_(data) {}
  uint32_t U32();
  uint64_t U64();
  std::u16string Text();
  Bytes Blob();
  bool Ok() const { return ok_; }
  bool AtEnd() const { return offset_ == data_.size(); }

 private:
  bool Take(size_t count);

  const Bytes& data_;
  size_t offset_ = 0;
  bool ok_ = true;
};

struct Response {
  int32_t status = 0;
  uint32_t lastError = 0;
  Bytes fields;
};

Bytes EncodeResponse(const Response& response);
std::optional<Response> DecodeResponse(const Bytes& frame);

// The largest input an Invoke request can carry for these names: what is
// left of a frame after the operation code and the fields' own sizes.
uint32_t MaxInvokeInput(const std::u16string& library, const std::u16string& function);

// CeGetSystemInfo's answer as the device holds it: SYSTEM_INFO in the
// device's 32-bit layout, 36 bytes, whatever the desktop's pointer size.
struct DeviceSystemInfo {
  uint16_t processorArchitecture = 0;
  uint16_t reserved = 0;
  uint32_t pageSize = 0;
  uint32_t minimumApplicationAddress = 0;
  uint32_t maximumApplicationAddress = 0;
  uint32_t activeProcessorMask = 0;
  uint32_t numberOfProcessors = 0;
  uint32_t processorType = 0;
  uint32_t allocationGranularity = 0;
  uint16_t processorLevel = 0;
  uint16_t processorRevision = 0;
};
inline constexpr size_t kDeviceSystemInfoSize = 36;

Bytes EncodeSystemInfo(const DeviceSystemInfo& info);
// Nothing unless the bytes are exactly one record.
std::optional<DeviceSystemInfo> DecodeSystemInfo(const Bytes& bytes);

// A port number in decimal digits (0 to 65535); nothing for anything else.
std::optional<uint16_t> ParsePort(const std::string& text);
// The device's port from a BC_DEVICE_PORT value (null when unset); the
// default when it is unset, not a port, or 0.
uint16_t DevicePort(const char* setting);

}  // namespace standins::rapi_wire
