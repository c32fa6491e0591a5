#pragma once
// Little helpers for the binary "Data" values that tree nodes and list items keep in
// descriptions: 32-bit little-endian numbers and length-prefixed UTF-8 texts, read with checks so
// that a damaged description raises EReadError instead of building nonsense.

#include "platform/classes/Filer.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"

#include <cstdint>
#include <string>

namespace stored_data {

inline void PutInt(TStream& s, int32_t v) {
    uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                    static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
    s.WriteBuffer(b, 4);
}

inline int32_t GetInt(TStream& s) {
    uint8_t b[4];
    s.ReadBuffer(b, 4);
    return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                static_cast<uint32_t>(b[2]) << 16 |
                                static_cast<uint32_t>(b[3]) << 24);
}

inline void PutText(TStream& s, const std::string& text) {
    PutInt(s, static_cast<int32_t>(text.size()));
    s.WriteBytes(text);
}

inline int64_t Remaining(TStream& s) {
    return s.Size() - s.Position();
}

// A count of records of at least minBytes each that must fit in what is left.
inline int32_t GetCount(TStream& s, int minBytes) {
    int32_t n = GetInt(s);
    if (n < 0 || static_cast<int64_t>(n) * minBytes > Remaining(s))
        throw EReadError("Invalid stored item count");
    return n;
}

inline std::string GetText(TStream& s) {
    int32_t n = GetCount(s, 1);
    std::string text(static_cast<size_t>(n), '\0');
    if (n > 0)
        s.ReadBuffer(text.data(), n);
    return text;
}

// Declares the "Data" binary value of an item list (tree nodes, list items): written when the list
// holds anything, or, when a descendant form is written, when it differs from the ancestor's.
template <class TItems> void DefineItemsData(TItems& items, TFiler* filer) {
    bool hasData = items.Count() > 0;
    if (auto* ancestor = dynamic_cast<TItems*>(filer->Ancestor())) {
        TMemoryStream mine, theirs;
        items.WriteData(mine);
        ancestor->WriteData(theirs);
        hasData = mine.Bytes() != theirs.Bytes();
    }
    filer->DefineBinaryProperty(
        "Data", [&items](TStream& s) { items.ReadData(s); },
        [&items](TStream& s) { items.WriteData(s); }, hasData);
}

} // namespace stored_data
