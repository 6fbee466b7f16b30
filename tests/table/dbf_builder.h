// Byte-level builder of table and memo fixtures, and an in-memory file
// system behind the table layer's file calls that counts every read.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "table/tableio.h"

namespace meridan::testing {

// One 32-byte descriptor: name (up to 11 bytes), type letter, bytes 16-18, 23.
inline std::string Descriptor(const std::string& name, char type, std::uint8_t b16,
                              std::uint8_t b17 = 0, std::uint8_t flags = 0, std::uint8_t step = 0) {
  std::string d(32, '\0');
  d.replace(0, std::min<std::size_t>(name.size(), 11), name.substr(0, 11));
  d[11] = type;
  d[16] = static_cast<char>(b16);
  d[17] = static_cast<char>(b17);
  d[18] = static_cast<char>(flags);
  d[23] = static_cast<char>(step);
  return d;
}

struct DbfBytes {
  std::uint8_t version = 0x03;
  std::uint8_t flags28 = 0;
  std::vector<std::string> descriptors;
  bool terminator = true;
  std::size_t foxArea = 0;          // 263 in Visual FoxPro tables
  int headerLength = -1;            // -1: computed
  std::uint32_t storedCount = 0;
  std::string records;              // bytes behind the header

  std::string Bytes() const {
    std::string h(32, '\0');
    const std::size_t computed = 32 + 32 * descriptors.size() + (terminator ? 1 : 0) + foxArea;
    const std::size_t length = headerLength < 0 ? computed : static_cast<std::size_t>(headerLength);
    h[0] = static_cast<char>(version);
    for (int i = 0; i < 4; ++i) h[4 + i] = static_cast<char>(storedCount >> (8 * i));
    h[8] = static_cast<char>(length & 0xFF);
    h[9] = static_cast<char>(length >> 8);
    h[28] = static_cast<char>(flags28);
    for (const auto& d : descriptors) h += d;
    if (terminator) h += '\x0D';
    h += std::string(foxArea, '\0');
    if (h.size() < length) h.resize(length, '\0');
    return h + records;
  }
};

// Files by name; a name missing from `files` does not exist.
class MemoryFiles : public TableFileIo {
 public:
  struct Read {
    std::string name;
    long offset;
    long count;
  };
  std::map<std::string, std::string> files;
  std::map<std::string, int> openErrors;  // name -> Windows code of a failing open
  std::map<std::string, int> openFailuresLeft;  // fails only that often, then opens
  std::vector<Read> reads;
  std::vector<std::pair<std::string, int>> opens;  // name and mode of every open try
  int failReadsOf = 0;  // > 0: reads of that size return 0 bytes with error 30
  int locks = 0;

  FileHandle Open(const std::string& name, int mode) override {
    opens.emplace_back(name, mode);
    auto left = openFailuresLeft.find(name);
    if (left != openFailuresLeft.end() && left->second > 0) {
      --left->second;
      last_ = openErrors.count(name) ? openErrors[name] : 32;
      return kBadHandle;
    }
    if (openErrors.count(name) && left == openFailuresLeft.end()) {
      last_ = openErrors[name];
      return kBadHandle;
    }
    if (!files.count(name)) {
      last_ = 2;
      return kBadHandle;
    }
    last_ = 0;
    handles_.push_back({name, 0, true});
    return static_cast<FileHandle>(handles_.size() + 100);
  }
  long Read(FileHandle h, std::string& buffer, long count) override {
    Handle& f = At(h);
    reads.push_back({f.name, f.pos, count});
    if (failReadsOf > 0 && count == failReadsOf) {
      last_ = 30;
      buffer.clear();
      return -1;
    }
    const std::string& data = files[f.name];
    const long start = std::min<long>(f.pos, static_cast<long>(data.size()));
    buffer = data.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count));
    f.pos = start + static_cast<long>(buffer.size());
    last_ = 0;
    return static_cast<long>(buffer.size());
  }
  long Seek(FileHandle h, long offset, int origin) override {
    Handle& f = At(h);
    const long size = static_cast<long>(files[f.name].size());
    f.pos = origin == 2 ? size + offset : origin == 1 ? f.pos + offset : offset;
    last_ = 0;
    return f.pos;
  }
  bool Close(FileHandle h) override {
    At(h).open = false;
    return true;
  }
  int LastError() override { return last_; }
  bool Exists(const std::string& name) override { return files.count(name) > 0; }
  bool LockShared(FileHandle, long, long) override {
    ++locks;
    return true;
  }
  void Unlock(FileHandle, long, long) override {}

  int OpenHandles() const {
    int n = 0;
    for (const auto& h : handles_) n += h.open ? 1 : 0;
    return n;
  }
  std::vector<long> ReadSizes(const std::string& name) const {
    std::vector<long> sizes;
    for (const auto& r : reads)
      if (r.name == name) sizes.push_back(r.count);
    return sizes;
  }

 private:
  struct Handle {
    std::string name;
    long pos;
    bool open;
  };
  Handle& At(FileHandle h) { return handles_.at(static_cast<std::size_t>(h - 101)); }
  std::vector<Handle> handles_;
  int last_ = 0;
};

}  // namespace meridan::testing
