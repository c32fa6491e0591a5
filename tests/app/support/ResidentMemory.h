#pragma once
// The resident memory of the test process, for runs that check it stays flat.

#include <unistd.h>

#include <fstream>

namespace apptest {

// Bytes of this process held in memory now.
inline long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

} // namespace apptest
