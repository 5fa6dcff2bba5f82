#pragma once
#include <cstddef>

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

// The most of set.alf that is read: the engine reads it into a buffer of this
// size, and the reader looks at no more, so a record that runs past it is
// unfinished.
inline constexpr std::size_t kApplicationListMaxSize = 64 * 1024;

// Records of five fields, each field ended by ';', no line ends. A ';' inside
// a text is not escaped, so it shifts the fields after it; an unfinished last
// record (a short one, or one without its final ';') is dropped.
class ApplicationListReader {
 public:
  ApplicationListReader(const char* content, std::size_t size)
      : rest_(content), restSize_(size < kApplicationListMaxSize ? size : kApplicationListMaxSize) {}
  // The next whole record; false when none is left.
  bool Next(AllowedApplication& application);

 private:
  const char* rest_;
  std::size_t restSize_;
};

}  // namespace device::kiosk_engine
