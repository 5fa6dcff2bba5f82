#include "builder/project_file/com_support.h"

#include "support/text.h"

namespace builder::project_file {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "BSTR characters are 16-bit");

namespace {

std::u16string TextOf(BSTR text) {
  if (!text) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

}  // namespace

Bstr::Bstr(std::u16string_view text)
    : value_(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()))) {}

BSTR* Bstr::Receive() {
  SysFreeString(value_);
  value_ = nullptr;
  return &value_;
}

std::u16string Bstr::Text() const { return TextOf(value_); }

VARIANT Bstr::AsVariant() const {
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = VT_BSTR;
  variant.bstrVal = value_;
  return variant;
}

std::u16string Variant::Text() const { return IsString() ? TextOf(value_.bstrVal) : std::u16string(); }

std::u16string WidePath(const std::string& path) {
  const std::wstring wide = support::Widen(path);
  return std::u16string(wide.begin(), wide.end());
}

}  // namespace builder::project_file
