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

// Whether resident memory tells whether a run leaks: the address sanitizer keeps freed memory
// aside for a while (its quarantine) and the thread sanitizer grows its shadow and history as the
// run goes on, so under either the figure grows without a leak, and the address sanitizer's own
// leak check stands in for it.
constexpr bool ResidentMemoryTellsLeaks() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
    return false;
#else
    return true;
#endif
#else
    return true;
#endif
}

} // namespace apptest
