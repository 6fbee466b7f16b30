// The open tables and drivers as the error report reads them from the table layer.
#include <gtest/gtest.h>

#include "dbf_builder.h"
#include "errors/program.h"
#include "errors/report.h"
#include "errors/sysinfo.h"
#include "table/workarea.h"

namespace meridan {
namespace {

using testing::DbfBytes;
using testing::Descriptor;
using testing::MemoryFiles;

TEST(ReportFacts, ListEveryOpenTableReadInItsOwnAreaAndLeaveTheCurrentOne) {
  ResetRaisingStateForTests();
  MemoryFiles fs;
  SetTableFileIo(&fs);
  const std::string record = " " + std::string(5, 'x');
  fs.files["C:\\DATA\\KUNDEN.DBF"] =
      DbfBytes{.descriptors = {Descriptor("NAME", 'C', 5)}, .records = record + record}.Bytes();
  fs.files["C:\\DATA\\ARTIKEL.DBF"] = DbfBytes{.descriptors = {Descriptor("NR", 'N', 5)}}.Bytes();
  DbCloseAll();
  DbSelectArea(1);
  ASSERT_TRUE(DbUseArea(false, {}, std::string("C:\\DATA\\KUNDEN.DBF"), {}, {}, false));
  DbSelectArea(3);
  ASSERT_TRUE(DbUseArea(false, {}, std::string("C:\\DATA\\ARTIKEL.DBF"), {}, {}, false));
  DbSelectArea(1);

  const SystemFacts facts = ReadSystemFacts();
  EXPECT_EQ(Select(), 1);
  EXPECT_EQ(facts.drivers, (std::vector<std::string>{"DBF", "DBFFPT", "DBFBLOB", "DBFNTX"}));
  ASSERT_EQ(facts.tables.size(), 2u);
  const OpenTableFacts& kunden = facts.tables[0];
  EXPECT_EQ(kunden.area, 1);
  EXPECT_TRUE(kunden.current);
  EXPECT_EQ(kunden.alias, "KUNDEN");
  EXPECT_EQ(kunden.driver, "DBFNTX");
  EXPECT_EQ(kunden.reccount, 2);
  EXPECT_EQ(kunden.orders.size(), 15u);
  EXPECT_EQ(kunden.relations.size(), 8u);
  EXPECT_EQ(facts.tables[1].area, 3);
  EXPECT_FALSE(facts.tables[1].current);
  EXPECT_EQ(facts.tables[1].alias, "ARTIKEL");
  EXPECT_EQ(facts.tables[1].reccount, 0);

  Error e;
  const std::string text = BuildReport(e, facts, {}).text;
  EXPECT_NE(text.find("Genutzte RDDs\r\n=============\r\n   DBF\r\n   DBFFPT\r\n   DBFBLOB\r\n   DBFNTX\r\n"),
            std::string::npos) << text;
  EXPECT_NE(text.find("\r\n  1: => KUNDEN         " + std::string(20, ' ') + "RddName: DBFNTX\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\n  3:    ARTIKEL        " + std::string(20, ' ') + "RddName: DBFNTX\r\n"), std::string::npos);

  DbCloseAll();
  EXPECT_TRUE(ReadSystemFacts().tables.empty());
  SetTableFileIo(nullptr);
}

}  // namespace
}  // namespace meridan
