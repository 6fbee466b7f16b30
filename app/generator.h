// The info file's text: the seven sections generated from a table's field list.
#pragma once

#include <string>
#include <vector>

#include "ui/textmeasure.h"

namespace meridan {

// One row of a table's field list as the generator reads it (the flags of
// the row play no part).
struct FieldRow {
  std::string name;
  std::string type;  // one type letter, "C", "N", "D", "M", "L" or any other
  int len = 0;
  int dec = 0;
};

struct InfoInput {
  std::string cFile;    // verbatim into every heading, trailing blanks included
  std::string cBase;    // cFileNoExt(cFile): the alias prefix is cBase + "->"
  int nArea = 0;        // 0: no work-area prefix in sections 6 and 7
  std::vector<FieldRow> fields;
};

// The lines of the info file in order; the file is these lines joined by
// CR LF, without a final line break.
std::vector<std::string> InfoLines(const InfoInput& in, const TextWidthFn& width);

// The lines joined as the info file holds them.
std::string JoinInfoLines(const std::vector<std::string>& lines);

}  // namespace meridan
