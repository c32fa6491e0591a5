// Prints what the outside checkers of formats compare with.
//
//   spreadsheet_formats_dump masks     reads lines "value<TAB>mask" and prints each value
//                                      rendered with its mask (fixed English settings)

#include "spreadsheet/formats/ExcelMask.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

int RenderMasks() {
    std::string line;
    while (std::getline(std::cin, line)) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos)
            continue;
        TExcelMask mask(TFormatSettings::Invariant());
        mask.SetMask(line.substr(tab + 1));
        std::printf("%s\n", mask.FormatNumber(std::stod(line.substr(0, tab))).c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "masks") == 0)
        return RenderMasks();
    std::fprintf(stderr, "usage: %s masks\n", argv[0]);
    return 2;
}
