#include "platform/rtl/LocalePaper.h"

#include <clocale>
#include <cstdint>
#include <langinfo.h>
#include <locale.h>

bool LocalePaperSize(int& widthMm, int& heightMm) {
#if defined(__GLIBC__)
    // A locale object of its own: the process's locale stays as it is.
    locale_t paper = newlocale(LC_PAPER_MASK, "", static_cast<locale_t>(nullptr));
    if (paper == static_cast<locale_t>(nullptr))
        return false;
    // The C library hands these two numbers over in the pointer-sized result.
    const auto number = [paper](nl_item item) {
        return static_cast<int>(
            static_cast<uint32_t>(reinterpret_cast<uintptr_t>(nl_langinfo_l(item, paper))));
    };
    widthMm = number(_NL_PAPER_WIDTH);
    heightMm = number(_NL_PAPER_HEIGHT);
    freelocale(paper);
    return widthMm > 0 && heightMm > 0;
#else
    (void)widthMm, (void)heightMm;
    return false;
#endif
}
