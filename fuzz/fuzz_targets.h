// The bodies of the fuzz targets, shared with the replay of saved inputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "table/dbfheader.h"
#include "table/memo.h"

namespace meridan::fuzz {

// Header then descriptors, the way an open reads them, with the invariants
// the rest of the table layer relies on checked: false when one fails.
inline bool TableHeaderInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const HeaderResult h = ParseTableHeader(bytes.substr(0, 32));
  if (h.status != ParseStatus::Ok) return true;
  const std::size_t slots = DescriptorSlotCount(h.header);
  const std::string_view rest = bytes.size() > 32 ? bytes.substr(32, slots * 32) : std::string_view();
  const DescriptorResult r = ParseDescriptors(h.header, rest);
  if (r.status != ParseStatus::Ok) return true;
  std::uint32_t position = 1;
  for (const FieldInfo& f : r.fields) {
    if (f.name.empty() || f.name.size() > 10 || f.position != position) return false;
    position += f.length;
  }
  if (position != r.recordLength || r.recordLength > 65535) return false;
  (void)RecordCountFromSize(size, h.header.headerLength, r.recordLength);
  return true;
}

// First byte picks the memo kind, the rest is the memo file's start.
inline bool MemoHeaderInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return true;
  static constexpr MemoKind kKinds[] = {MemoKind::None, MemoKind::Dbt, MemoKind::Fpt, MemoKind::Smt};
  const MemoKind kind = kKinds[data[0] % 4];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const MemoHeaderResult r = CheckMemoHeader(kind, bytes.substr(0, 1024));
  if (bytes.size() < 512 && kind != MemoKind::Dbt && r.blockSize != 0) return false;
  (void)MemoFileName(MemoBaseName(bytes.substr(0, 300)), kind);
  return true;
}

}  // namespace meridan::fuzz
