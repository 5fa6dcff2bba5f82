#include "framework/data_exchange.h"

#include "framework/integer_text.h"
#include "framework/message_box.h"
#include "support/window_text.h"

namespace framework {

HWND DataExchange::Prepare(int id, bool isEdit) {
  lastControl_ = GetDlgItem(dialog_, id);
  lastIsEdit_ = isEdit;
  return lastControl_;
}

void DataExchange::Fail() {
  if (lastControl_) {
    SetFocus(lastControl_);
    if (lastIsEdit_) SendMessageA(lastControl_, EM_SETSEL, 0, -1);
  }
  throw DataExchangeFailure{};
}

void DataExchange::Text(int id, std::string& value) {
  HWND control = Prepare(id, true);
  if (saving_) {
    value = support::WindowText(control);
  } else {
    SetWindowTextA(control, value.c_str());
  }
}

void DataExchange::Integer(int id, int32_t& value) {
  HWND control = Prepare(id, true);
  if (!saving_) {
    SetWindowTextA(control, FormatDecimal(value).c_str());
    return;
  }
  const auto parsed = ParseDialogInteger(support::WindowText(control));
  if (!parsed) {
    FrameworkMessageBox("Please enter an integer.");
    Fail();
  }
  value = *parsed;
}

void DataExchange::Check(int id, int32_t& value) {
  HWND control = Prepare(id, false);
  if (saving_) {
    value = static_cast<int32_t>(SendMessageA(control, BM_GETCHECK, 0, 0));
    return;
  }
  if (value < 0 || value > 2) value = 0;
  SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DataExchange::MaxChars(const std::string& value, int count) {
  if (!saving_) {
    if (lastControl_) SendMessageA(lastControl_, EM_LIMITTEXT, static_cast<WPARAM>(count), 0);
    return;
  }
  if (value.size() > static_cast<size_t>(count)) {
    std::string message = "Please enter no more than %1 characters.";
    message.replace(message.find("%1"), 2, FormatDecimal(count));
    FrameworkMessageBox(message);
    Fail();
  }
}

}  // namespace framework
