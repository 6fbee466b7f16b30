// The program's error handler: ERRORSYS installs the callback, ERRORMESSAGE
// gives the one-line message of an error object.
#pragma once

#include <string>

#include "errors/error.h"

namespace meridan {

// Installs the program's error callback with ErrorBlock.
void ERRORSYS();

// "Error BASE/1340  Zero divisor: /" and its variants.
std::string ERRORMESSAGE(const Error& e);

}  // namespace meridan
