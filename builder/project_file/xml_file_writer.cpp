#include "builder/project_file/xml_file_writer.h"

#include <msxml2.h>

#include "builder/project_file/com_support.h"
#include "builder/project_file/msxml_classes.h"

namespace builder::project_file {

namespace {

HRESULT CreateDocument(ComPtr<IXMLDOMDocument>& document) {
  ComPtr<IUnknown> unknown;
  const HRESULT result = CoCreateInstance(kDomDocumentClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER |
                                          CLSCTX_LOCAL_SERVER, IID_IUnknown, &unknown);
  if (FAILED(result)) return result;
  return unknown->QueryInterface(IID_IXMLDOMDocument, &document);
}

HRESULT AttachAttribute(IXMLDOMDocument* document, IXMLDOMElement* element, const XmlAttribute& attribute) {
  ComPtr<IXMLDOMAttribute> node;
  HRESULT result = document->createAttribute(Bstr(attribute.name).Get(), &node);
  if (FAILED(result)) return result;
  const Bstr value(attribute.value);
  node->put_nodeValue(value.AsVariant());  // An attribute without its value is still attached.
  ComPtr<IXMLDOMNamedNodeMap> attributes;
  result = element->get_attributes(&attributes);
  if (FAILED(result)) return result;
  ComPtr<IXMLDOMNode> replaced;
  return attributes->setNamedItem(node.Get(), &replaced);
}

HRESULT AppendChild(IXMLDOMDocument* document, IXMLDOMElement* parent, const XmlElement& child) {
  ComPtr<IXMLDOMElement> element;
  HRESULT result = document->createElement(Bstr(child.name).Get(), &element);
  if (FAILED(result)) return result;
  for (const auto& attribute : child.attributes) {
    result = AttachAttribute(document, element.Get(), attribute);
    if (FAILED(result)) return result;
  }
  ComPtr<IXMLDOMNode> appended;
  return parent->appendChild(element.Get(), &appended);
}

HRESULT BuildDocument(IXMLDOMDocument* document, const XmlElement& root) {
  ComPtr<IXMLDOMElement> element;
  HRESULT result = document->createElement(Bstr(root.name).Get(), &element);
  if (FAILED(result)) return result;
  for (const auto& attribute : root.attributes) {
    const Bstr value(attribute.value);
    result = element->setAttribute(Bstr(attribute.name).Get(), value.AsVariant());
    if (FAILED(result)) return result;
  }
  for (const auto& child : root.children) {
    result = AppendChild(document, element.Get(), child);
    if (FAILED(result)) return result;
  }
  ComPtr<IXMLDOMNode> appended;
  return document->appendChild(element.Get(), &appended);
}

HRESULT SaveThenReplace(IXMLDOMDocument* document, const std::string& path) {
  const std::string temporary = path + ".saving";
  const Bstr temporaryPath(WidePath(temporary));
  HRESULT result = document->save(temporaryPath.AsVariant());
  if (SUCCEEDED(result) &&
      !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    result = HRESULT_FROM_WIN32(GetLastError());
  }
  if (FAILED(result)) DeleteFileA(temporary.c_str());
  return result;
}

}  // namespace

HRESULT SaveXmlFile(const XmlElement& root, const std::string& path) {
  ComPtr<IXMLDOMDocument> document;
  HRESULT result = CreateDocument(document);
  if (FAILED(result)) return result;
  result = BuildDocument(document.Get(), root);
  if (FAILED(result)) return result;
  return SaveThenReplace(document.Get(), path);
}

}  // namespace builder::project_file
