#pragma once
#include <msxml2.h>

#include <optional>
#include <string>

#include "builder/project_file/parse_error_report.h"

namespace builder::project_file {

// The account of why the document failed to load the file: the document
// model's parse error where it carries a line (MSXML on Windows), else the
// first fatal error of a SAX pass over the file (Wine's document model only
// reports that something failed).
std::optional<ParseErrorRecord> DescribeParseError(IXMLDOMDocument* document, const std::string& fullPath);

}  // namespace builder::project_file
