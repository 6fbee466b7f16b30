// A program that raises an error with no error callback installed, so the
// unrecoverable-error box of the Windows build can be driven by a test.
#include "errors/raise.h"

int main() {
  meridan::Launch(meridan::MakeBuiltinError({.GenCode = meridan::EG_OPEN, .Permissions = meridan::kCanDefault}));
  return 0;  // not reached: the launch ends the program with exit code 1
}
