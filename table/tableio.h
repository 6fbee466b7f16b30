// The few file calls the table layer makes, replaceable so tests can count
// reads, force failures and see that nothing is ever written.
#pragma once

#include <string>

#include "files/fileio.h"

namespace meridan {

class TableFileIo {
 public:
  virtual ~TableFileIo() = default;
  // Access and sharing as the FO_* values of files/fileio.h.
  virtual FileHandle Open(const std::string& name, int mode) = 0;
  // Up to `count` bytes from the file position: `buffer` holds what arrived
  // and the result is its size, or -1 when the call failed (LastError says why).
  virtual long Read(FileHandle h, std::string& buffer, long count) = 0;
  // The new position, or -1 when the call failed.
  virtual long Seek(FileHandle h, long offset, int origin) = 0;
  virtual bool Close(FileHandle h) = 0;
  // Windows error code of the last call above.
  virtual int LastError() = 0;
  virtual bool Exists(const std::string& name) = 0;
  // Shared byte-range lock, waiting until it is granted.
  virtual bool LockShared(FileHandle h, long offset, long length) = 0;
  virtual void Unlock(FileHandle h, long offset, long length) = 0;
};

// The implementation over files/fileio.h.
TableFileIo& DefaultTableFileIo();
// Installs `io` (nullptr: the default again) and answers the previous one.
TableFileIo* SetTableFileIo(TableFileIo* io);
TableFileIo& CurrentTableFileIo();

}  // namespace meridan
