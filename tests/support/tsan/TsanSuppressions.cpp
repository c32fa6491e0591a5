// Linked into every test program of a thread-sanitizer build (see q4_test).
//
// Qt, GLib and libpng are not built with the thread sanitizer, and they synchronise their own
// threads through futexes it does not see, so memory that one of their threads allocates and
// another frees or reuses reads as a race inside the library:
// - Qt's thread pools (image conversion and scaling, PNG writing) hand buffers between threads;
// - every thread Qt starts gets a GLib main context, whose memory GLib frees on another thread;
// - libpng's write callbacks run on those pool threads.
// "called_from_lib" leaves out only the calls these libraries make themselves (allocation,
// copies, locks); every access our own code makes is still checked, also when it runs inside
// their event loops.
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libglib-2.0.so.0\n"
           "called_from_lib:libpng16.so.16\n";
}
