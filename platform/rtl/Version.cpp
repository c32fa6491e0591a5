#include "platform/rtl/Version.h"

std::string ProgramFileVersion() {
    return QUORVAN4_VERSION;
}
