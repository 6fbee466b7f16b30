// Work areas, opening a table into one, its field list and the queries the
// error report uses. Process-wide state, used from the one program thread.
#pragma once

#include <functional>
#include <string>

#include "runtime/value.h"

namespace meridan {

// A number 1-65534 selects that area; any other value or none selects the
// lowest free area; a text selects the area of the table open under that alias.
void DbSelectArea(const Value& area = {});

// Arguments by position: new area, driver, file name, alias, shared,
// read-only, code page, connection. Unset arguments take their defaults.
bool DbUseArea(const Value& newArea = {}, const Value& driver = {}, const Value& fileName = {},
               const Value& alias = {}, const Value& shared = {}, const Value& readOnly = {},
               const Value& codePage = {}, const Value& connection = {});

// Rows {name, type, length, decimals, flags}; empty in a free area.
Value DbStruct();
void DbCloseAll();
int FCount();

// Selects `area`, evaluates `expr`, selects the previous area again.
Value EvalInArea(int area, const std::function<Value()>& expr);

Value RddList(int type = 1);
std::string Alias(int area = 0);
int Select();
std::string RddName();
long RecNo();
long RecCount();
long LastRec();
bool Bof();
bool Eof();
int IndexOrd();
std::string IndexKey(int order = 0);
std::string OrdName(int order = 0);
int DbRSelect(int relation = 0);
std::string DbRelation(int relation = 0);

// Block size of the memo file of the table in `area` (0: the current area):
// 512 for DBT, from the header for FPT and SMT; 0 when no memo file is open.
int MemoBlockSize(int area = 0);

// Makes DbCloseAll the program's close-all hook (errors/program.h). The
// first successful DbUseArea does this too, so a program that opens a table
// has its tables closed at its end without further set-up.
void RegisterTableCloseAllHook();

// Lets the error report list the drivers and the open tables. The table
// layer does this itself when it is part of the program.
void RegisterTableReportFacts();

}  // namespace meridan
