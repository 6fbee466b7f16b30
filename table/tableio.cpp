// Selection of the file calls the table layer uses.
#include "table/tableio.h"

namespace meridan {
namespace {
TableFileIo* g_io = nullptr;
}

TableFileIo* SetTableFileIo(TableFileIo* io) {
  TableFileIo* previous = g_io;
  g_io = io;
  return previous;
}

TableFileIo& CurrentTableFileIo() { return g_io ? *g_io : DefaultTableFileIo(); }

}  // namespace meridan
