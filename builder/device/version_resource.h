#pragma once
#include <string>

namespace builder::device {

enum class VersionSource {
  Builder = 0,  // the builder's own program file
  Engine = 1,   // pocketpc\arm\brindlecove.exe below the builder's folder
};

// The file's version text ("v1.4.2 Build 118 ", plus its special-build text),
// or empty when the file has no readable version resource.
std::string GetVersionText(VersionSource source);

}  // namespace builder::device
