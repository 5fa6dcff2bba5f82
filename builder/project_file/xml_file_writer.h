#pragma once
#include <windows.h>

#include <string>

#include "builder/project_file/xml_element.h"

namespace builder::project_file {

// Writes the tree through the MSXML document model. It is saved beside the
// target first and then moved over it, so a failure at any step leaves the old
// file as it was. Returns the first failing step's error. The calling thread
// has initialised the component model.
HRESULT SaveXmlFile(const XmlElement& root, const std::string& path);

}  // namespace builder::project_file
