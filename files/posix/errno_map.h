// POSIX build only: the one table from errno values to the Windows error codes the program speaks.
#pragma once

namespace meridan::os {
int WindowsCode(int errnum);
}
