// Translation project files from arbitrary bytes: loading one into a localiser either works or
// raises one of the program's errors (a damaged or cut file); nothing else may escape, nothing
// may be read outside the input. An even first byte puts the header in front of the rest, so
// that the index and the stored localisers are reached.

#include "FuzzForm.h"

#include "i18n/lang/LPBFileManager.h"
#include "i18n/lang/LocLang.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Streams.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    InitLocaliserClasses();
    std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] % 2 == 0)
        bytes = TLPBFileManager::FileHeader() + bytes;
    TFuzzForm form(nullptr);
    auto* loc = new TLocLang(&form);
    TLPBFileManager manager;
    TStringStream stream(bytes);
    try {
        manager.LoadFromStream(loc, "TFuzzForm", stream);
    } catch (const Exception&) {
    }
    return 0;
}
