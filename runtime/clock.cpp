// Local clock readings; std::localtime is enough on the one program thread.
#include "runtime/clock.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace meridan {

namespace {
Date g_start_date;
double g_start_seconds = 0;

struct Now {
  std::tm tm{};
  int hundredths = 0;
};

Now ReadNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  Now n;
  if (const std::tm* lt = std::localtime(&t)) n.tm = *lt;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  n.hundredths = static_cast<int>((ms % 1000) / 10);
  return n;
}
}  // namespace

Date Today() {
  const Now n = ReadNow();
  return Date::FromYmd(n.tm.tm_year + 1900, n.tm.tm_mon + 1, n.tm.tm_mday);
}

double SecondsNow() {
  const Now n = ReadNow();
  return n.tm.tm_hour * 3600.0 + n.tm.tm_min * 60.0 + n.tm.tm_sec + n.hundredths / 100.0;
}

void RecordStartStamp() {
  g_start_date = Today();
  g_start_seconds = SecondsNow();
}

Date StartDate() { return g_start_date; }
double StartSeconds() { return g_start_seconds; }

}  // namespace meridan
