// make bench: meridan-cli over 10,000 tables of mixed kinds in one process, against the bare file work.
//
// The bare loop does only what the job cannot avoid per table: open the
// table, read its header and its field descriptors, close it; create the
// info file, write as many bytes as meridan-cli wrote for it, close it. It
// prints figures only; nothing here passes or fails on time.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
int kTables = 10000;

void Le(std::string& s, std::size_t at, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

bool Write(const fs::path& p, const std::string& bytes) {
  std::FILE* f = std::fopen(p.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// One table of kind k: 0 dBASE III, 1 dBASE III with DBT memo, 2 FoxPro with
// FPT memo, 3 Visual FoxPro; 1 to 60 fields of the types that kind holds.
void MakeTable(const fs::path& dir, int n, std::mt19937& rng) {
  const int kind = n % 4;
  const bool memo = kind == 1 || kind == 2;
  const bool fox = kind == 3;
  const std::string types = memo ? "CNDLMFI" : "CNDLFI";
  const int count = 1 + static_cast<int>(rng() % 60);
  std::string desc;
  int record = 1;
  for (int i = 0; i < count; ++i) {
    std::string d(32, '\0');
    std::string name = "F" + std::to_string(i) + "_" + std::to_string(n % 97);
    d.replace(0, name.size(), name);
    char t = types[rng() % types.size()];
    int len = 0, dec = 0;
    switch (t) {
      case 'C': len = 1 + static_cast<int>(rng() % (rng() % 8 ? 60 : 1200)); break;
      case 'N': case 'F': len = 1 + static_cast<int>(rng() % 19); dec = len > 2 ? static_cast<int>(rng() % (len - 1)) : 0; break;
      case 'D': len = 8; break;
      case 'L': len = 1; break;
      case 'M': len = 10; break;
      case 'I': len = 4; break;
    }
    d[11] = t;
    d[16] = static_cast<char>(len & 0xFF);
    d[17] = static_cast<char>(t == 'C' ? len >> 8 : dec);
    desc += d;
    record += len;
  }
  const int header = 32 + static_cast<int>(desc.size()) + 1 + (fox ? 263 : 0);
  std::string h(32, '\0');
  h[0] = static_cast<char>(kind == 0 ? 0x03 : kind == 1 ? 0x83 : kind == 2 ? 0xF5 : 0x30);
  Le(h, 8, static_cast<std::uint32_t>(header), 2);
  Le(h, 10, static_cast<std::uint32_t>(record), 2);
  std::string bytes = h + desc + '\x0d' + std::string(fox ? 263 : 0, '\0');
  const std::string base = "t" + std::to_string(n);
  Write(dir / (base + ".dbf"), bytes);
  if (kind == 1) Write(dir / (base + ".dbt"), std::string(512, '\0'));
  if (kind == 2) {
    std::string fpt(512, '\0');
    fpt[7] = 64;  // block size 64, big-endian at offset 6
    Write(dir / (base + ".fpt"), fpt);
  }
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: meridan_bench PATH-TO-meridan-cli [TABLES]\n");
    return 2;
  }
  if (argc > 2) kTables = std::max(1, std::atoi(argv[2]));
  const std::string tool = argv[1];
  std::error_code ec;
  const fs::path dir = fs::temp_directory_path() / ("meridan-bench-" + std::to_string(getpid()));
  fs::remove_all(dir, ec);
  fs::create_directories(dir);

  std::mt19937 rng(20261211);
  std::vector<std::string> names;
  for (int n = 0; n < kTables; ++n) {
    MakeTable(dir, n, rng);
    names.push_back((dir / ("t" + std::to_string(n) + ".dbf")).string());
  }
  std::printf("%d tables in %s (dBASE III, with DBT, FoxPro with FPT, Visual FoxPro; 1-60 fields)\n",
              kTables, dir.c_str());

  // meridan-cli over all tables in one process; its path lines go nowhere.
  std::vector<char*> args{const_cast<char*>(tool.c_str())};
  for (std::string& n : names) args.push_back(n.data());
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const auto t0 = std::chrono::steady_clock::now();
  pid_t pid = 0;
  int status = -1;
  if (posix_spawn(&pid, tool.c_str(), &actions, nullptr, args.data(), environ) == 0) waitpid(pid, &status, 0);
  const double tTool = Seconds(std::chrono::steady_clock::now() - t0);
  posix_spawn_file_actions_destroy(&actions);
  const int exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;

  // The sizes of the info files written, so the bare loop writes as much.
  std::vector<std::uintmax_t> sizes;
  int written = 0;
  for (int n = 0; n < kTables; ++n) {
    auto s = fs::file_size(dir / ("T" + std::to_string(n) + ".STR"), ec);
    sizes.push_back(ec ? 0 : s);
    written += ec ? 0 : 1;
  }

  std::string buffer(2048, '\0'), text;
  const auto t1 = std::chrono::steady_clock::now();
  for (int n = 0; n < kTables; ++n) {
    std::FILE* f = std::fopen(names[n].c_str(), "rb");
    if (!f) continue;
    std::size_t got = std::fread(buffer.data(), 1, 32, f);
    std::size_t header = got == 32 ? static_cast<unsigned char>(buffer[8]) | (static_cast<unsigned char>(buffer[9]) << 8) : 32;
    if (header > 32) {
      buffer.resize(header - 32);
      got = std::fread(buffer.data(), 1, header - 32, f);
    }
    std::fclose(f);
    text.assign(sizes[n], 'x');
    std::FILE* out = std::fopen((dir / ("t" + std::to_string(n) + ".bare")).c_str(), "wb");
    if (!out) continue;
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
  }
  const double tBare = Seconds(std::chrono::steady_clock::now() - t1);
  fs::remove_all(dir, ec);

  std::printf("meridan-cli: exit status %d, %d info files written, %.3f s, %.0f tables/s\n", exitCode,
              written, tTool, kTables / tTool);
  std::printf("bare file work (fopen/fread/fwrite): %.3f s, %.0f tables/s\n", tBare, kTables / tBare);
  std::printf("ratio (bare tables/s : meridan-cli tables/s): %.2f\n", (kTables / tBare) / (kTables / tTool));
  return 0;
}
