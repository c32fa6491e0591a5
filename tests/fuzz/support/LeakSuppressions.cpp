// Linked into every fuzz target (see q4_fuzz).
//
// The font configuration library that Qt loads keeps the patterns of every font it was asked to
// match (new scripts, new families) in caches of its own for the life of the process, which the
// leak check sees as lost. Those allocations are the system library's and are left out of the
// report; every allocation made by our own code is still checked.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
