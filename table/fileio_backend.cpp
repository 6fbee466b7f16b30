// The table layer's file calls over the handle-level file functions.
#include "files/fileio.h"
#include "table/tableio.h"

namespace meridan {
namespace {

class FileFunctionsIo final : public TableFileIo {
 public:
  FileHandle Open(const std::string& name, int mode) override { return FOpen(Value(name), mode); }
  long Read(FileHandle h, std::string& buffer, long count) override {
    // FRead reads into a buffer that already has room for `count` bytes and
    // refuses a shorter one, so the buffer is sized first and then cut to
    // what arrived.
    buffer.assign(static_cast<std::size_t>(count < 0 ? 0 : count), '\0');
    const long got = FRead(h, buffer, count);
    buffer.resize(static_cast<std::size_t>(got));
    // FRead answers 0 also for a failed call; the error code tells them apart.
    return got == 0 && count > 0 && LastFileError() != 0 ? -1 : got;
  }
  long Seek(FileHandle h, long offset, int origin) override {
    // FSeek answers 0 also for a failed call; the error code tells them apart.
    const long pos = FSeek(h, offset, origin);
    return pos == 0 && LastFileError() != 0 ? -1 : pos;
  }
  bool Close(FileHandle h) override { return FClose(h); }
  int LastError() override { return LastFileError(); }
  bool Exists(const std::string& name) override {
    // File() sets the last file error code; the open's code must survive it.
    const int saved = LastFileError();
    const bool exists = File(Value(name));
    SetLastFileError(saved);
    return exists;
  }
  // The file functions offer no byte-range locks. Only shared opens of FPT
  // and SMT memo files ask for one, and this program opens exclusively, so
  // no other process can change the header while it is read.
  bool LockShared(FileHandle, long, long) override { return true; }
  void Unlock(FileHandle, long, long) override {}
};

}  // namespace

TableFileIo& DefaultTableFileIo() {
  static FileFunctionsIo io;
  return io;
}

}  // namespace meridan
