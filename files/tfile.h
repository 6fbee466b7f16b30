// TFile, a byte file with positioning and searching, and TTxtFile, its CR LF line-oriented kind.
#pragma once

#include <optional>
#include <string>

#include "files/fileio.h"
#include "runtime/value.h"

namespace meridan {

class TFile {
 public:
  TFile() = default;
  // Same as New(cName, nMode).
  explicit TFile(const std::string& name, std::optional<int> mode = std::nullopt) { TFile::New(name, mode); }
  virtual ~TFile() = default;
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;

  std::string cName;
  FileHandle hFile = kBadHandle;  // -1 after a failed New, 0 after Close
  long nLen = 0;
  long nBufferLen = 2048;
  int nMode = 0;

  // Opens an existing file (mode default 2) or creates it (attributes
  // default 0, held exclusively); a failure leaves hFile at -1.
  TFile& New(const std::string& name, std::optional<int> mode = std::nullopt);
  // Erases the file first, then New.
  TFile& Create(const std::string& name, std::optional<int> mode = std::nullopt);
  bool Open() const { return hFile > 0; }
  void Close();
  void End() { Close(); }

  long Skip(long n);
  long GoTo(long n);
  void GoTop();
  void GoBottom();
  bool lEoF() const;
  bool lBoF() const;
  long nRecNo() const;

  int nGetByte();   // 0..255, -1 when nothing was read
  int nGetWord();   // signed 16-bit little endian, -1 when short
  std::string cGetStr(long n);
  long PutByte(int n);
  long PutWord(int n);
  long PutStr(const std::string& c);
  long AppByte(int n);
  long AppWord(int n);
  long AppStr(const std::string& c);

  // Occurrences of cDelim in the whole file; the position is kept.
  long Count(const std::string& cDelim = "\r\n");
  // nDir 0: first match from the position on; 1: last match before it.
  // nCase 1 / 2 upper- / lower-cases the file's bytes before comparing.
  bool Seek(const std::string& cText, int nDir = 0, int nCase = 0);
  // Remove / insert (blanks) n bytes at the position through the temporary
  // file NAME.#$#; false when n is not positive or the copy cannot be made.
  bool DelBytes(long n);
  bool InsBytes(long n);

 protected:
  long Pos() const;
  // Replaces `remove` bytes at the position by `insert`, through the temporary file.
  bool Rebuild(long remove, const std::string& insert);
};

class TTxtFile : public TFile {
 public:
  TTxtFile() = default;
  explicit TTxtFile(const std::string& name, std::optional<int> mode = std::nullopt) { TTxtFile::New(name, mode); }

  std::string cLine;
  long nTLines = 0;
  long nLine = 0;
  long nMaxLineLength = 1024;
  long nOffset = 0;

  TTxtFile& New(const std::string& name, std::optional<int> mode = std::nullopt);
  void Add(const std::string& line);
  void AppendLn(const std::string& line) { Add(line); }
  std::string ReadLine();
  std::string ReadLn() { return ReadLine(); }
  bool Advance();
  bool Rewind();
  bool Skip(long n = 1);
  void GoTo(long n);
  void GoTop();
  void GoBottom();
  void InsLine(const std::string& line);
  void DelLine();
  void RepLine(const std::string& line);
  Value GetValue(const std::string& cSection, const std::string& cEntry, const Value& uDefault = Value(""));
  void SetValue(const std::string& cSection, const std::string& cEntry, const Value& uValue);
  long LastRec() const { return nTLines; }
  long RecCount() const { return nTLines; }
  long RecNo() const { return nLine; }
  long nRecno() const { return nLine; }
};

}  // namespace meridan
