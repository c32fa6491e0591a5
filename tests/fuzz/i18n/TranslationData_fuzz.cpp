// The localiser's stored tables on arbitrary bytes: the first byte chooses a plain load or an
// inherited form's merge and the number of languages; the rest is the "TranslationData" block
// (Windows code page or UTF-16). Reading never rejects a block, so nothing may escape; what was
// read must write and read back to the same lists.

#include "FuzzForm.h"

#include "i18n/lang/LocLang.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Streams.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const uint8_t mode = data[0];
    TFuzzForm form(nullptr);
    auto* loc = new TLocLang(&form);
    loc->IsInheritedOwner = (mode & 1) != 0;
    loc->SetNumOfLanguages(1 + (mode >> 1) % 4);
    TStringStream block(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    loc->ReadTranslationData(block);

    TStringStream written;
    loc->WriteTranslationData(written);
    TFuzzForm other(nullptr);
    auto* copy = new TLocLang(&other);
    copy->SetNumOfLanguages(loc->NumOfLanguages());
    TStringStream again(written.DataString());
    copy->ReadTranslationData(again);
    for (int kind = 0; kind < ListKindCount; ++kind) {
        // Entries with bytes the block cannot carry (line breaks, bytes 25 and 26, NUL) may
        // split or end early, and several entries of the form's own key come back reordered;
        // otherwise the lists must agree.
        TStrings* a = loc->GetStringsOfType(kind);
        TStrings* b = copy->GetStringsOfType(kind);
        bool comparable = true;
        int ownEntries = 0;
        for (int i = 0; i < a->Count(); ++i) {
            const std::string line = a->Get(i);
            comparable = comparable &&
                         line.find_first_of(std::string("\r\n\x19\x1A\0", 5)) == std::string::npos;
            ownEntries += line.rfind("TFuzzForm\x01", 0) == 0;
        }
        if (comparable && ownEntries < 2 && !a->Equals(*b))
            std::abort();
    }
    return 0;
}
