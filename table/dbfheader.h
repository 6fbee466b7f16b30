// Pure reading of a table file's 32-byte header and its field descriptors.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace meridan {

enum class TableKind { Standard, VisualFoxPro };
enum class MemoKind { None, Dbt, Fpt, Smt };

// Field flag bits as the descriptor byte 18 of Visual FoxPro tables holds them.
enum FieldFlag : std::uint16_t {
  kFieldSystem = 1,
  kFieldNullable = 2,
  kFieldBinary = 4,
  kFieldAutoInc = 8,
};

struct TableHeader {
  std::uint8_t version = 0;
  TableKind kind = TableKind::Standard;
  MemoKind memo = MemoKind::None;
  bool encrypted = false;
  bool autoIncrement = false;    // from the version byte; fields may add it
  bool productionIndex = false;  // byte 28 bit 0
  std::uint16_t headerLength = 0;
  std::uint32_t storedRecordCount = 0;  // not trusted; see RecordCountFromSize
};

struct FieldInfo {
  std::string name;
  char fileType = 0;  // the letter in the file
  char type = 0;      // the letter the field list reports
  std::uint16_t length = 0;
  std::uint16_t decimals = 0;
  std::uint16_t flags = 0;
  std::uint16_t position = 0;
  std::uint8_t autoIncStep = 0;
};

enum class ParseStatus {
  Ok,
  ShortHeader,       // fewer than 32 header bytes
  BadVersion,        // version byte not accepted
  BadHeaderLength,   // header length below 32
  ShortDescriptors,  // fewer slot bytes than the header length announces
  InvalidDescriptor, // type, fixed length, empty name or record too long
};

struct HeaderResult {
  ParseStatus status = ParseStatus::Ok;
  std::size_t offset = 0;  // file offset of the byte that failed the check
  TableHeader header;
};

struct DescriptorResult {
  ParseStatus status = ParseStatus::Ok;
  std::size_t offset = 0;  // file offset of the failing descriptor byte
  std::vector<FieldInfo> fields;
  std::uint32_t recordLength = 1;
  bool needsMemo = false;
  bool sixMemo = false;          // a non-FoxPro V field of length 6 or more
  bool autoIncrement = false;
  bool modificationStamps = false;
};

// Bytes 0-31 of the file. A header length below 32 is corrupt.
HeaderResult ParseTableHeader(std::string_view bytes);

// Number of 32-byte descriptor slots behind the header (0 when it is < 32).
std::size_t DescriptorSlotCount(const TableHeader& header);

// `slots` is what one read at offset 32 of DescriptorSlotCount * 32 bytes gave.
DescriptorResult ParseDescriptors(const TableHeader& header, std::string_view slots);

// Complete records between the header and the end of the file; 0 for a file
// shorter than its header.
std::uint32_t RecordCountFromSize(std::uint64_t fileSize, std::uint16_t headerLength,
                                  std::uint32_t recordLength);

// Fields counted by the field list: those without the system flag.
std::size_t VisibleFieldCount(const std::vector<FieldInfo>& fields);

}  // namespace meridan
