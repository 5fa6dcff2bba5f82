#pragma once
// How the modules reach the core library. Every function of the reviewed
// table gets an ARM-state thunk under its own name, in a section of its own,
// that jumps through its import address table slot kSlotPrefix + name, in a
// section of its own under kSlotSectionPrefix. The linker drops what no code
// calls (--gc-sections); the slots left are the image's import address table.
#include <string>

#include "ce_image_tool/ordinal_table.h"

namespace ce_image_tool {

inline constexpr char kSlotPrefix[] = "__imp_";
inline constexpr char kSlotSectionPrefix[] = ".iat.";

// The thunks as GNU assembler source for the ARM build.
std::string ImportThunkSource(const OrdinalTable& table);

}  // namespace ce_image_tool
