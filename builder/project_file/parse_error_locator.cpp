#include "builder/project_file/parse_error_locator.h"

#include <shlwapi.h>

#include "builder/project_file/com_support.h"
#include "builder/project_file/msxml_classes.h"
#include "builder/project_file/value_encoding.h"
#include "support/files.h"

namespace builder::project_file {

namespace {

// Keeps the first fatal error that the SAX reader reports.
class FirstErrorHandler final : public ISAXErrorHandler {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == kSaxErrorHandlerInterface) {
      *object = static_cast<ISAXErrorHandler*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // Lives on the caller's stack, longer than the reader holds it.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE error(ISAXLocator* locator, const wchar_t* message, HRESULT) override {
    return Keep(locator, message);
  }
  HRESULT STDMETHODCALLTYPE fatalError(ISAXLocator* locator, const wchar_t* message, HRESULT) override {
    return Keep(locator, message);
  }
  HRESULT STDMETHODCALLTYPE ignorableWarning(ISAXLocator*, const wchar_t*, HRESULT) override { return S_OK; }

  bool found = false;
  long line = 0;
  std::string message;

 private:
  HRESULT Keep(ISAXLocator* locator, const wchar_t* text) {
    if (found) return E_FAIL;
    found = true;
    int number = 0;
    if (locator && SUCCEEDED(locator->getLineNumber(&number))) line = number;
    if (text) message = BytesFromWide(reinterpret_cast<const char16_t*>(text));
    return E_FAIL;  // Stop at the first error.
  }
};

std::optional<ParseErrorRecord> FromDocumentModel(IXMLDOMDocument* document) {
  ComPtr<IXMLDOMParseError> error;
  long line = 0;
  if (FAILED(document->get_parseError(&error)) || !error || FAILED(error->get_line(&line)) || line <= 0) {
    return std::nullopt;
  }
  Bstr source;
  Bstr reason;
  error->get_srcText(source.Receive());
  error->get_reason(reason.Receive());
  return ParseErrorRecord{line, ReportText(BytesFromWide(source.Text())), ReportText(BytesFromWide(reason.Text()))};
}

std::optional<ParseErrorRecord> FromSaxPass(const std::string& fullPath) {
  ComPtr<ISAXXMLReader> reader;
  ComPtr<IStream> stream;
  if (FAILED(CoCreateInstance(kSaxReaderClass, nullptr, CLSCTX_INPROC_SERVER, kSaxReaderInterface, &reader)) ||
      FAILED(SHCreateStreamOnFileA(fullPath.c_str(), STGM_READ | STGM_SHARE_DENY_WRITE, &stream))) {
    return std::nullopt;
  }
  FirstErrorHandler handler;
  reader->putErrorHandler(&handler);
  VARIANT input;
  VariantInit(&input);
  input.vt = VT_UNKNOWN;
  input.punkVal = stream.Get();
  reader->parse(input);
  reader->putErrorHandler(nullptr);
  if (!handler.found) return std::nullopt;
  // An error before the first line was read comes with line 0.
  const long line = handler.line > 0 ? handler.line : 1;
  return ParseErrorRecord{line, ReportLineOf(support::ReadWholeFile(fullPath).value_or(""), line),
                          ReportText(handler.message)};
}

}  // namespace

std::optional<ParseErrorRecord> DescribeParseError(IXMLDOMDocument* document, const std::string& fullPath) {
  if (auto record = FromDocumentModel(document)) return record;
  return FromSaxPass(fullPath);
}

}  // namespace builder::project_file
