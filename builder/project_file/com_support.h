#pragma once
#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <string>
#include <string_view>

namespace builder::project_file {

template <class T>
using ComPtr = Microsoft::WRL::ComPtr<T>;

// The component model, initialised on this thread for the object's life;
// the user-interface thread holds one for the whole run.
class ComApartment {
 public:
  ComApartment() : result_(CoInitialize(nullptr)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

// An owned BSTR.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::u16string_view text);
  ~Bstr() { SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR Get() const { return value_; }
  // For an out parameter; frees what was held.
  BSTR* Receive();
  std::u16string Text() const;
  // A VARIANT that borrows the string.
  VARIANT AsVariant() const;

 private:
  BSTR value_ = nullptr;
};

// An owned VARIANT.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  ~Variant() { VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  VARIANT* Receive() {
    VariantClear(&value_);
    return &value_;
  }
  bool IsString() const { return value_.vt == VT_BSTR; }
  std::u16string Text() const;

 private:
  VARIANT value_;
};

// A path in the ANSI code page as 16-bit text.
std::u16string WidePath(const std::string& path);

}  // namespace builder::project_file
