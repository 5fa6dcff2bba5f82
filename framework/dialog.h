#pragma once
#include <windows.h>

#include <span>
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

 private:
  static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
  INT_PTR HandleMessage(UINT, WPARAM, LPARAM);
  void RouteCommand(WPARAM, LPARAM);

  int resourceId_;
  HWND parent_;
  HWND hwnd_ = nullptr;
  bool exchanging_ = false;
};

// A dialog whose message table is a static table of bindings to members of
// T, the dialog class itself, handed over at construction.
template <class T>
class TableDialog : public Dialog {
 protected:
  TableDialog(int resourceId, std::span<const CommandBinding<T>> commands, HWND parent = nullptr)
      : Dialog(resourceId, parent), commands_(commands) {}

  bool DispatchCommand(WORD code, WORD id) override {
    for (const auto& binding : commands_) {
      if (binding.controlId == id && binding.notifyCode == code) {
        (static_cast<T*>(this)->*binding.handler)();
        return true;
      }
    }
    return false;
  }

 private:
  std::span<const CommandBinding<T>> commands_;
};

}  // namespace framework
