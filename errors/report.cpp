// Builds the report text line by line; no system calls happen here.
#include "errors/report.h"

#include <cmath>

#include "errors/handler.h"
#include "runtime/callstack.h"
#include "runtime/format.h"

namespace meridan {

namespace {
const std::string kNl = "\r\n";

std::string Right(long n, std::size_t width) {
  const std::string s = std::to_string(n);
  return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}
std::string Flag(bool b) { return b ? ".T." : ".F."; }
}  // namespace

std::string CGETINFO(const Value& v) {
  if (v.TypeLetter() == 'C') return "\"" + v.AsText() + "\"";
  if (v.IsObject()) return "Class: " + v.AsObject()->ClassName();
  if (v.IsArray()) return "Len: " + Right(static_cast<long>(v.AsArray()->size()), 4);
  return cValToChar(v);
}

std::string ByteSizeText(long size) {
  std::string digits = std::to_string(size < 0 ? 0 : size), grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  // Larger files keep every digit rather than turning into asterisks.
  if (grouped.size() < 9) grouped = std::string(9 - grouped.size(), ' ') + grouped;
  return grouped + " bytes";
}

double ElapsedSeconds(Date start, double start_seconds, Date now, double now_seconds) {
  if (now == start) return std::max(0.0, now_seconds - start_seconds);
  if (now < start) return 0;
  const double days = now.DayNumber() - start.DayNumber();
  return (86400 - start_seconds) + (days - 1) * 86400 + now_seconds;
}

std::string ElapsedText(double s) {
  const long h = static_cast<long>(std::floor(s / 3600));
  const long m = static_cast<long>(std::floor((s - 3600.0 * h) / 60));
  const long sec = static_cast<long>(std::floor(s - 3600.0 * h - 60.0 * m));
  return std::to_string(h) + " hours " + std::to_string(m) + " mins " + std::to_string(sec) + " secs ";
}

int RoundProcessorSpeed(float f) {
  const long k = static_cast<long>((f + 8.333333333333334) * 0.06);
  long r = static_cast<long>(k * 16.666666666666668 + 0.5);
  if (r % 100 == 67 && r != 667) r -= 1;
  if (std::fabs(f - r) > std::fabs(f - 75)) r = 75;
  if (r < 50) r = static_cast<long>(f + 0.5);
  return static_cast<int>(r);
}

void AddWindowTitle(std::vector<std::string>& titles, const std::string& title) {
  for (const auto& t : titles)
    if (t.compare(0, title.size(), title) == 0) return;
  titles.push_back(title);
}

std::vector<ReportLevel> CollectLevels() {
  std::vector<ReportLevel> levels;
  for (std::size_t i = 2; i <= 73; ++i) {
    const Frame* f = StackLevel(i);  // level 0 is the caller, which declares no frame in between
    if (!f) continue;
    ReportLevel level{f->Name(), f->Module(), f->CurrentLine(), {}, {}};
    for (auto& v : f->Params()) level.params.push_back(v.value);
    for (auto& v : f->Locals()) level.locals.push_back(v.value);
    levels.push_back(std::move(level));
  }
  return levels;
}

Report BuildReport(const Error& e, const SystemFacts& f, const std::vector<ReportLevel>& levels) {
  Report r;
  std::string& t = r.text;
  t += "Anwendung" + kNl + "==========" + kNl;
  t += "   Pfad und Name : " + f.program_path + " (32 bits)" + kNl;
  t += "   Gr\xf6\xdf" "e : " + ByteSizeText(f.file_size) + kNl;
  t += "   Zeit ab Start : " + ElapsedText(f.elapsed_seconds) + kNl;
  t += "   Fehler aufgetreten am : " + DateText(f.today) + ", " + TimeText(f.now_seconds) + kNl;
  r.message_line = "   Fehler Beschreibung : " + ERRORMESSAGE(e) + kNl;
  t += r.message_line;
  if (e.Args) {
    t += "   Args:" + kNl;
    long i = 1;
    for (const auto& a : *e.Args)
      t += "     [" + Right(i++, 4) + "] = " + a.TypeLetter() + "   " + cValToChar(a) + kNl;
  }

  t += kNl + "Stack Aufrufe" + kNl + "===========" + kNl;
  for (const auto& l : levels) {
    const std::string entry = "   Aufruf von : " + l.module + " => " + l.name + "(" + std::to_string(l.line) + ")";
    r.stack_list.push_back(entry);
    t += entry + kNl;
  }
  if (e.CanRetry) ++r.buttons;
  if (e.CanDefault) ++r.buttons;

  t += kNl + "System" + kNl + "======" + kNl;
  t += "   CPU type: " + f.cpu_name + " " + std::to_string(f.cpu_mhz) + " Mhz" + kNl;
  t += "   Hardware Memory: " + std::to_string(f.physical_memory / 1048576 + 1) + " megs" + kNl + kNl;
  const std::string res = std::to_string(f.free_resources);
  t += "   Freier System-Speicher : " + res + " %" + kNl;
  t += "   GDI    Speicher : " + res + " %" + kNl;
  t += "   Anwendungen   Speicher : " + res + " %" + kNl + kNl;
  t += "   Compiler-Version: " + f.compiler + kNl;
  t += "   Windows-Version: " + std::to_string(f.os_major) + "." + std::to_string(f.os_minor) + ", Stand " +
       std::to_string(f.os_build) + " " + f.service_pack + kNl + kNl;
  t += "   laufende Windows-Anwendungen gesamt : " + std::to_string(f.window_titles.size()) + kNl;
  for (std::size_t i = 0; i < f.window_titles.size(); ++i)
    t += "    " + Right(static_cast<long>(i + 1), 3) + " " + f.window_titles[i] + kNl;

  t += kNl + "Variable in Gebrauch " + kNl + "====================" + kNl;
  t += "   Prozedur     Typ   Wert" + kNl + "   ==========================" + kNl;
  for (const auto& l : levels) {
    t += "   " + l.name + kNl;
    long j = 1;
    for (const auto& v : l.params)
      t += "     Param " + Right(j++, 3) + ":    " + v.TypeLetter() + "    " + CGETINFO(v) + kNl;
    for (const auto& v : l.locals)
      t += "     Local " + Right(j++, 3) + ":    " + v.TypeLetter() + "    " + CGETINFO(v) + kNl;
  }

  t += kNl + "Genutzte RDDs" + kNl + "=============" + kNl;
  for (const auto& d : f.drivers) t += "   " + d + kNl;

  t += kNl + "ge\xf6" "ffnete Datenbank  " + kNl + "===================" + kNl;
  for (const auto& a : f.tables) {
    if (a.alias.empty()) continue;
    t += kNl + Right(a.area, 3) + ": " + (a.current ? "=> " : "   ") + PadRight(a.alias, 15) +
         std::string(20, ' ') + "RddName: " + a.driver + kNl;
    t += "     ==============================" + kNl;
    t += "     RecNo    RecCount    BOF   EOF" + kNl;
    t += "    " + Right(a.recno, 7) + std::string(6, ' ') + Right(a.reccount, 7) + std::string(6, ' ') +
         Flag(a.bof) + "   " + Flag(a.eof) + kNl + kNl;
    if (a.driver.rfind("ARRAYRDD", 0) == 0) continue;
    t += "     ge\xf6" "ffnete Indexdateien " + std::string(23, ' ') + "TagName" + kNl;
    for (std::size_t j = 0; j < a.orders.size() && j < 15; ++j) {
      if (a.orders[j].key.empty()) continue;
      t += std::string(8, ' ') + (static_cast<int>(j + 1) == a.controlling_order ? "=> " : "   ") +
           PadRight(a.orders[j].key, 35) + a.orders[j].tag + kNl;
    }
    t += kNl + "     Relationen ge\xf6" "ffnet : " + kNl;
    for (std::size_t j = 0; j < a.relations.size() && j < 8; ++j) {
      const auto& rel = a.relations[j];
      if (rel.target_area == 0) continue;
      t += std::string(8, ' ') + Right(static_cast<long>(j + 1), 10) + ": " + "TO " + rel.expression +
           " INTO " + rel.target_alias + kNl;
    }
  }

  t += kNl + "genutzte Klassen :" + kNl + "==================" + kNl;
  for (std::size_t i = 0; i < f.classes.size(); ++i)
    t += "   " + Right(static_cast<long>(i + 1), 3) + " " + f.classes[i] + kNl;

  t += kNl + "Speicher Analyse" + kNl + "================" + kNl;
  t += "      " + std::to_string(f.static_variables) + " Statische Variable" + kNl + kNl;
  t += "   Dynamischer Speicher-Verbrauch :" + kNl;
  t += "      Aktueller Wert : " + Right(f.dynamic_current, 10) + " bytes" + kNl;
  t += "      H\xf6" "chster Wert : " + Right(f.dynamic_peak, 10) + " bytes" + kNl;
  return r;
}

}  // namespace meridan
