// The info file's text, byte for byte, for the field lists that matter.
#include "app/generator.h"

#include <gtest/gtest.h>

namespace meridan {
namespace {

// The Linux stand-in for the system font, fixed here so both targets agree.
int Width(const std::string& s) {
  int w = 0;
  for (char c : s) w += c == ' ' ? 5 : 8;
  return w;
}

std::string Info(const std::vector<FieldRow>& fields, int area = 0,
                 const std::string& file = "C:\\DATA\\KUNDEN.DBF", const std::string& base = "KUNDEN") {
  return JoinInfoLines(InfoLines({file, base, area, fields}, Width));
}

std::string Headings(const std::string& f, const std::string s[7]) {
  const char* h[7] = {"// STRUCTURE() for : ", "// FELD-Definitionen mit ALIAS f\xfcr : ",
                      "// FIELD-Definitionen  f\xfcr : ", "// LOCAL-Definitionen f\xfcr : ",
                      "// CONSTANTEN -Initialisierung f\xfcr : ", "// SAVE Felder f\xfcr : ",
                      "// FELD- Replaces f\xfcr : "};
  std::string out;
  for (int i = 0; i < 7; ++i) {
    if (i) out += "\r\n\r\n";
    out += h[i] + f + "\r\n" + s[i];
  }
  return out;
}

TEST(InfoFile, AllHandledTypesWithAnotherOne) {
  std::vector<FieldRow> f = {{"NR", "N", 5, 0}, {"NAME", "C", 30, 0}, {"DATUM", "D", 8, 0},
                             {"NOTIZ", "M", 10, 0}, {"AKTIV", "L", 1, 0}, {"ZAHL", "I", 4, 0}};
  const std::string body[7] = {
      "\r\nAADD(DBFARRAY, {\"NR\",  \"N\",  5, 0})\r\n"
      "AADD(DBFARRAY, {\"NAME\",  \"C\", 30, 0})\r\n"
      "AADD(DBFARRAY, {\"DATUM\",  \"D\",  8, 0})\r\n"
      "AADD(DBFARRAY, {\"NOTIZ\",  \"M\", 10, 0})\r\n"
      "AADD(DBFARRAY, {\"AKTIV\",  \"L\",  1, 0})\r\n"
      "AADD(DBFARRAY, {\"ZAHL\",  \"I\",  4, 0})",
      "\r\nFIELD KUNDEN->NR,KUNDEN->NAME,KUNDEN->DATUM,KUNDEN->NOTIZ\r\nFIELD KUNDEN->AKTIV,KUNDEN->ZAHL",
      "\r\nFIELD NR,NAME,DATUM,NOTIZ,AKTIV,ZAHL",
      "\r\nLOCAL nNR, cNAME, dDATUM, mNOTIZ, lAKTIV",
      "\r\nnNR :=  0\r\ncNAME := SPACE(30)\r\ndDATUM := DTOC(\"  .  .    \")\r\n"
      "mNOTIZ :=  \"\"\r\nlAKTIV :=  .F.",
      "\r\nnNR := NR\r\ncNAME := NAME\r\ndDATUM := DATUM\r\nmNOTIZ := NOTIZ\r\nlAKTIV := AKTIV",
      "\r\nNR :=  nNR\r\nNAME :=  cNAME\r\nDATUM :=  dDATUM\r\nNOTIZ :=  mNOTIZ\r\nAKTIV :=  lAKTIV"};
  EXPECT_EQ(Info(f), Headings("C:\\DATA\\KUNDEN.DBF", body));
}

TEST(InfoFile, EmptyFieldListGivesHeadingsOnlyWithTypedBlanks) {
  const std::string body[7] = {};
  std::string typed = "C:\\DATA\\KUNDEN.DBF   ";
  std::string text = Info({}, 3, typed);
  EXPECT_EQ(text, Headings(typed, body));
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");  // the empty line after the last heading
}

std::vector<FieldRow> CharFields(int n) {
  std::vector<FieldRow> f;
  for (int i = 1; i <= n; ++i) f.push_back({"F" + std::to_string(i), "C", 1, 0});
  return f;
}

std::vector<std::string> Section(const std::vector<std::string>& lines, int n) {
  // Headings are the lines starting with "// "; the body runs to the next empty line.
  std::vector<std::string> body;
  int seen = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("// ", 0) == 0 && ++seen == n) {
      for (std::size_t j = i + 2; j < lines.size() && !lines[j].empty(); ++j) body.push_back(lines[j]);
    }
  }
  return body;
}

TEST(InfoFile, GroupingOfDeclarations) {
  struct Case { int fields; std::size_t s2, s3, s4; };
  for (Case c : {Case{4, 1, 1, 1}, Case{5, 2, 1, 1}, Case{7, 2, 1, 1}, Case{10, 3, 2, 2}}) {
    auto lines = InfoLines({"X.DBF", "X", 0, CharFields(c.fields)}, Width);
    EXPECT_EQ(Section(lines, 2).size(), c.s2) << c.fields;
    EXPECT_EQ(Section(lines, 3).size(), c.s3) << c.fields;
    EXPECT_EQ(Section(lines, 4).size(), c.s4) << c.fields;
  }
  auto lines = InfoLines({"X.DBF", "X", 0, CharFields(10)}, Width);
  EXPECT_EQ(Section(lines, 2).back(), "FIELD X->F9,X->F10");
  EXPECT_EQ(Section(lines, 3).back(), "FIELD F8,F9,F10");
  EXPECT_EQ(Section(lines, 4).back(), "LOCAL cF8, cF9, cF10");
}

TEST(InfoFile, LocalGroupOpenedByFirstHandledField) {
  // Positions 1 and 8 hold other types; positions 8 to 9 hold no handled field.
  std::vector<FieldRow> f = {{"A", "I", 4, 0}, {"B", "C", 1, 0}, {"C", "B", 8, 2}, {"D", "N", 2, 0},
                             {"E", "C", 1, 0}, {"F", "C", 1, 0}, {"G", "C", 1, 0}, {"H", "Y", 8, 4},
                             {"J", "I", 4, 0}};
  auto lines = InfoLines({"X.DBF", "X", 0, f}, Width);
  EXPECT_EQ(Section(lines, 4), (std::vector<std::string>{"LOCAL cB, nD, cE, cF, cG"}));
  EXPECT_EQ(Section(lines, 5).size(), 5u);
  EXPECT_EQ(Section(lines, 1).size(), 9u);
}

TEST(InfoFile, LengthsDecimalsAndAreas) {
  std::vector<FieldRow> f = {{"LANG", "C", 300, 0}, {"RIESIG", "C", 1000, 0}, {"BETRAG", "N", 19, 10}};
  auto lines = InfoLines({"X.DBF", "X", 12, f}, Width);
  EXPECT_EQ(Section(lines, 1), (std::vector<std::string>{
                                   "AADD(DBFARRAY, {\"LANG\",  \"C\",300, 0})",
                                   "AADD(DBFARRAY, {\"RIESIG\",  \"C\",***, 0})",
                                   "AADD(DBFARRAY, {\"BETRAG\",  \"N\", 19, *})"}));
  EXPECT_EQ(Section(lines, 5)[0], "cLANG := SPACE(300)");
  EXPECT_EQ(Section(lines, 5)[1], "cRIESIG := SPACE(***)");
  EXPECT_EQ(Section(lines, 6)[0], "cLANG := (12)->LANG");
  EXPECT_EQ(Section(lines, 7)[2], "(12)->BETRAG :=  nBETRAG");
  lines = InfoLines({"X.DBF", "X", -5, f}, Width);
  EXPECT_EQ(Section(lines, 6)[1], "cRIESIG := (-5)->RIESIG");
  EXPECT_EQ(Section(lines, 7)[0], "(-5)->LANG :=  cLANG");
}

TEST(InfoFile, NarrowerFontAddsMoreBlanks) {
  // Every character 4 pixels: " 30" (12) needs one blank to reach 15.
  auto narrow = [](const std::string& s) { return static_cast<int>(s.size()) * 4; };
  auto lines = InfoLines({"X.DBF", "X", 0, {{"NAME", "C", 30, 0}}}, narrow);
  EXPECT_EQ(Section(lines, 1)[0], "AADD(DBFARRAY, {\"NAME\",  \"C\",  30,  0})");
}

}  // namespace
}  // namespace meridan
