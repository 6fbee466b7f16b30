// The picture formatter: renders a value through a function part and a mask, and date texts in a date format.
#pragma once

#include <string>

#include "runtime/value.h"

namespace meridan {

// A picture split into its function part ("@" and upper-case letters, or
// empty) and its mask.
struct PictureParts {
  std::string func;
  std::string mask;
};
PictureParts SplitPicture(const std::string& picture);

// Renders `value` through `picture` (function part and mask). Text: mask
// positions A N X 9 # L Y take the next character ("!" upper-cases), other mask
// characters are literals ("@R" inserts them, otherwise they replace the
// character); no mask gives the text itself. Numbers: 9 # $ * are digit
// positions, "." the decimal point, "," a thousands separator, a leading "-"
// for negatives, all asterisks on overflow; "@E" swaps point and comma, "@X"
// " DB", "@C" " CR", "@(" parentheses (positive numbers get blanks instead,
// so the width never depends on the sign), "@Z" zero as blanks, "@B" left
// aligned. Dates use `dateFormat` ("@E" swaps day and month), logicals
// "T"/"F" or, on a mask "Y", "Y"/"N".
std::string Transform(const Value& value, const std::string& picture,
                      const std::string& dateFormat = "mm/dd/yy");

// The date format with day and month swapped ("mm/dd/yy" -> "dd/mm/yy").
std::string SwapDayMonth(const std::string& dateFormat);

// A date in `dateFormat` (letters d, m, y; "yy" or "yyyy"); the empty date
// shows blanks at the digit positions.
std::string DateToText(Date d, const std::string& dateFormat);

// Reads a date written in `dateFormat`. A text whose digit positions are all
// blank is the empty date (valid); `valid` is false for anything that is not
// a calendar date, and the empty date is returned then. A two-digit year yy is
// the year of the hundred years from `epoch` on that ends in yy.
Date TextToDate(const std::string& text, const std::string& dateFormat, bool* valid = nullptr,
                int epoch = 1950);

}  // namespace meridan
