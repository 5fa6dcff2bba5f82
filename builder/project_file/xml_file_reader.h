#pragma once
#include <optional>
#include <string>

#include "builder/project_file/parse_error_report.h"
#include "builder/project_file/xml_element.h"

namespace builder::project_file {

// A file read through the MSXML document model: its root element with the
// root's child elements, or, when it does not parse, the parser's account.
struct XmlFileContent {
  std::optional<XmlElement> root;
  std::optional<ParseErrorRecord> error;
};

// The calling thread has initialised the component model.
XmlFileContent LoadXmlFile(const std::string& path);

}  // namespace builder::project_file
