#include "platform/rtl/Version.h"

#include <cstdio>

int main() {
    std::printf("QUORVAN-4 Configurator %s\n", ProgramFileVersion().c_str());
    return 0;
}
