// Stand-in file calls for a build without the file layer: nothing opens.
#include "table/tableio.h"

namespace meridan {
namespace {

// Error 120 (call not implemented) says plainly why every open fails.
class NoFilesIo final : public TableFileIo {
 public:
  FileHandle Open(const std::string&, int) override { return kBadHandle; }
  long Read(FileHandle, std::string& buffer, long) override { buffer.clear(); return 0; }
  long Seek(FileHandle, long, int) override { return -1; }
  bool Close(FileHandle) override { return false; }
  int LastError() override { return 120; }
  bool Exists(const std::string&) override { return false; }
  bool LockShared(FileHandle, long, long) override { return false; }
  void Unlock(FileHandle, long, long) override {}
};

}  // namespace

TableFileIo& DefaultTableFileIo() {
  static NoFilesIo io;
  return io;
}

}  // namespace meridan
