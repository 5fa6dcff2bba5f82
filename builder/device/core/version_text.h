#pragma once
// The about box's version text, built from a version resource's fields.
#include <cstdint>
#include <string>
#include <string_view>

namespace builder::device {

inline constexpr size_t kVersionTextMaxChars = 49;
inline constexpr uint32_t kSpecialBuildFlag = 0x20;
inline constexpr char kVersionErrorText[] = "ver error";

// The fixed file information's file version, most significant part first.
struct FileVersion {
  uint32_t mostSignificant = 0;
  uint32_t leastSignificant = 0;
};

// "v1.2.3 Build 4 " followed by the special-build text, cut at 49 characters.
std::string FormatVersionText(const FileVersion& version, std::string_view specialBuild);

// "\StringFileInfo\<language><code page>\SpecialBuild", both in 4 hex digits.
std::string SpecialBuildQuery(uint16_t language, uint16_t codePage);

}  // namespace builder::device
