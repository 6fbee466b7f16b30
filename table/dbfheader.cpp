// Table header and descriptor checks: every byte comes from an untrusted file.
#include "table/dbfheader.h"

#include <algorithm>

namespace meridan {
namespace {

std::uint16_t Le16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                    (static_cast<unsigned char>(b[at + 1]) << 8));
}

std::uint32_t Le32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(Le16(b, at)) | (static_cast<std::uint32_t>(Le16(b, at + 2)) << 16);
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithNullFlags(std::string_view raw) {
  static constexpr std::string_view kName = "_NULLFLAGS";
  if (raw.size() < kName.size()) return false;
  for (std::size_t i = 0; i < kName.size(); ++i)
    if (AsciiUpper(raw[i]) != kName[i]) return false;
  return true;
}

// Bytes 0-9 up to the first NUL; byte 10 always ends the name.
std::string_view RawName(std::string_view slot) {
  std::string_view raw = slot.substr(0, 10);
  const std::size_t nul = raw.find('\0');
  return nul == std::string_view::npos ? raw : raw.substr(0, nul);
}

std::string TrimmedName(std::string_view raw) {
  std::size_t start = 0;
  while (start < raw.size() && (raw[start] == ' ' || raw[start] == '\t' || raw[start] == '\r' ||
                                raw[start] == '\n'))
    ++start;
  std::size_t end = raw.size();
  while (end > start && raw[end - 1] == ' ') --end;
  std::string name(raw.substr(start, end - start));
  for (char& c : name) c = AsciiUpper(c);
  return name;
}

bool OneToFourOrEight(unsigned n) { return (n >= 1 && n <= 4) || n == 8; }

}  // namespace

HeaderResult ParseTableHeader(std::string_view bytes) {
  HeaderResult r;
  if (bytes.size() < 32) {
    r.status = ParseStatus::ShortHeader;
    r.offset = bytes.size();
    return r;
  }
  TableHeader& h = r.header;
  h.version = static_cast<unsigned char>(bytes[0]);
  switch (h.version) {
    case 0x03: break;
    case 0x06: h.encrypted = true; break;
    case 0x31: h.autoIncrement = true; [[fallthrough]];
    case 0x30: h.kind = TableKind::VisualFoxPro; break;
    case 0x83: h.memo = MemoKind::Dbt; break;
    case 0x86: h.memo = MemoKind::Dbt; h.encrypted = true; break;
    case 0xE5: h.memo = MemoKind::Smt; break;
    case 0xE6: h.memo = MemoKind::Smt; h.encrypted = true; break;
    case 0xF5: h.memo = MemoKind::Fpt; break;
    case 0xF6: h.memo = MemoKind::Fpt; h.encrypted = true; break;
    default:
      r.status = ParseStatus::BadVersion;
      r.offset = 0;
      return r;
  }
  const unsigned char flags = static_cast<unsigned char>(bytes[28]);
  h.productionIndex = (flags & 1) != 0;
  if (h.kind == TableKind::VisualFoxPro && (flags & 2)) h.memo = MemoKind::Fpt;
  h.storedRecordCount = Le32(bytes, 4);
  h.headerLength = Le16(bytes, 8);
  if (h.headerLength < 32) {
    r.status = ParseStatus::BadHeaderLength;
    r.offset = 8;
  }
  return r;
}

std::size_t DescriptorSlotCount(const TableHeader& header) {
  return header.headerLength < 32 ? 0 : (header.headerLength - 32u) / 32u;
}

DescriptorResult ParseDescriptors(const TableHeader& header, std::string_view slots) {
  DescriptorResult r;
  r.autoIncrement = header.autoIncrement;
  r.needsMemo = header.memo != MemoKind::None;
  const std::size_t count = DescriptorSlotCount(header);
  if (slots.size() < count * 32) {
    r.status = ParseStatus::ShortDescriptors;
    r.offset = 32 + slots.size();
    return r;
  }
  const bool fox = header.kind == TableKind::VisualFoxPro;
  const bool smt = header.memo == MemoKind::Smt;
  auto fail = [&r](std::size_t at) {
    r.status = ParseStatus::InvalidDescriptor;
    r.offset = at;
    return r;
  };
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view slot = slots.substr(i * 32, 32);
    if (static_cast<unsigned char>(slot[0]) == 0x0D) break;
    const std::size_t at = 32 + i * 32;
    const unsigned b16 = static_cast<unsigned char>(slot[16]);
    const unsigned b17 = static_cast<unsigned char>(slot[17]);
    FieldInfo f;
    f.fileType = slot[11];
    f.type = f.fileType;
    f.flags = fox ? static_cast<unsigned char>(slot[18]) : 0;
    const std::string_view raw = RawName(slot);
    f.name = TrimmedName(raw);
    if (f.name.empty()) return fail(at);
    unsigned length = b16;
    unsigned decimals = 0;
    switch (f.fileType) {
      case 'C': length = b16 + 256 * b17; break;
      case 'N': case 'F': decimals = b17; break;
      case 'D': length = (b16 == 3 || b16 == 4) ? b16 : 8; break;
      case 'L': length = 1; break;
      case 'I': length = OneToFourOrEight(b16) ? b16 : 4; decimals = b17; break;
      case '2': f.type = 'I'; length = 2; break;
      case '4': f.type = 'I'; length = 4; break;
      case 'Y': length = OneToFourOrEight(b16) ? b16 : 8; decimals = b17; break;
      case '8': case 'B':
        f.type = 'B';
        if (b16 != 8) return fail(at + 16);
        decimals = b17;
        break;
      case 'T':
        if (b16 != 4 && b16 != 8) return fail(at + 16);
        break;
      case '@': case '=': case '^':
        if (b16 != 8) return fail(at + 16);
        r.modificationStamps = true;
        break;
      case '+':
        if (b16 != 4) return fail(at + 16);
        r.autoIncrement = true;
        break;
      case 'M': case 'P': case 'W': case 'G':
        if (smt) length = 10;
        if (f.fileType != 'M') f.flags |= kFieldBinary;
        r.needsMemo = true;
        break;
      case 'Q': f.flags |= kFieldBinary; break;
      case 'V':
        if (fox) {
          f.type = 'Q';
        } else if (b16 >= 6) {
          r.needsMemo = true;
          r.sixMemo = true;
        }
        break;
      case '0':
        if (!StartsWithNullFlags(raw)) return fail(at + 11);
        f.type = 'U';
        break;
      default:
        return fail(at + 11);
    }
    f.length = static_cast<std::uint16_t>(length);
    f.decimals = static_cast<std::uint16_t>(decimals);
    if (fox && (f.flags & kFieldAutoInc)) {
      r.autoIncrement = true;
      f.autoIncStep = static_cast<unsigned char>(slot[23]);
    }
    // The record length is a 16-bit value in the driver; a longer record
    // could not be addressed, so such a table is treated as damaged.
    if (r.recordLength + length > 65535) return fail(at + 16);
    f.position = static_cast<std::uint16_t>(r.recordLength);
    r.recordLength += length;
    r.fields.push_back(std::move(f));
  }
  return r;
}

std::uint32_t RecordCountFromSize(std::uint64_t fileSize, std::uint16_t headerLength,
                                  std::uint32_t recordLength) {
  if (recordLength == 0 || fileSize <= headerLength) return 0;
  const std::uint64_t n = (fileSize - headerLength) / recordLength;
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(n, 0xFFFFFFFFu));
}

std::size_t VisibleFieldCount(const std::vector<FieldInfo>& fields) {
  return static_cast<std::size_t>(std::count_if(
      fields.begin(), fields.end(), [](const FieldInfo& f) { return !(f.flags & kFieldSystem); }));
}

}  // namespace meridan
