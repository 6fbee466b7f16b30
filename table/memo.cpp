// Memo name forming and memo-header checks.
#include "table/memo.h"

namespace meridan {

NameParts SplitName(std::string_view name) {
  NameParts p;
  const std::size_t sep = name.find_last_of("\\/:");
  std::string_view rest = name;
  if (sep != std::string_view::npos) {
    p.directory = std::string(name.substr(0, sep + 1));
    rest = name.substr(sep + 1);
  }
  const std::size_t dot = rest.rfind('.');
  if (dot != std::string_view::npos && dot != 0) {
    p.extension = std::string(rest.substr(dot));
    rest = rest.substr(0, dot);
  }
  p.base = std::string(rest);
  return p;
}

std::string MemoBaseName(std::string_view openedTableName) {
  const NameParts p = SplitName(openedTableName);
  return p.directory + p.base;
}

std::string MemoFileName(std::string_view memoBaseName, MemoKind kind) {
  if (!SplitName(memoBaseName).extension.empty()) return std::string(memoBaseName);
  switch (kind) {
    case MemoKind::Dbt: return std::string(memoBaseName) + ".dbt";
    case MemoKind::Fpt: return std::string(memoBaseName) + ".fpt";
    case MemoKind::Smt: return std::string(memoBaseName) + ".smt";
    case MemoKind::None: break;
  }
  return std::string(memoBaseName);
}

MemoHeaderResult CheckMemoHeader(MemoKind kind, std::string_view bytes, MemoFlavour flavour) {
  MemoHeaderResult r;
  r.flavour = flavour;
  if (kind == MemoKind::Dbt) {
    r.blockSize = 512;
    return r;
  }
  if (bytes.size() < 512 || (kind != MemoKind::Fpt && kind != MemoKind::Smt)) return r;
  auto byte = [&bytes](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
  r.flavour = MemoFlavour::Standard;
  r.blockSize = kind == MemoKind::Smt ? static_cast<std::uint16_t>(byte(4) | (byte(5) << 8))
                                      : static_cast<std::uint16_t>((byte(6) << 8) | byte(7));
  if (bytes.substr(8, 7) == "SIxMemo") {
    r.flavour = MemoFlavour::SIx;
  } else if (bytes.substr(8, 12) == "Made by CLIP") {
    r.flavour = MemoFlavour::Clip;
  }
  if (r.flavour != MemoFlavour::SIx && bytes.size() >= 522 &&
      bytes.substr(512, 10) == std::string_view("FlexFile3\x03", 10)) {
    r.flavour = MemoFlavour::FlexFile;
    const std::uint16_t flexSize =
        bytes.size() >= 542 ? static_cast<std::uint16_t>(byte(540) | (byte(541) << 8)) : 0;
    if (flexSize != 0 && r.blockSize == 0) r.blockSize = flexSize;
  }
  return r;
}

}  // namespace meridan
