#pragma once
// Authenticode signatures of Windows programs (PE images) and of cabinets,
// from this one description, as Microsoft's "Windows Authenticode Portable
// Executable Signature Format" gives them. Numbers are little-endian.
//
// The signature is a DER PKCS#7 SignedData whose content (type
// kSpcIndirectDataObjId) is an SpcIndirectDataContent:
//   SEQUENCE { SEQUENCE { OID kind, value },  -- kSpcPeImageDataObj or kSpcCabDataObjId
//              SEQUENCE { SEQUENCE { OID sha1, NULL }, OCTET STRING digest } }
// The value is an SpcPeImageData (SEQUENCE { BIT STRING flags, [0] SpcLink })
// for a program and a bare SpcLink for a cabinet; the link is the file
// "<<<Obsolete>>>" ([2] { [0] IMPLICIT BMPString }).
// The signer's authenticated attributes: content type, message digest (of the
// content's value octets, without its tag and length), SpcSpOpusInfo (empty)
// and the statement type "individual".
//
// PE image: the certificate table lies at the end of the file, at a multiple
// of 8; the data directory entry kSecurityDirectory gives its file offset
// (not an RVA) and size. It holds WIN_CERTIFICATE records: u32 length (header
// included, padded to 8), u16 revision, u16 type, then the signature. The
// digest covers the file except the checksum, that directory entry and the
// table itself.
//
// Cabinet: the header's reserve area (flag kCabReservePresent, u16
// cbCFHeader = kCabSignatureReserveSize, u8 cbCFFolder = 0, u8 cbCFData = 0)
// holds u32 kCabReserveMarker, u32 offset of the signature (the cabinet's size
// without it), u32 its size padded to 8, then zero bytes; the signature is
// appended at that offset. The digest covers the file except reserved1, the
// set number, the reserve sizes and the first 16 bytes of the reserve area,
// and except the signature.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace platform::authenticode {

inline constexpr std::string_view kSignedDataOid = "1.2.840.113549.1.7.2";
inline constexpr std::string_view kSha1Oid = "1.3.14.3.2.26";
inline constexpr std::string_view kRsaEncryptionOid = "1.2.840.113549.1.1.1";
inline constexpr std::string_view kContentTypeOid = "1.2.840.113549.1.9.3";
inline constexpr std::string_view kMessageDigestOid = "1.2.840.113549.1.9.4";
inline constexpr std::string_view kSpcIndirectDataObjId = "1.3.6.1.4.1.311.2.1.4";
inline constexpr std::string_view kSpcPeImageDataObj = "1.3.6.1.4.1.311.2.1.15";
inline constexpr std::string_view kSpcCabDataObjId = "1.3.6.1.4.1.311.2.1.25";
inline constexpr std::string_view kSpcSpOpusInfoObjId = "1.3.6.1.4.1.311.2.1.12";
inline constexpr std::string_view kSpcStatementTypeObjId = "1.3.6.1.4.1.311.2.1.11";
inline constexpr std::string_view kSpcIndividualSpKeyPurposeObjId = "1.3.6.1.4.1.311.2.1.21";
inline constexpr std::u16string_view kObsoleteFile = u"<<<Obsolete>>>";

inline constexpr size_t kSha1Size = 20;
inline constexpr size_t kSignatureAlignment = 8;

// PE image.
inline constexpr size_t kPeOffsetAt = 0x3C;  // u32 in the DOS header
inline constexpr size_t kCoffHeaderSize = 24;  // "PE\0\0" and the file header
inline constexpr uint16_t kPe32Magic = 0x10B;
inline constexpr uint16_t kPe32PlusMagic = 0x20B;
// Within the optional header.
inline constexpr size_t kChecksumAt = 64;
inline constexpr size_t kPe32DirectoriesAt = 96;
inline constexpr size_t kPe32PlusDirectoriesAt = 112;
inline constexpr size_t kDirectoryCountBefore = 4;  // u32 NumberOfRvaAndSizes just before the directories
inline constexpr size_t kDirectoryEntrySize = 8;
inline constexpr size_t kSecurityDirectory = 4;
// WIN_CERTIFICATE.
inline constexpr size_t kWinCertificateHeaderSize = 8;
inline constexpr uint16_t kWinCertRevision2 = 0x0200;
inline constexpr uint16_t kWinCertTypePkcsSignedData = 0x0002;

// Cabinet.
inline constexpr uint32_t kCabSignature = 0x4643534D;  // "MSCF"
inline constexpr size_t kCabSizeAt = 8;
inline constexpr size_t kCabSetNumberAt = 34;
inline constexpr size_t kCabFlagsAt = 30;
inline constexpr uint16_t kCabReservePresent = 0x0004;
inline constexpr size_t kCabReserveSizesAt = 36;
inline constexpr uint16_t kCabSignatureReserveSize = 20;
inline constexpr size_t kCabReserveAt = 40;
inline constexpr uint32_t kCabReserveMarker = 0x00100000;
inline constexpr size_t kCabSignatureOffsetAt = 44;
inline constexpr size_t kCabSignatureSizeAt = 48;
inline constexpr size_t kCabDigestResumesAt = 56;  // the reserve area's last 4 bytes are covered again
inline constexpr size_t kCabHeaderEnd = kCabReserveAt + kCabSignatureReserveSize;

}  // namespace platform::authenticode
