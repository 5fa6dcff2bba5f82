#pragma once
// A Windows CE ARM program or library as a PE32 image: what the image tool
// writes and what the ARM import check and the emulator's loader read, from
// this one description. Numbers are little-endian; addresses in the image are
// relative to its base (RVAs) unless said otherwise.
//
//   0            DOS header: "MZ", and at kPeOffsetAt the offset of the PE header
//   kPeHeaderAt  "PE\0\0", the COFF header (kCoffHeaderSize), the optional
//                header (kOptionalHeaderSize, its directories at the end),
//                then one kSectionHeaderSize entry per section
//   sections     each at a multiple of kFileAlignment in the file and of
//                kSectionAlignment in memory
//
// Imports: kImportDescriptorSize descriptors, ended by a zero one; each
// points at its lookup table, its library's name and its import address
// table (IAT). Lookup entries with kImportByOrdinal name the function by its
// ordinal in the low 16 bits. Exports: one export directory, its address
// table, its name pointers sorted by name and their 16-bit indexes into the
// address table. Base relocations: blocks of one 4 KB page, a u32 page RVA
// and a u32 block size, then u16 entries (type << 12 | offset in the page).
#include <cstdint>

namespace platform::ce_image {

inline constexpr uint16_t kDosSignature = 0x5A4D;  // "MZ"
inline constexpr uint32_t kPeOffsetAt = 0x3C;
inline constexpr uint32_t kPeHeaderAt = 0x40;
inline constexpr uint32_t kPeSignature = 0x4550;  // "PE\0\0"
inline constexpr uint32_t kCoffHeaderSize = 20;
inline constexpr uint32_t kDirectoryCount = 16;
inline constexpr uint32_t kOptionalHeaderSize = 96 + 8 * kDirectoryCount;
inline constexpr uint32_t kSectionHeaderSize = 40;

// The COFF header, from just after the PE signature.
inline constexpr uint32_t kMachineAt = 0;
inline constexpr uint32_t kSectionCountAt = 2;
inline constexpr uint32_t kOptionalSizeAt = 16;
inline constexpr uint32_t kCharacteristicsAt = 18;

// The optional header.
inline constexpr uint32_t kMagicAt = 0;
inline constexpr uint32_t kCodeSizeAt = 4;
inline constexpr uint32_t kDataSizeAt = 8;
inline constexpr uint32_t kEntryAt = 16;
inline constexpr uint32_t kCodeBaseAt = 20;
inline constexpr uint32_t kImageBaseAt = 28;
inline constexpr uint32_t kSectionAlignmentAt = 32;
inline constexpr uint32_t kFileAlignmentAt = 36;
inline constexpr uint32_t kOsVersionAt = 40;         // u16 major, u16 minor
inline constexpr uint32_t kSubsystemVersionAt = 48;  // u16 major, u16 minor
inline constexpr uint32_t kImageSizeAt = 56;
inline constexpr uint32_t kHeadersSizeAt = 60;
inline constexpr uint32_t kSubsystemAt = 68;
inline constexpr uint32_t kStackReserveAt = 72;  // then stack commit, heap reserve, heap commit
inline constexpr uint32_t kDirectoryCountAt = 92;
inline constexpr uint32_t kDirectoriesAt = 96;  // u32 RVA and u32 size each

enum Directory : uint32_t {
  kExportDirectory = 0,
  kImportDirectory = 1,
  kResourceDirectory = 2,  // its section: platform/win32_resources.h
  kRelocationDirectory = 5,
  kIatDirectory = 12
};

// A section header.
inline constexpr uint32_t kSectionVirtualSizeAt = 8;
inline constexpr uint32_t kSectionAddressAt = 12;
inline constexpr uint32_t kSectionFileSizeAt = 16;
inline constexpr uint32_t kSectionFileOffsetAt = 20;
inline constexpr uint32_t kSectionFlagsAt = 36;

// An import descriptor.
inline constexpr uint32_t kImportDescriptorSize = 20;
inline constexpr uint32_t kImportLookupAt = 0;
inline constexpr uint32_t kImportNameAt = 12;
inline constexpr uint32_t kImportIatAt = 16;
inline constexpr uint32_t kImportByOrdinal = 0x80000000;

// The export directory.
inline constexpr uint32_t kExportDirectorySize = 40;
inline constexpr uint32_t kExportNameAt = 12;
inline constexpr uint32_t kExportOrdinalBaseAt = 16;
inline constexpr uint32_t kExportAddressCountAt = 20;
inline constexpr uint32_t kExportNameCountAt = 24;
inline constexpr uint32_t kExportAddressesAt = 28;
inline constexpr uint32_t kExportNamesAt = 32;
inline constexpr uint32_t kExportIndexesAt = 36;

// Base relocation entries.
inline constexpr uint32_t kRelocationPage = 0x1000;
inline constexpr uint16_t kRelocationPadding = 0;  // IMAGE_REL_BASED_ABSOLUTE: skipped
inline constexpr uint16_t kRelocationHighLow = 3;  // the whole 32-bit word gets the base's shift

// The values a Windows CE loader expects. CE 4.20 is Pocket PC 2003, the
// oldest device the modules run on; a higher version fails to load there.
inline constexpr uint16_t kMachineArm = 0x01C0;  // ARM state: every ARM kernel loads it
inline constexpr uint16_t kPe32Magic = 0x10B;
inline constexpr uint16_t kSubsystemWindowsCeGui = 9;
inline constexpr uint16_t kCeVersionMajor = 4;
inline constexpr uint16_t kCeVersionMinor = 20;
inline constexpr uint32_t kDllBase = 0x10000000;
inline constexpr uint32_t kExeBase = 0x00010000;
inline constexpr uint32_t kSectionAlignment = 0x1000;
inline constexpr uint32_t kFileAlignment = 0x200;

// COFF characteristics. The CE loader refuses a library without relocations.
inline constexpr uint16_t kRelocationsStripped = 0x0001;
inline constexpr uint16_t kExecutableImage = 0x0002;
inline constexpr uint16_t kLineNumbersStripped = 0x0004;
inline constexpr uint16_t kLocalSymbolsStripped = 0x0008;
inline constexpr uint16_t k32BitMachine = 0x0100;
inline constexpr uint16_t kDllImage = 0x2000;

// Section flags.
inline constexpr uint32_t kSectionCode = 0x00000020;
inline constexpr uint32_t kSectionInitializedData = 0x00000040;
inline constexpr uint32_t kSectionDiscardable = 0x02000000;
inline constexpr uint32_t kSectionExecute = 0x20000000;
inline constexpr uint32_t kSectionRead = 0x40000000;
inline constexpr uint32_t kSectionWrite = 0x80000000;

// The one library a CE module imports from, spelled as Microsoft's import
// library names it.
inline constexpr char kCoreLibraryName[] = "COREDLL.dll";

}  // namespace platform::ce_image
