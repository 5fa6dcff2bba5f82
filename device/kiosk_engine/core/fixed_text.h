#pragma once
// Text in a fixed buffer, for an engine that runs without the C++ runtime: it
// takes what fits, always stays terminated and says whether anything was cut.
#include <cstddef>

namespace device::kiosk_engine {

template <typename Char, std::size_t Capacity>
class FixedText {
 public:
  FixedText& Append(const Char* text, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) Put(text[i]);
    return *this;
  }
  FixedText& Append(const Char* text) {
    while (*text != Char{}) Put(*text++);
    return *this;
  }
  FixedText& AppendNumber(unsigned value) {
    Char digits[10];
    std::size_t count = 0;
    do {
      digits[count++] = static_cast<Char>('0' + value % 10);
      value /= 10;
    } while (value != 0);
    while (count > 0) Put(digits[--count]);
    return *this;
  }

  const Char* Get() const { return text_; }
  std::size_t Size() const { return size_; }
  // False once something did not fit.
  bool Whole() const { return whole_; }

 private:
  void Put(Char c) {
    if (size_ + 1 < Capacity) {
      text_[size_++] = c;
      text_[size_] = Char{};
    } else {
      whole_ = false;
    }
  }

  Char text_[Capacity] = {};
  std::size_t size_ = 0;
  bool whole_ = true;
};

}  // namespace device::kiosk_engine
