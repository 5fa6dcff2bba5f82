#pragma once
#include <windows.h>

#include <string>

namespace framework {

class DataExchange;

// One entry of a dialog's message table: a notification from a control,
// bound to a member handler of the dialog class T.
template <class T>
struct CommandBinding {
  WORD notifyCode;
  WORD controlId;
  void (T::*handler)();
};

// Modal dialog built from a numbered dialog resource of the program.
class Dialog {
 public:
  explicit Dialog(int resourceId, HWND parent = nullptr);
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  INT_PTR DoModal();
  HWND Hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

  // Moves data between the controls and the member fields; false when a value
  // failed its validation (its message has been shown and its control focused).
  bool UpdateData(bool saveAndValidate);
  void EndDialog(int result);

  void SetItemText(int id, const std::string& text);
  void EnableItem(int id, bool enable);

 protected:
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(DataExchange&) {}
  // Sees every command before the message table does; true stops the routing.
  virtual bool PreRouteCommand(WPARAM, LPARAM) { return false; }
  // The dialog class's message table.
  virtual bool DispatchCommand(WORD, WORD) { return false; }
  // Messages other than commands; set handled to take one.
  virtual INT_PTR OnMessage(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
  }

  template <class T, size_t N>
  static bool Dispatch(T* self, const CommandBinding<T> (&table)[N], WORD code, WORD id) {
    for (const auto& binding : table) {
      if (binding.controlId == id && binding.notifyCode == code) {
        (self->*binding.handler)();
        return true;
      }
    }
    return false;
  }

 private:
  static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
  INT_PTR HandleMessage(UINT, WPARAM, LPARAM);
  void RouteCommand(WPARAM, LPARAM);

  int resourceId_;
  HWND parent_;
  HWND hwnd_ = nullptr;
  bool exchanging_ = false;
};

}  // namespace framework
