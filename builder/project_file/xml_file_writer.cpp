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

HRESULT SetAttribute(IXMLDOMDocument*, IXMLDOMElement* element, const XmlAttribute& attribute) {
  const Bstr value(attribute.value);
  return element->setAttribute(Bstr(attribute.name).Get(), value.AsVariant());
}

// How an element takes its attributes: the root through setAttribute, the
// elements below it as attribute nodes of their own (AttachAttribute).
using AttributeWriter = HRESULT (*)(IXMLDOMDocument*, IXMLDOMElement*, const XmlAttribute&);

// Creates the element with its attributes and children and appends it to parent.
HRESULT AppendElement(IXMLDOMDocument* document, IXMLDOMNode* parent, const XmlElement& source,
                      AttributeWriter writeAttribute) {
  ComPtr<IXMLDOMElement> element;
  HRESULT result = document->createElement(Bstr(source.name).Get(), &element);
  if (FAILED(result)) return result;
  for (const auto& attribute : source.attributes) {
    result = writeAttribute(document, element.Get(), attribute);
    if (FAILED(result)) return result;
  }
  for (const auto& child : source.children) {
    result = AppendElement(document, element.Get(), child, AttachAttribute);
    if (FAILED(result)) return result;
  }
  ComPtr<IXMLDOMNode> appended;
  return parent->appendChild(element.Get(), &appended);
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
  result = AppendElement(document.Get(), document.Get(), root, SetAttribute);
  if (FAILED(result)) return result;
  return SaveThenReplace(document.Get(), path);
}

}  // namespace builder::project_file
