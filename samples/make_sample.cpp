// Writes the sample table KUNDEN.DBF with its memo file KUNDEN.DBT (dBASE III with memo).
//
// The sample shows every kind of line the info file holds: the five handled
// field types (C, N, D, M, L) and one the generator only lists (F, dBASE IV
// float). Texts are Windows-1252. Build and run:
//   cmake --build build/native --target make_sample && build/native/bin/make_sample samples
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Field {
  const char* name;
  char type;
  int len;
  int dec;
};

const std::vector<Field> kFields = {
    {"NR", 'N', 5, 0},     {"NAME", 'C', 30, 0}, {"GEBURT", 'D', 8, 0},
    {"UMSATZ", 'N', 12, 2}, {"RABATT", 'F', 6, 2}, {"NOTIZ", 'M', 10, 0},
    {"AKTIV", 'L', 1, 0},
};

struct Customer {
  const char* nr;
  const char* name;
  const char* birth;
  const char* sales;
  const char* discount;
  const char* note;  // memo text, "" for none
  char active;
};

const std::vector<Customer> kCustomers = {
    {"1", "M\xfcller, Hans", "19580314", "12345.67", "2.50", "Stammkunde seit 1989.\r\nZahlt p\xfcnktlich.", 'T'},
    {"2", "Schr\xf6" "der & S\xf6hne GmbH", "19710902", "987.00", "0.00", "", 'T'},
    {"3", "Wei\xdf, Erika", "", "0.00", "5.00", "Adresse pr\xfc" "fen.", 'F'},
};

void Le(std::string& s, std::size_t at, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string Right(const std::string& v, int width) {
  return v.size() >= static_cast<std::size_t>(width) ? v.substr(0, width) : std::string(width - v.size(), ' ') + v;
}
std::string Left(const std::string& v, int width) {
  std::string s = v.substr(0, width);
  return s + std::string(width - s.size(), ' ');
}

bool WriteFile(const std::string& name, const std::string& bytes) {
  std::FILE* f = std::fopen(name.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? std::string(argv[1]) + "/" : "";

  // Memo file: a 512-byte header whose first four bytes name the next free
  // block, then one 512-byte block per note, each ended by two 0x1A bytes.
  std::string dbt(512, '\0');
  std::vector<std::string> memoRefs;
  for (const Customer& c : kCustomers) {
    if (!*c.note) {
      memoRefs.push_back("");
      continue;
    }
    memoRefs.push_back(std::to_string(dbt.size() / 512));
    std::string block = std::string(c.note) + "\x1a\x1a";
    block.resize((block.size() + 511) / 512 * 512, '\0');
    dbt += block;
  }
  Le(dbt, 0, static_cast<std::uint32_t>(dbt.size() / 512), 4);

  int recordLength = 1;
  for (const Field& f : kFields) recordLength += f.len;
  const int headerLength = 32 + 32 * static_cast<int>(kFields.size()) + 1;
  std::string dbf(32, '\0');
  dbf[0] = '\x83';
  dbf[1] = 126;  // last update 2026-12-11
  dbf[2] = 12;
  dbf[3] = 11;
  Le(dbf, 4, static_cast<std::uint32_t>(kCustomers.size()), 4);
  Le(dbf, 8, static_cast<std::uint32_t>(headerLength), 2);
  Le(dbf, 10, static_cast<std::uint32_t>(recordLength), 2);
  for (const Field& f : kFields) {
    std::string d(32, '\0');
    d.replace(0, std::string(f.name).size(), f.name);
    d[11] = f.type;
    d[16] = static_cast<char>(f.len & 0xFF);
    d[17] = static_cast<char>(f.type == 'C' ? f.len >> 8 : f.dec);
    dbf += d;
  }
  dbf += '\x0d';
  for (std::size_t i = 0; i < kCustomers.size(); ++i) {
    const Customer& c = kCustomers[i];
    dbf += ' ';
    dbf += Right(c.nr, 5) + Left(c.name, 30) + Left(c.birth, 8) + Right(c.sales, 12) +
           Right(c.discount, 6) + Right(memoRefs[i], 10) + c.active;
  }
  dbf += '\x1a';

  if (!WriteFile(dir + "kunden.dbf", dbf) || !WriteFile(dir + "kunden.dbt", dbt)) {
    std::perror("make_sample");
    return 1;
  }
  return 0;
}
