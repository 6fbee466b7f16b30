// The seven sections of the info file, built as text only so they can be
// checked byte for byte without a table, a file or a screen.
#include "app/generator.h"

#include "runtime/format.h"
#include "ui/textmeasure.h"

namespace meridan {

namespace {

// The prefix letter of the five handled types, or 0 for any other type.
char Prefix(const std::string& type) {
  if (type == "C") return 'c';
  if (type == "N") return 'n';
  if (type == "D") return 'd';
  if (type == "M") return 'm';
  if (type == "L") return 'l';
  return 0;
}

// Declaration lines of sections 2 and 3: "FIELD " + first, "," + the rest,
// `group` fields per line, an unfinished last group as one more line.
void FieldLines(std::vector<std::string>& out, const std::vector<FieldRow>& fields,
                std::size_t group, const std::string& alias) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    line += (i % group == 0 ? "FIELD " : ",") + alias + fields[i].name;
    if (i % group == group - 1) {
      out.push_back(line);
      line.clear();
    }
  }
  if (fields.size() % group != 0) out.push_back(line);
}

// Section 4. A group whose first position holds an unhandled type would
// otherwise start with ", c..." and no keyword, which does not compile as a
// declaration: the first handled field of each group opens the line instead,
// and a group without handled fields writes nothing.
void LocalLines(std::vector<std::string>& out, const std::vector<FieldRow>& fields) {
  constexpr std::size_t kGroup = 7;
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (char p = Prefix(fields[i].type)) {
      line += (line.empty() ? std::string("LOCAL ") : std::string(", ")) + p + fields[i].name;
    }
    if (i % kGroup == kGroup - 1 || i + 1 == fields.size()) {
      if (!line.empty()) out.push_back(line);
      line.clear();
    }
  }
}

}  // namespace

std::vector<std::string> InfoLines(const InfoInput& in, const TextWidthFn& width) {
  const std::string& f = in.cFile;
  const std::string alias = in.cBase + "->";
  const std::string area = in.nArea != 0 ? "(" + std::to_string(in.nArea) + ")->" : "";
  std::vector<std::string> out;

  auto heading = [&](const std::string& text, bool first) {
    if (!first) out.emplace_back();
    out.push_back(text + f);
    out.emplace_back();
  };

  heading("// STRUCTURE() for : ", true);
  for (const auto& r : in.fields) {
    out.push_back("AADD(DBFARRAY, {\"" + r.name + "\",  \"" + r.type + "\"," +
                  xPadL(Str(r.len, 3), 15, " ", width) + "," +
                  xPadL(Str(r.dec, 1), 10, " ", width) + "})");
  }

  heading("// FELD-Definitionen mit ALIAS f\xfcr : ", false);
  FieldLines(out, in.fields, 4, alias);

  heading("// FIELD-Definitionen  f\xfcr : ", false);
  FieldLines(out, in.fields, 7, "");

  heading("// LOCAL-Definitionen f\xfcr : ", false);
  LocalLines(out, in.fields);

  heading("// CONSTANTEN -Initialisierung f\xfcr : ", false);
  for (const auto& r : in.fields) {
    char p = Prefix(r.type);
    if (!p) continue;
    std::string line = std::string(1, p) + r.name;
    switch (p) {
      case 'c': line += " := SPACE(" + AllTrim(xPadL(Str(r.len, 3), 20, " ", width)) + ")"; break;
      case 'n': line += " :=  0"; break;
      case 'd': line += " := DTOC(\"  .  .    \")"; break;
      case 'm': line += " :=  \"\""; break;
      case 'l': line += " :=  .F."; break;
    }
    out.push_back(line);
  }

  heading("// SAVE Felder f\xfcr : ", false);
  for (const auto& r : in.fields) {
    if (char p = Prefix(r.type)) out.push_back(p + r.name + " := " + area + r.name);
  }

  heading("// FELD- Replaces f\xfcr : ", false);
  for (const auto& r : in.fields) {
    if (char p = Prefix(r.type)) out.push_back(area + r.name + " :=  " + p + r.name);
  }
  return out;
}

std::string JoinInfoLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  return text;
}

}  // namespace meridan
