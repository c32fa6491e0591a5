// The tree-node and list-item "Data" values of descriptions on arbitrary bytes: each either
// reads or raises EReadError; what was read writes back to data that reads to the same bytes.

#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"
#include "platform/stdctrls/ListItems.h"
#include "platform/stdctrls/TreeNodes.h"

#include <cstdint>
#include <string>

namespace {

template <class TItems> void RoundTrip(const std::string& bytes) {
    TItems items;
    try {
        TStringStream input(bytes);
        items.ReadData(input);
    } catch (const EReadError&) {
        return;
    }
    TStringStream written;
    items.WriteData(written);
    TItems again;
    TStringStream input(written.DataString());
    again.ReadData(input);
    TStringStream rewritten;
    again.WriteData(rewritten);
    if (rewritten.DataString() != written.DataString())
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    RoundTrip<TTreeNodes>(bytes);
    RoundTrip<TListItems>(bytes);
    return 0;
}
