// Today's date, the time of day, and the start stamp recorded at start-up.
#pragma once

#include "runtime/value.h"

namespace meridan {

Date Today();
double SecondsNow();  // seconds since local midnight, with hundredths

// Recorded by an initialisation procedure before MAIN runs.
void RecordStartStamp();
Date StartDate();
double StartSeconds();

}  // namespace meridan
