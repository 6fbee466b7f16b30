// The Get editing engine: edits one value as a fixed-length buffer through a picture.
#pragma once

#include <optional>
#include <string>

#include "runtime/value.h"

namespace meridan {

// Process-wide editing settings, shared by every engine and edit field.
struct GetSettings {
  bool lInsert = false;   // typed characters are inserted instead of overwriting
  bool lConfirm = false;  // an edit field waits instead of moving on at the end
  bool lBell = false;     // a refused character beeps
  std::string cDateFormat = "mm/dd/yy";
  char cYes = 'Y';  // the language's yes and no letters for logicals
  char cNo = 'N';
  // Two-digit years read from a date buffer fall into nEpoch .. nEpoch + 99.
  int nEpoch = 1950;
};
GetSettings& EditSettings();

// Edits one value. The value binding `Block` is a callable: evaluated with no
// argument it answers the value, with one argument it stores it (the answer
// is then ignored). Positions count from 1; `Buffer` and `Pos` are unset
// outside the editing state. Member names follow the engine's data model.
class Get {
 public:
  Get() = default;
  Get(::meridan::Block block, std::string picture = {});

  ::meridan::Block Block;
  char Type = 'U';
  bool HasFocus = false;
  std::optional<std::string> Buffer;
  std::optional<int> Pos;
  Value Original;
  Value xVarGet;
  bool Changed = false;
  bool Clear = false;
  bool Rejected = false;
  bool TypeOut = false;
  bool Minus = false;
  std::optional<int> DecPos;
  bool BadDate = false;
  bool lEdit = false;
  bool lUndo = false;
  std::string cOrigPicture;
  std::string cPicture;
  std::string cPicFunc;
  std::string cPicMask;
  int nMaxLen = 0;
  int nMaxEdit = 0;
  bool lPicComplex = false;
  bool lCleanZero = false;
  bool lLeftJust = false;
  bool lDecRev = false;
  bool lMinusPrinted = false;
  std::optional<int> nDispLen;
  bool lDispLen = false;

  Get& SetFocus();
  Get& KillFocus();

  Value VarGet();
  Value VarPut(const Value& value, bool reformat = true);
  Get& Assign();
  Value UnTransform();
  Get& UpdateBuffer();
  Get& Reset();
  Get& Undo();

  Get& Home();
  Get& End();
  Get& Left();
  Get& Right();
  Get& WordLeft();
  Get& WordRight();
  Get& ToDecPos();

  Get& Insert(char c);
  Get& OverStrike(char c);
  Get& Delete();
  Get& BackSpace();
  Get& DeleteAll();

  bool IsEditable(int n) const;
  int FirstEditable();
  int LastEditable();
  // The character to store for a typed one, or empty text to refuse it.
  std::string Input(char c);

  const std::string& Picture() const { return cOrigPicture; }
  Get& Picture(const std::string& picture) { return SetPicture(picture); }
  Get& SetPicture(const std::string& picture);

 private:
  std::optional<std::string> PutMask(std::optional<Value> value, std::optional<bool> editing);
  void Type_(char c, bool insert);
  bool InEditState() const { return HasFocus && Buffer.has_value(); }
  char DecimalSeparator() const;
  bool FuncHas(char letter) const;
  void ComputeBadDate();
  std::string EffectiveDateFormat() const;
  int RunEnd(int from) const;
};

Get GetNew(::meridan::Block block, std::string picture = {});

}  // namespace meridan
