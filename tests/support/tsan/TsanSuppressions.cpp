// Linked into every test program of a thread-sanitizer build (see q4_test).
//
// Qt and libpng are not built with the thread sanitizer: their worker pools (image conversion,
// PNG writing) synchronise through code it does not see, which reads as races inside those
// libraries. Calls made from inside them are left out; every access our own code makes is still
// checked.
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n"
           "called_from_lib:libpng16.so.16\n";
}
