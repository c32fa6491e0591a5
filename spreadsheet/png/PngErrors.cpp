#include "spreadsheet/png/PngErrors.h"

std::string ZlibErrorText(int code) {
    static const char* const texts[] = {
        "incompatible version (-6)",
        "buffer error (-5)",
        "insufficient memory (-4)",
        "data error (-3)",
        "stream error (-2)",
        "file error (-1)",
        "(0)",
        "stream end (1)",
        "need dictionary (2)",
    };
    if (code < -6 || code > 2)
        return "";
    return texts[code + 6];
}

void RaiseZlibError(int code) {
    throw EPNGZLIBError(std::string(pngtext::ZlibError) + ZlibErrorText(code));
}
