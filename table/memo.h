// Memo file pairing rules: the memo name and the pure memo-header check.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "table/dbfheader.h"

namespace meridan {

enum class MemoFlavour { Standard, SIx, FlexFile, Clip };

// Pieces of a table or memo name: directory up to the last "\", "/" or ":",
// extension from the last "." of the rest unless that dot starts it.
struct NameParts {
  std::string directory;
  std::string base;
  std::string extension;
};
NameParts SplitName(std::string_view name);

// The memo name of step 1: the opened table name without its extension.
std::string MemoBaseName(std::string_view openedTableName);
// The name the memo file is opened under: a base name that still has a dot
// keeps it as its extension, otherwise the kind's lower-case extension.
std::string MemoFileName(std::string_view memoBaseName, MemoKind kind);

struct MemoHeaderResult {
  std::uint16_t blockSize = 0;  // 0: the header gives none (the open fails)
  MemoFlavour flavour = MemoFlavour::Standard;
};

// What up to 1024 bytes from offset 0 of an FPT or SMT file give. `flavour`
// is what the table already decided (SIx for long V fields); fewer than 512
// bytes leave it and give block size 0.
MemoHeaderResult CheckMemoHeader(MemoKind kind, std::string_view bytes,
                                 MemoFlavour flavour = MemoFlavour::Standard);

}  // namespace meridan
