#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace builder::project_file {

// One attribute of an element, in document order. Values are 16-bit text, as
// the XML component hands them over.
struct XmlAttribute {
  std::u16string name;
  std::u16string value;

  bool operator==(const XmlAttribute&) const = default;
};

// An element with its attributes and child elements, both in document order.
// Text, comments and processing instructions are not kept.
struct XmlElement {
  std::u16string name;
  std::vector<XmlAttribute> attributes;
  std::vector<XmlElement> children;

  // The value of the attribute with exactly this name, or null.
  const std::u16string* FindAttribute(std::u16string_view attributeName) const;
  void AddAttribute(std::u16string attributeName, std::u16string value);

  bool operator==(const XmlElement&) const = default;
};

}  // namespace builder::project_file
