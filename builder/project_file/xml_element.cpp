#include "builder/project_file/xml_element.h"

namespace builder::project_file {

const std::u16string* XmlElement::FindAttribute(std::u16string_view attributeName) const {
  for (const auto& attribute : attributes) {
    if (attribute.name == attributeName) return &attribute.value;
  }
  return nullptr;
}

void XmlElement::AddAttribute(std::u16string attributeName, std::u16string value) {
  attributes.push_back({std::move(attributeName), std::move(value)});
}

}  // namespace builder::project_file
