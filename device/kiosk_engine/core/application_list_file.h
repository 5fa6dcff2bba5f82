#pragma once
#include <cstddef>

#include "device/kiosk_engine/core/fixed_text.h"

namespace device::kiosk_engine {

// A piece of set.alf's content; it points into the text read.
struct TextSpan {
  const char* text = nullptr;
  std::size_t size = 0;
  bool operator==(const char* other) const;
};

// One record of set.alf: the package's list of allowed applications.
struct AllowedApplication {
  bool autolaunch = false;
  bool hideInKioskDesktop = false;
  TextSpan displayName;
  TextSpan path;
  TextSpan params;
};

// Records of five fields, each field ended by ';', no line ends. A ';' inside
// a text is not escaped, so it shifts the fields after it; an unfinished last
// record is dropped.
class ApplicationListReader {
 public:
  ApplicationListReader(const char* content, std::size_t size) : rest_(content), restSize_(size) {}
  // The next whole record; false when none is left.
  bool Next(AllowedApplication& application);

 private:
  const char* rest_;
  std::size_t restSize_;
};

// One line of the kiosk screen: "label - path params", with "(auto)" and
// "(hidden)" marks; a longer line is cut.
inline constexpr std::size_t kDescriptionSize = 600;
using ApplicationDescription = FixedText<char, kDescriptionSize>;
ApplicationDescription DescribeApplication(const AllowedApplication& application);

}  // namespace device::kiosk_engine
