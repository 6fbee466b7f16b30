// Starting the holder program for the cross-process share tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace meridan::testing {

// The holder program beside the running test program.
std::string HolderPath();
// Starts `program` with `args`; 0 when it could not be started.
std::intptr_t Spawn(const std::string& program, const std::vector<std::string>& args);
// Waits for the process to end and answers its exit code (-1 on failure).
int WaitFor(std::intptr_t process);

}  // namespace meridan::testing
