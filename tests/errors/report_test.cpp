// The report text byte for byte and the helpers that format its values.
#include "errors/report.h"

#include <gtest/gtest.h>

#include "errors/sysinfo.h"

namespace meridan {
namespace {

SystemFacts FixedFacts() {
  SystemFacts f;
  f.program_path = "C:\\MERIDAN\\MERIDAN.EXE";
  f.file_size = 52000;
  f.elapsed_seconds = 3725.4;
  f.today = Date::FromYmd(2026, 12, 11);
  f.now_seconds = 14 * 3600 + 5 * 60 + 7;
  f.cpu_name = "Intel(R) Pentium(R) 4";
  f.cpu_mhz = 2400;
  f.physical_memory = 536870912;
  f.compiler = "GNU C++ 13";
  f.os_major = 5;
  f.os_minor = 1;
  f.os_build = 2600;
  f.service_pack = "Service Pack 3";
  f.window_titles = {"MERIDAN", "Editor"};
  f.drivers = {"DBFNTX", "DBFCDX"};
  OpenTableFacts t;
  t.area = 1;
  t.current = true;
  t.alias = "KUNDEN";
  t.driver = "DBFNTX";
  t.recno = 3;
  t.reccount = 120;
  t.eof = true;
  t.controlling_order = 1;
  t.orders = {{"UPPER(NAME)", "NAME"}, {"", ""}, {"KDNR", "KDNR"}};
  t.relations = {{2, "KDNR", "AUFTRAG"}};
  OpenTableFacts arr;
  arr.area = 2;
  arr.alias = "AUFTRAG_MIT_LANGEM_NAMEN";
  arr.driver = "ARRAYRDD";
  arr.recno = 1;
  arr.bof = true;
  f.tables = {t, arr};
  f.classes = {"TDIALOG", "TGET"};
  f.static_variables = 12;
  return f;
}

TEST(Report, WholeTextForAFixedErrorFactsAndStack) {
  Error e;
  e.SubSystem = "BASE";
  e.GenCode = 5;
  e.SubCode = 1340;
  e.Description = "Zero divisor";
  e.Operation = "/";
  e.CanRetry = true;
  e.CanDefault = true;
  e.Args = Array{Value(10), Value("abc")};
  const std::vector<ReportLevel> levels = {
      {"DIVIDE", "", 0, {}, {}},
      {"MAKE_TXT", "meridan.cpp", 120, {Value("KUNDEN.DBF"), Value(1)},
       {Value::MakeArray(Array{Value(1), Value(2), Value(3)}), Value(), Value(true)}},
      {"MAIN", "meridan.cpp", 40, {}, {}},
  };
  const Report r = BuildReport(e, FixedFacts(), levels);
  const std::string expected =
      std::string("Anwendung\r\n"
      "==========\r\n"
      "   Pfad und Name : C:\\MERIDAN\\MERIDAN.EXE (32 bits)\r\n"
      "   Gr\xf6\xdf" "e :    52,000 bytes\r\n"
      "   Zeit ab Start : 1 hours 2 mins 5 secs \r\n"
      "   Fehler aufgetreten am : 12/11/26, 14:05:07\r\n"
      "   Fehler Beschreibung : Error BASE/1340  Zero divisor: /\r\n"
      "   Args:\r\n"
      "     [   1] = N   10\r\n"
      "     [   2] = C   abc\r\n"
      "\r\n"
      "Stack Aufrufe\r\n"
      "===========\r\n"
      "   Aufruf von :  => DIVIDE(0)\r\n"
      "   Aufruf von : meridan.cpp => MAKE_TXT(120)\r\n"
      "   Aufruf von : meridan.cpp => MAIN(40)\r\n"
      "\r\n"
      "System\r\n"
      "======\r\n"
      "   CPU type: Intel(R) Pentium(R) 4 2400 Mhz\r\n"
      "   Hardware Memory: 513 megs\r\n"
      "\r\n"
      "   Freier System-Speicher : 90 %\r\n"
      "   GDI    Speicher : 90 %\r\n"
      "   Anwendungen   Speicher : 90 %\r\n"
      "\r\n"
      "   Compiler-Version: GNU C++ 13\r\n"
      "   Windows-Version: 5.1, Stand 2600 Service Pack 3\r\n"
      "\r\n"
      "   laufende Windows-Anwendungen gesamt : 2\r\n"
      "      1 MERIDAN\r\n"
      "      2 Editor\r\n"
      "\r\n"
      "Variable in Gebrauch \r\n"
      "====================\r\n"
      "   Prozedur     Typ   Wert\r\n"
      "   ==========================\r\n"
      "   DIVIDE\r\n"
      "   MAKE_TXT\r\n"
      "     Param   1:    C    \"KUNDEN.DBF\"\r\n"
      "     Param   2:    N    1\r\n"
      "     Local   3:    A    Len:    3\r\n"
      "     Local   4:    U    \r\n"
      "     Local   5:    L    .T.\r\n"
      "   MAIN\r\n"
      "\r\n"
      "Genutzte RDDs\r\n"
      "=============\r\n"
      "   DBFNTX\r\n"
      "   DBFCDX\r\n"
      "\r\n"
      "ge\xf6" "ffnete Datenbank  \r\n"
      "===================\r\n"
      "\r\n") +
      "  1: => KUNDEN" + std::string(29, ' ') + "RddName: DBFNTX\r\n"
      "     ==============================\r\n"
      "     RecNo    RecCount    BOF   EOF\r\n"
      "          3          120      .F.   .T.\r\n"
      "\r\n"
      "     ge\xf6" "ffnete Indexdateien                        TagName\r\n"
      "        => UPPER(NAME)                        NAME\r\n"
      "           KDNR                               KDNR\r\n"
      "\r\n"
      "     Relationen ge\xf6" "ffnet : \r\n"
      "                 1: TO KDNR INTO AUFTRAG\r\n"
      "\r\n"
      "  2:    AUFTRAG_MIT_LAN                    RddName: ARRAYRDD\r\n"
      "     ==============================\r\n"
      "     RecNo    RecCount    BOF   EOF\r\n"
      "          1            0      .T.   .F.\r\n"
      "\r\n"
      "\r\n"
      "genutzte Klassen :\r\n"
      "==================\r\n"
      "     1 TDIALOG\r\n"
      "     2 TGET\r\n"
      "\r\n"
      "Speicher Analyse\r\n"
      "================\r\n"
      "      12 Statische Variable\r\n"
      "\r\n"
      "   Dynamischer Speicher-Verbrauch :\r\n"
      "      Aktueller Wert :          0 bytes\r\n"
      "      H\xf6" "chster Wert :          0 bytes\r\n";
  EXPECT_EQ(r.text, expected);
  EXPECT_EQ(r.message_line, "   Fehler Beschreibung : Error BASE/1340  Zero divisor: /\r\n");
  EXPECT_EQ(r.stack_list, (std::vector<std::string>{"   Aufruf von :  => DIVIDE(0)",
                                                    "   Aufruf von : meridan.cpp => MAKE_TXT(120)",
                                                    "   Aufruf von : meridan.cpp => MAIN(40)"}));
  EXPECT_EQ(r.buttons, 3);
}

TEST(Report, NoArgsLineWithoutAnArgsArrayAndOneButtonWithoutPermissions) {
  Error e;
  e.SubSystem = "DBCMD";
  const Report r = BuildReport(e, FixedFacts(), {});
  EXPECT_EQ(r.text.find("Args:"), std::string::npos);
  EXPECT_EQ(r.buttons, 1);
  EXPECT_NE(r.text.find("\r\nStack Aufrufe\r\n===========\r\n\r\nSystem\r\n"), std::string::npos);
}

TEST(Report, SizePicture) {
  EXPECT_EQ(ByteSizeText(52000), "   52,000 bytes");
  EXPECT_EQ(ByteSizeText(0), "        0 bytes");
  EXPECT_EQ(ByteSizeText(999), "      999 bytes");
  EXPECT_EQ(ByteSizeText(1234567), "1,234,567 bytes");
  EXPECT_EQ(ByteSizeText(12345678), "12,345,678 bytes");  // never asterisks: the size stays readable
}

TEST(Report, ElapsedTime) {
  const Date d = Date::FromYmd(2026, 12, 11);
  EXPECT_EQ(ElapsedText(3725.4), "1 hours 2 mins 5 secs ");
  EXPECT_DOUBLE_EQ(ElapsedSeconds(d, 100, d, 160.5), 60.5);
  EXPECT_DOUBLE_EQ(ElapsedSeconds(d, 86000, Date::FromDayNumber(d.DayNumber() + 2), 10), 400 + 86400 + 10);
  EXPECT_DOUBLE_EQ(ElapsedSeconds(d, 100, Date::FromDayNumber(d.DayNumber() - 1), 500), 0);
}

TEST(Report, ProcessorSpeedRounding) {
  struct Case { float f; int r; };
  for (const Case& c : {Case{66.6f, 66}, Case{166.5f, 166}, Case{666.6f, 667}, Case{2394.1f, 2400},
                        Case{74.0f, 75}, Case{33.2f, 33}, Case{199.9f, 200}}) {
    EXPECT_EQ(RoundProcessorSpeed(c.f), c.r) << c.f;
  }
}

TEST(Report, ValueTexts) {
  struct Named : Object {
    std::string ClassName() const override { return "TDIALOG"; }
  };
  EXPECT_EQ(CGETINFO(Value("x")), "\"x\"");
  EXPECT_EQ(CGETINFO(Value(std::static_pointer_cast<Object>(std::make_shared<Named>()))), "Class: TDIALOG");
  EXPECT_EQ(CGETINFO(Value::MakeArray(Array(12))), "Len:   12");
  EXPECT_EQ(CGETINFO(Value(Date::FromYmd(2026, 1, 2))), "01/02/26");
  EXPECT_EQ(CGETINFO(Value()), "");
}

TEST(Report, WindowTitlesSkipPrefixesOfListedOnes) {
  std::vector<std::string> titles;
  for (const char* t : {"", "MERIDAN - KUNDEN", "MERIDAN", "", "Editor"}) AddWindowTitle(titles, t);
  EXPECT_EQ(titles, (std::vector<std::string>{"", "MERIDAN - KUNDEN", "Editor"}));
}

TEST(SystemFactsOfThisMachine, AreFilledIn) {
  const SystemFacts f = ReadSystemFacts();
  EXPECT_FALSE(f.program_path.empty());
  EXPECT_GT(f.file_size, 0);
  EXPECT_GT(f.physical_memory, 0u);
  EXPECT_GT(f.cpu_mhz, 0);
  EXPECT_NE(f.compiler.find_first_of("0123456789"), std::string::npos) << f.compiler;
  EXPECT_GT(f.os_major, 0);
}

}  // namespace
}  // namespace meridan
