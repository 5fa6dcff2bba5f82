#pragma once
// Win32 resources in their two encodings, from this one description: the
// compiled resource file (.res) that a resource compiler writes and bcimage
// reads, and the resource section (.rsrc) that bcimage writes into a CE
// image and a loader reads. Numbers are little-endian.
//
// .res: one record after the other, each at a multiple of 4:
//   u32 data size, u32 header size (from the record's start to its data),
//   the type, then the name, each either kIdMarker and a u16 id or a
//   zero-ended UTF-16 name, padded to 4; u32 data version, u16 memory flags,
//   u16 language, u32 version, u32 characteristics; then the data, padded
//   to 4. The file starts with an empty record (type and name id 0).
//
// .rsrc: a tree of three levels (type, name, language). Each directory is
// kDirectorySize bytes, its name and id entry counts at kNamedCountAt and
// kIdCountAt, followed by its entries (kEntrySize: u32 name or id, u32
// offset), those with names first, sorted by name, then those with ids,
// sorted by id. kNameIsString in the first word: the low bits are the offset
// of the name (u16 length and UTF-16 units, no zero); kOffsetIsDirectory in
// the second: the low bits are the offset of a subdirectory, else of a data
// entry (kDataEntrySize: u32 RVA of the data, u32 size, u32 code page, u32
// reserved). Offsets are from the section's start; the data's address is an
// RVA.
#include <cstdint>

namespace platform::win32_resources {

// .res
inline constexpr uint16_t kIdMarker = 0xFFFF;
inline constexpr uint32_t kRecordAlignment = 4;
inline constexpr uint32_t kRecordSizesSize = 8;     // data size and header size
inline constexpr uint32_t kRecordTrailerSize = 16;  // data version to characteristics
inline constexpr uint32_t kRecordLanguageAt = 6;    // within the trailer

// .rsrc
inline constexpr uint32_t kDirectorySize = 16;
inline constexpr uint32_t kNamedCountAt = 12;
inline constexpr uint32_t kIdCountAt = 14;
inline constexpr uint32_t kEntrySize = 8;
inline constexpr uint32_t kDataEntrySize = 16;
inline constexpr uint32_t kNameIsString = 0x80000000;
inline constexpr uint32_t kOffsetIsDirectory = 0x80000000;
inline constexpr uint32_t kDataAlignment = 8;

// The version resource: type RT_VERSION, name 1.
inline constexpr uint16_t kVersionType = 16;

}  // namespace platform::win32_resources
