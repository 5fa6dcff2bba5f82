#include "device/kiosk_engine/core/application_list_file.h"

namespace device::kiosk_engine {

namespace {

constexpr char kFieldEnd = ';';
constexpr std::size_t kFieldsPerRecord = 5;

}  // namespace

bool TextSpan::operator==(const char* other) const {
  std::size_t i = 0;
  for (; i < size; ++i) {
    if (other[i] != text[i] || other[i] == '\0') return false;
  }
  return other[i] == '\0';
}

bool ApplicationListReader::Next(AllowedApplication& application) {
  TextSpan fields[kFieldsPerRecord];
  const char* at = rest_;
  std::size_t left = restSize_;
  for (TextSpan& field : fields) {
    std::size_t length = 0;
    while (length < left && at[length] != kFieldEnd) ++length;
    if (length == left) return false;
    field = {at, length};
    at += length + 1;
    left -= length + 1;
  }
  rest_ = at;
  restSize_ = left;
  application = {fields[0] == "1", fields[1] == "1", fields[2], fields[3], fields[4]};
  return true;
}

}  // namespace device::kiosk_engine
