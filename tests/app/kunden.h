// The test tables of the app tests and the info file expected for the KUNDEN table.
#pragma once

#include <string>

#include "runtime/format.h"
#include "tests/table/dbf_builder.h"
#include "ui/textmeasure.h"

namespace meridan::testing {

// dBASE III with a DBT memo: the five handled types and one integer field.
inline std::string KundenDbf() {
  return DbfBytes{.version = 0x83,
                  .descriptors = {Descriptor("NR", 'N', 5), Descriptor("NAME", 'C', 30),
                                  Descriptor("GEBURT", 'D', 8), Descriptor("NOTIZ", 'M', 10),
                                  Descriptor("AKTIV", 'L', 1), Descriptor("ANZAHL", 'I', 4)}}
      .Bytes();
}
inline std::string KundenDbt() { return std::string(512, '\0'); }

// A table without memo kind but with a memo field: its open raises an error
// that permits no answer but a break.
inline std::string NoMemoKindDbf() {
  return DbfBytes{.version = 0x03, .descriptors = {Descriptor("NOTIZ", 'M', 10)}}.Bytes();
}

// The Linux stand-in for the system font: blank 5 pixels, all else 8.
inline int FixedWidth(const std::string& s) {
  int w = 0;
  for (char c : s) w += c == ' ' ? 5 : 8;
  return w;
}

inline std::string Structure(const std::string& name, const char* type, int len, int dec,
                             const TextWidthFn& width) {
  return "AADD(DBFARRAY, {\"" + name + "\",  \"" + type + "\"," + xPadL(Str(len, 3), 15, " ", width) +
         "," + xPadL(Str(dec, 1), 10, " ", width) + "})";
}

// The info file of KundenDbf() for `cFile`; `area` is the prefix of sections
// 6 and 7 ("" or "(3)->").
inline std::string KundenInfo(const std::string& cFile, const std::string& area, const TextWidthFn& width) {
  const std::string s = "\r\n";
  return "// STRUCTURE() for : " + cFile + s + s +
         Structure("NR", "N", 5, 0, width) + s + Structure("NAME", "C", 30, 0, width) + s +
         Structure("GEBURT", "D", 8, 0, width) + s + Structure("NOTIZ", "M", 10, 0, width) + s +
         Structure("AKTIV", "L", 1, 0, width) + s + Structure("ANZAHL", "I", 4, 0, width) + s + s +
         "// FELD-Definitionen mit ALIAS f\xfcr : " + cFile + s + s +
         "FIELD KUNDEN->NR,KUNDEN->NAME,KUNDEN->GEBURT,KUNDEN->NOTIZ" + s +
         "FIELD KUNDEN->AKTIV,KUNDEN->ANZAHL" + s + s +
         "// FIELD-Definitionen  f\xfcr : " + cFile + s + s +
         "FIELD NR,NAME,GEBURT,NOTIZ,AKTIV,ANZAHL" + s + s +
         "// LOCAL-Definitionen f\xfcr : " + cFile + s + s +
         "LOCAL nNR, cNAME, dGEBURT, mNOTIZ, lAKTIV" + s + s +
         "// CONSTANTEN -Initialisierung f\xfcr : " + cFile + s + s +
         "nNR :=  0" + s + "cNAME := SPACE(30)" + s + "dGEBURT := DTOC(\"  .  .    \")" + s +
         "mNOTIZ :=  \"\"" + s + "lAKTIV :=  .F." + s + s +
         "// SAVE Felder f\xfcr : " + cFile + s + s +
         "nNR := " + area + "NR" + s + "cNAME := " + area + "NAME" + s + "dGEBURT := " + area + "GEBURT" + s +
         "mNOTIZ := " + area + "NOTIZ" + s + "lAKTIV := " + area + "AKTIV" + s + s +
         "// FELD- Replaces f\xfcr : " + cFile + s + s +
         area + "NR :=  nNR" + s + area + "NAME :=  cNAME" + s + area + "GEBURT :=  dGEBURT" + s +
         area + "NOTIZ :=  mNOTIZ" + s + area + "AKTIV :=  lAKTIV";
}

// The seven headings with their empty lines: the info file of an empty field list.
inline std::string HeadingsOnly(const std::string& cFile) {
  const char* h[7] = {"// STRUCTURE() for : ", "// FELD-Definitionen mit ALIAS f\xfcr : ",
                      "// FIELD-Definitionen  f\xfcr : ", "// LOCAL-Definitionen f\xfcr : ",
                      "// CONSTANTEN -Initialisierung f\xfcr : ", "// SAVE Felder f\xfcr : ",
                      "// FELD- Replaces f\xfcr : "};
  std::string out;
  for (int i = 0; i < 7; ++i) out += (i ? "\r\n\r\n" : "") + std::string(h[i]) + cFile + "\r\n";
  return out;
}

}  // namespace meridan::testing
