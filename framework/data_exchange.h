#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace framework {

// Thrown by a failed validation; the dialog's UpdateData catches it.
struct DataExchangeFailure {};

// Dialog data exchange in one direction: pushing fields into controls, or
// pulling and validating them (saving). A failure shows the framework's
// message, focuses the control and selects its text, and stops the exchange.
class DataExchange {
 public:
  DataExchange(HWND dialog, bool saveAndValidate) : dialog_(dialog), saving_(saveAndValidate) {}

  bool Saving() const { return saving_; }
  void Text(int id, std::string& value);
  void Integer(int id, int32_t& value);
  void Check(int id, int32_t& value);
  // Caps the text of the last exchanged edit control at count characters.
  void MaxChars(const std::string& value, int count);

 private:
  HWND Prepare(int id, bool isEdit);
  [[noreturn]] void Fail();

  HWND dialog_;
  bool saving_;
  HWND lastControl_ = nullptr;
  bool lastIsEdit_ = false;
};

}  // namespace framework
