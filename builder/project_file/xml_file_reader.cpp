#include "builder/project_file/xml_file_reader.h"

#include <msxml2.h>
#include <shlwapi.h>

#include "builder/project_file/com_support.h"
#include "builder/project_file/msxml_classes.h"
#include "builder/project_file/parse_error_locator.h"
#include "support/files.h"

namespace builder::project_file {

namespace {

HRESULT CreateDocument(ComPtr<IXMLDOMDocument>& document) {
  const HRESULT result =
      CoCreateInstance(kDomDocumentClass, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument, &document);
  if (FAILED(result)) return result;
  // A project file is read as it stands: no external entities or schemas are fetched.
  document->put_async(VARIANT_FALSE);
  document->put_validateOnParse(VARIANT_FALSE);
  document->put_resolveExternals(VARIANT_FALSE);
  return S_OK;
}

bool Load(IXMLDOMDocument* document, const std::string& fullPath) {
  ComPtr<IStream> stream;
  if (FAILED(SHCreateStreamOnFileA(fullPath.c_str(), STGM_READ | STGM_SHARE_DENY_WRITE, &stream))) return false;
  VARIANT source;
  VariantInit(&source);
  source.vt = VT_UNKNOWN;
  source.punkVal = stream.Get();
  VARIANT_BOOL loaded = VARIANT_FALSE;
  return SUCCEEDED(document->load(source, &loaded)) && loaded == VARIANT_TRUE;
}

std::u16string NodeName(IXMLDOMNode* node) {
  Bstr name;
  node->get_nodeName(name.Receive());
  return name.Text();
}

// The element's name and attributes; its children are left to the caller.
XmlElement ElementOf(IXMLDOMNode* node) {
  XmlElement element{NodeName(node), {}, {}};
  ComPtr<IXMLDOMNamedNodeMap> attributes;
  long count = 0;
  if (FAILED(node->get_attributes(&attributes)) || !attributes || FAILED(attributes->get_length(&count))) {
    return element;
  }
  for (long i = 0; i < count; ++i) {
    ComPtr<IXMLDOMNode> attribute;
    Variant value;
    if (FAILED(attributes->get_item(i, &attribute)) || !attribute ||
        FAILED(attribute->get_nodeValue(value.Receive())) || !value.IsString()) {
      continue;
    }
    element.AddAttribute(NodeName(attribute.Get()), value.Text());
  }
  return element;
}

bool IsElement(IXMLDOMNode* node) {
  DOMNodeType type = NODE_INVALID;
  return SUCCEEDED(node->get_nodeType(&type)) && type == NODE_ELEMENT;
}

// Only the root's own children matter, however deep the file nests.
XmlElement RootOf(IXMLDOMElement* rootElement) {
  XmlElement root = ElementOf(rootElement);
  ComPtr<IXMLDOMNode> child;
  rootElement->get_firstChild(&child);
  while (child) {
    if (IsElement(child.Get())) root.children.push_back(ElementOf(child.Get()));
    ComPtr<IXMLDOMNode> next;
    if (FAILED(child->get_nextSibling(&next))) break;
    child = next;
  }
  return root;
}

}  // namespace

XmlFileContent LoadXmlFile(const std::string& path) {
  const std::string fullPath = support::FullPath(path);
  ComPtr<IXMLDOMDocument> document;
  if (FAILED(CreateDocument(document))) return {};
  if (!Load(document.Get(), fullPath)) return {std::nullopt, DescribeParseError(document.Get(), fullPath)};
  ComPtr<IXMLDOMElement> root;
  if (FAILED(document->get_documentElement(&root)) || !root) return {};
  return {RootOf(root.Get()), std::nullopt};
}

}  // namespace builder::project_file
