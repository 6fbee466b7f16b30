// Text forms of values shared by the error layer, the report and the generator.
#pragma once

#include <string>

#include "runtime/value.h"

namespace meridan {

// n right-aligned in exactly `width` characters with `decimals` decimals
// (rounded half away from zero); a value that needs more than `width`
// characters renders as `width` asterisks.
std::string Str(double n, int width = 10, int decimals = 0);

// The standard text form of a number without surrounding blanks: whole
// numbers without decimals, others with the decimals they carry.
std::string NumberText(const Value& number);

// Text as it is, a date as "mm/dd/yy", ".T."/".F.", numbers by NumberText,
// callbacks "{|| ... }", arrays "{ ... }", objects "Object", no value "".
std::string cValToChar(const Value& v);

std::string DateText(Date d);           // "mm/dd/yy"; "  /  /  " for the empty date
std::string TimeText(double seconds);   // seconds since midnight as "hh:mm:ss"

std::string PadLeft(const std::string& s, std::size_t width, char fill = ' ');   // cut on the right when longer
std::string PadRight(const std::string& s, std::size_t width, char fill = ' ');  // cut on the right when longer
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);
std::string AllTrim(const std::string& s);
std::string UpperAscii(std::string s);

}  // namespace meridan
