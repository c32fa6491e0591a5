// Leak reports the chart's fuzz targets leave to the system libraries: the font configuration
// library keeps the patterns of every font it was asked to match (new scripts, new families) in
// caches of its own for the life of the process, which the leak check at the end of a run sees
// as lost. Our own allocations are still checked.

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
