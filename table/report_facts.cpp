// What the error report shows of the table layer: the registered drivers and
// every open table with its position, orders and relations.
#include "table/workarea.h"

#include "errors/sysinfo.h"

namespace meridan {

namespace {

std::vector<std::string> Drivers() {
  std::vector<std::string> names;
  const Value list = RddList();
  for (const Value& v : *list.AsArray()) names.push_back(v.AsText());
  return names;
}

std::vector<OpenTableFacts> Tables() {
  std::vector<OpenTableFacts> tables;
  const int current = Select();
  for (int area = 1; area <= 255; ++area) {
    if (Alias(area).empty()) continue;
    OpenTableFacts t;
    t.area = area;
    t.current = area == current;
    // Every value is read in its own area; EvalInArea puts the current one back.
    EvalInArea(area, [&t] {
      t.alias = Alias();
      t.driver = RddName();
      t.recno = RecNo();
      t.reccount = RecCount();
      t.bof = Bof();
      t.eof = Eof();
      t.controlling_order = IndexOrd();
      for (int j = 1; j <= 15; ++j) t.orders.push_back({IndexKey(j), OrdName(j)});
      for (int j = 1; j <= 8; ++j) {
        const int target = DbRSelect(j);
        t.relations.push_back({target, DbRelation(j), target ? Alias(target) : std::string()});
      }
      return Value();
    });
    tables.push_back(std::move(t));
  }
  return tables;
}

}  // namespace

void RegisterTableReportFacts() { SetTableFactsProvider({.drivers = Drivers, .tables = Tables}); }

}  // namespace meridan
