// Key sequences through the Get engine on the program's two fields and a few other pictures.
#include "ui/get.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace meridan {
namespace {

// A bound variable and its binding, as the edit field hands it to the engine.
struct Bound {
  Value var;
  int stores = 0;
  Block Binding() {
    return [this](std::span<const Value> args) -> Value {
      if (!args.empty()) {
        var = args[0];
        ++stores;
      }
      return var;
    };
  }
};

// One key of a sequence: a typed character or a named engine operation.
enum class Op { Over, Ins, Home, End, Left, Right, Del, Bs, WordLeft, WordRight };
struct Key {
  Op op;
  char c = 0;
};
std::vector<Key> Over(const std::string& s) {
  std::vector<Key> keys;
  for (char c : s) keys.push_back({Op::Over, c});
  return keys;
}

void Press(Get& g, const std::vector<Key>& keys) {
  for (const Key& k : keys) {
    switch (k.op) {
      case Op::Over: g.OverStrike(k.c); break;
      case Op::Ins: g.Insert(k.c); break;
      case Op::Home: g.Home(); break;
      case Op::End: g.End(); break;
      case Op::Left: g.Left(); break;
      case Op::Right: g.Right(); break;
      case Op::Del: g.Delete(); break;
      case Op::Bs: g.BackSpace(); break;
      case Op::WordLeft: g.WordLeft(); break;
      case Op::WordRight: g.WordRight(); break;
    }
  }
}

std::string Blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

TEST(GetText, FileNameFieldKeySequences) {
  struct Case {
    const char* name;
    std::string start;
    int startPos;
    std::vector<Key> keys;
    std::string buffer;
    int pos;
    bool typeOut;
    bool rejected;
  };
  const std::string abc = "abc" + Blanks(97);
  std::vector<Key> hundred = Over(std::string(100, 'x'));
  std::vector<Case> cases = {
      {"overwrite abc", Blanks(100), 1, Over("abc"), abc, 4, false, false},
      {"insert at 1 shifts right", abc, 1, {{Op::Ins, 'x'}}, "xabc" + Blanks(96), 2, false, false},
      {"insert drops a non-blank 100th character", "abc" + Blanks(96) + "z", 1, {{Op::Ins, 'x'}},
       "xabc" + Blanks(96), 2, false, false},
      {"typing out at 100", Blanks(100), 1, hundred, std::string(100, 'x'), 100, true, false},
      {"delete on 2", abc, 2, {{Op::Del}}, "ac" + Blanks(98), 2, false, false},
      {"backspace on 1 does nothing", abc, 1, {{Op::Bs}}, abc, 1, false, false},
      {"backspace on 3", abc, 3, {{Op::Bs}}, "ac" + Blanks(98), 2, false, false},
      {"end after abc, then end again", abc, 1, {{Op::End}}, abc, 4, false, false},
      {"second end", abc, 1, {{Op::End}, {Op::End}}, abc, 100, false, false},
      {"end on all blanks", Blanks(100), 1, {{Op::End}}, Blanks(100), 100, false, false},
      {"left on 1 types out", abc, 1, {{Op::Left}}, abc, 1, true, false},
      {"right on 100 types out", abc, 100, {{Op::Right}}, abc, 100, true, false},
      {"word right then word left", "ab cd" + Blanks(95), 1, {{Op::WordRight}}, "ab cd" + Blanks(95), 4,
       false, false},
      {"word left lands on word start", "ab cd" + Blanks(95), 6, {{Op::WordLeft}},
       "ab cd" + Blanks(95), 4, false, false},
      {"every character passes", Blanks(100), 1, Over("a.-+ \xf6"), "a.-+ \xf6" + Blanks(94), 7, false,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bound b{Value(c.start)};
    Get g(b.Binding());
    g.SetFocus();
    ASSERT_EQ(g.Pos, 1);
    EXPECT_FALSE(g.Clear);
    g.Pos = c.startPos;
    Press(g, c.keys);
    EXPECT_EQ(g.Buffer, c.buffer);
    EXPECT_EQ(g.Pos, c.pos);
    EXPECT_EQ(g.TypeOut, c.typeOut);
    EXPECT_EQ(g.Rejected, c.rejected);
    EXPECT_EQ(g.nMaxLen, 100);
    // The stored text keeps its 100 characters, trailing blanks included.
    EXPECT_EQ(g.UnTransform(), Value(c.buffer));
  }
}

TEST(GetText, KillFocusStoresTypedTextAndLeavesEditing) {
  Bound b{Value(Blanks(100))};
  Get g(b.Binding());
  g.SetFocus();
  Press(g, Over("C:\\T.DBF"));
  EXPECT_EQ(b.stores, 0);  // typing alone stores nothing
  g.KillFocus();
  EXPECT_EQ(b.var, Value("C:\\T.DBF" + Blanks(92)));
  EXPECT_FALSE(g.HasFocus);
  EXPECT_FALSE(g.Buffer.has_value());
  EXPECT_FALSE(g.Pos.has_value());
}

TEST(GetText, KillFocusWithoutTypingStoresNothing) {
  Bound b{Value(Blanks(100))};
  Get g(b.Binding());
  g.SetFocus();
  g.End();
  g.KillFocus();
  EXPECT_EQ(b.stores, 0);
}

TEST(GetText, ShorterStoredTextShortensTheField) {
  Bound b{Value(Blanks(100))};
  Get g(b.Binding());
  b.var = Value("C:\\DATA\\KUNDEN.DBF");
  g.SetFocus();
  EXPECT_EQ(g.nMaxLen, 18);
  EXPECT_EQ(g.Buffer, "C:\\DATA\\KUNDEN.DBF");
}

TEST(GetText, EmptyTextRefusesEverything) {
  Bound b{Value("")};
  Get g(b.Binding());
  g.SetFocus();
  EXPECT_EQ(g.FirstEditable(), 1);
  EXPECT_EQ(g.nMaxEdit, 0);
  for (char c : std::string("a1 -.")) {
    g.OverStrike(c);
    EXPECT_TRUE(g.Rejected) << c;
    g.Insert(c);
    EXPECT_TRUE(g.Rejected) << c;
  }
  EXPECT_EQ(g.Buffer, "");
  EXPECT_EQ(g.UnTransform(), Value(""));
}

TEST(GetText, UndoRestoresTheOriginalAndNextKeyEmpties) {
  Bound b{Value("abc")};
  Get g(b.Binding());
  g.SetFocus();
  Press(g, Over("xy"));
  g.Undo();
  EXPECT_EQ(b.var, Value("abc"));
  EXPECT_EQ(g.Buffer, "abc");
  EXPECT_TRUE(g.lUndo);
  g.Pos = 2;
  g.OverStrike('q');
  EXPECT_EQ(g.Buffer, "q  ");
}

TEST(GetText, NoBindingGivesTypeU) {
  Get g;
  EXPECT_TRUE(g.VarGet().IsNil());
  EXPECT_EQ(g.Type, 'U');
  g.SetFocus();
  EXPECT_FALSE(g.Buffer.has_value());
  g.OverStrike('a').Delete().BackSpace().DeleteAll().End();  // nothing to edit, nothing breaks
  EXPECT_TRUE(g.UnTransform().IsNil());
}

TEST(GetText, PictureParsing) {
  Bound b{Value("abcd")};
  Get g(b.Binding(), "xx@!S10Z 99-a");
  EXPECT_EQ(g.Picture(), "xx@!S10Z 99-a");
  EXPECT_EQ(g.cPicFunc, "@!");
  EXPECT_EQ(g.cPicMask, "99-A");
  EXPECT_EQ(g.nDispLen, 10);
  EXPECT_TRUE(g.lDispLen);
  EXPECT_TRUE(g.lCleanZero);
  EXPECT_TRUE(g.lPicComplex);
  EXPECT_EQ(g.cPicture, "xx@!S10 99-a");
  g.Picture("@9");
  EXPECT_EQ(g.cPicMask, "9999");
  EXPECT_EQ(g.cPicFunc, "");
  g.Picture("@");
  EXPECT_EQ(g.cPicFunc, "");
  EXPECT_EQ(g.cPicMask, "");
}

TEST(GetText, MaskRefusesByPositionAndUpperCases) {
  Bound b{Value("    ")};
  Get g(b.Binding(), "@! A9-N");
  g.SetFocus();
  Press(g, Over("1"));
  EXPECT_TRUE(g.Rejected);
  Press(g, Over("a"));
  EXPECT_FALSE(g.Rejected);
  Press(g, Over("b"));  // position 2 takes digits only
  EXPECT_TRUE(g.Rejected);
  Press(g, Over("7x"));  // the literal "-" is skipped
  EXPECT_EQ(g.Buffer, "A7-X");
  EXPECT_EQ(g.Pos, 4);
  EXPECT_TRUE(g.TypeOut);
}

TEST(GetText, RPictureDropsLiteralsOnTheWayBack) {
  Bound b{Value("1234")};
  Get g(b.Binding(), "@R 99-99");
  g.SetFocus();
  EXPECT_EQ(g.Buffer, "12-34");
  Press(g, Over("5"));
  EXPECT_EQ(g.UnTransform(), Value("5234"));
  // Inserting shifts only the run of editable positions it is in.
  g.Pos = 4;
  g.Insert('9');
  EXPECT_EQ(g.Buffer, "52-93");
}

// The area field: a number with picture "99".
struct NumCase {
  const char* name;
  int start;
  std::vector<Key> keys;
  std::string buffer;
  int pos;
  bool typeOut;
  bool rejected;
  long long value;
  int startPos = 0;  // 0: where SetFocus put it
};

TEST(GetNumber, AreaFieldKeySequences) {
  const std::vector<NumCase> cases = {
      {"first digit empties", 0, Over("5"), "5 ", 2, false, false, 5},
      {"5 then 7", 0, Over("57"), "57", 2, true, false, 57},
      {"first digit lands on 1 from 2", 0, Over("5"), "5 ", 2, false, false, 5, 2},
      {"after Right overwrites in place", 0, {{Op::Right}, {Op::Over, '5'}}, " 5", 2, true, false, 5},
      {"after Home overwrites in place", 3, {{Op::Home}, {Op::Over, '5'}}, "53", 2, false, false, 53},
      {"after Left overwrites in place", 3, {{Op::Right}, {Op::Left}, {Op::Over, '5'}}, "53", 2, false,
       false, 53},
      {"minus then 5", 0, Over("-5"), "-5", 2, true, false, -5},
      {"5 then minus", 0, Over("5-"), "5-", 2, true, false, -5},
      {"blank refused", 0, Over(" "), " 0", 1, false, true, 0},
      {"letter refused", 7, Over("a"), " 7", 1, false, true, 7},
      {"plus refused", 7, Over("+"), " 7", 1, false, true, 7},
      {"point moves past the end", 7, Over("."), " 7", 4, false, true, 7},
      {"comma moves past the end", 7, Over(","), " 7", 4, false, true, 7},
      {"digits refused past the end", 0, Over("5.3"), " 5", 4, false, true, 5},
      {"delete both digits", 57, {{Op::Del}, {Op::Del}}, "  ", 1, false, false, 0},
      {"backspace from 2", 57, {{Op::Right}, {Op::Bs}, {Op::Bs}}, "7 ", 1, false, false, 7},
      {"negative start", -5, Over("3"), "3 ", 2, false, false, 3},
  };
  for (const NumCase& c : cases) {
    SCOPED_TRACE(c.name);
    Bound b{Value(c.start)};
    Get g(b.Binding(), "99");
    g.SetFocus();
    EXPECT_EQ(g.Pos, 1);
    EXPECT_TRUE(g.Clear);
    EXPECT_EQ(g.DecPos, 3);
    if (c.startPos) g.Pos = c.startPos;
    Press(g, c.keys);
    EXPECT_EQ(g.Buffer, c.buffer);
    EXPECT_EQ(g.Pos, c.pos);
    EXPECT_EQ(g.TypeOut, c.typeOut);
    EXPECT_EQ(g.Rejected, c.rejected);
    EXPECT_EQ(g.UnTransform(), Value(c.value));
    g.KillFocus();
    EXPECT_EQ(b.var, Value(c.value));
  }
}

TEST(GetNumber, StartBuffers) {
  struct Case { int value; const char* buffer; };
  for (const Case c : {Case{0, " 0"}, Case{5, " 5"}, Case{57, "57"}, Case{-5, "-5"}, Case{99, "99"},
                       Case{-9, "-9"}}) {
    Bound b{Value(c.value)};
    Get g(b.Binding(), "99");
    g.SetFocus();
    EXPECT_EQ(g.Buffer, c.buffer) << c.value;
    EXPECT_EQ(g.lMinusPrinted, c.value < 0);
    EXPECT_EQ(g.UnTransform(), Value(c.value));
  }
}

TEST(GetNumber, PointStoresAtOnce) {
  Bound b{Value(0)};
  Get g(b.Binding(), "99");
  g.SetFocus();
  Press(g, Over("4."));
  EXPECT_EQ(b.var, Value(4));
  EXPECT_EQ(b.stores, 1);
  EXPECT_EQ(g.Buffer, " 4");
  // Moving back lets digits in again, overwriting in place.
  g.Left();
  g.OverStrike('2');
  EXPECT_EQ(g.Buffer, " 2");
}

TEST(GetNumber, DeleteAllShowsBlanks) {
  Bound b{Value(42)};
  Get g(b.Binding(), "99");
  g.SetFocus();
  g.DeleteAll();
  EXPECT_EQ(g.Buffer, "  ");
  EXPECT_EQ(g.Pos, 1);
  EXPECT_EQ(g.UnTransform(), Value(0));
}

TEST(GetNumber, DecimalsTypedAndStored) {
  Bound b{Value(0.0, 2)};
  Get g(b.Binding(), "999.99");
  g.SetFocus();
  EXPECT_EQ(g.Buffer, "  0.00");
  EXPECT_EQ(g.DecPos, 4);
  Press(g, Over("12.5"));
  EXPECT_EQ(g.Buffer, " 12.50");
  EXPECT_EQ(g.Pos, 6);
  g.KillFocus();
  EXPECT_EQ(b.var, Value(12.5, 2));
}

TEST(GetNumber, MinusAfterDecimalMovesToTheDecimals) {
  Bound b{Value(3.25, 2)};
  Get g(b.Binding(), "999.99");
  g.SetFocus();
  g.End();
  g.OverStrike('-');
  EXPECT_TRUE(g.Rejected);
  EXPECT_EQ(g.Pos, 5);
  EXPECT_FALSE(g.Minus);
}

TEST(GetDate, TypingAndValidity) {
  Bound b{Value(Date())};
  Get g(b.Binding());
  g.SetFocus();
  EXPECT_EQ(g.cPicMask, "99/99/99");
  EXPECT_EQ(g.Buffer, "  /  /  ");
  EXPECT_FALSE(g.BadDate);
  Press(g, Over("a"));
  EXPECT_TRUE(g.Rejected);
  Press(g, Over("1324"));
  EXPECT_EQ(g.Buffer, "13/24/  ");
  EXPECT_TRUE(g.BadDate);
  g.Home();
  Press(g, Over("022999"));  // 1999 has no 29th of February
  EXPECT_TRUE(g.BadDate);
  g.Home();
  Press(g, Over("022996"));
  EXPECT_FALSE(g.BadDate);
  EXPECT_TRUE(g.TypeOut);
  g.KillFocus();
  EXPECT_EQ(b.var, Value(Date::FromYmd(1996, 2, 29)));
}

TEST(GetLogical, LettersAndConversion) {
  Bound b{Value(false)};
  Get g(b.Binding(), "Y");
  g.SetFocus();
  EXPECT_EQ(g.Buffer, "N");
  Press(g, Over("x"));
  EXPECT_TRUE(g.Rejected);
  Press(g, Over("y"));
  EXPECT_EQ(g.Buffer, "Y");
  EXPECT_EQ(g.UnTransform(), Value(true));
  g.Home();
  Press(g, Over("t"));  // the mask "Y" takes only Y and N
  EXPECT_TRUE(g.Rejected);
  g.KillFocus();
  EXPECT_EQ(b.var, Value(true));
}

TEST(GetSettingsTest, StartValues) {
  const GetSettings& s = EditSettings();
  EXPECT_FALSE(s.lInsert);
  EXPECT_FALSE(s.lConfirm);
  EXPECT_FALSE(s.lBell);
  EXPECT_EQ(s.cDateFormat, "mm/dd/yy");
}

}  // namespace
}  // namespace meridan
