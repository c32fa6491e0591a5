#pragma once
// The shared part of description readers and writers: the value codes of the binary form, and
// the interface through which an object defines values of its own (DefineProperties).
//
// Binary form: the four signature bytes, then one object. An object is an optional prefix byte
// (0xF0 | flags, then the child position when flagged), its class name and its name (a length
// byte and the bytes each), its properties (name, then a value) up to a 0 byte, then its child
// objects up to a 0 byte. Every number is little-endian.

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Component.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"

#include <cstdint>
#include <functional>
#include <string>

enum TValueType : uint8_t {
    vaNull = 0, // end of a list
    vaList = 1, // values up to vaNull
    vaInt8 = 2, // 1, 2 or 4 signed bytes
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5, // 10-byte extended float
    vaString = 6,   // length byte + Windows-1251 bytes
    vaIdent = 7,    // length byte + bytes
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,  // 4-byte length + bytes
    vaSet = 11,     // element names (length byte + bytes), ended by an empty one
    vaLString = 12, // 4-byte length + Windows-1251 bytes
    vaNil = 13,
    vaCollection = 14, // items (optional index, then a list of properties), then vaNull
    vaSingle = 15,     // 4-byte float
    vaCurrency = 16,   // 8-byte integer, value x 10000
    vaDate = 17,       // 8-byte double, days since 1899-12-30
    vaWString = 18,    // 4-byte count of UTF-16 units + UTF-16LE
    vaInt64 = 19,
    vaUTF8String = 20, // 4-byte length + UTF-8 bytes
    vaDouble = 21,     // 8-byte double
};
constexpr int vaLast = vaDouble;

// The four bytes that open a binary description.
inline constexpr char FilerSignature[4] = {'T', 'P', 'F', '0'};

// Flags of an object's prefix byte.
enum TFilerFlag : uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

class TReader;
class TWriter;

using TReaderProc = std::function<void(TReader* reader)>;
using TWriterProc = std::function<void(TWriter* writer)>;
using TStreamProc = std::function<void(TStream& stream)>;

class TFiler {
public:
    virtual ~TFiler() = default;

    // A value stored under name, read and written by the object's own code; written only when
    // hasData. The binary form frames the bytes of a binary property with their length.
    virtual void DefineProperty(const std::string& name, const TReaderProc& readData,
                                const TWriterProc& writeData, bool hasData) = 0;
    virtual void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                      const TStreamProc& writeData, bool hasData) = 0;

    // The object being written is compared with this one (writing a descendant form); null
    // when there is none. DefineProperties may consult it to decide hasData.
    TPersistent* Ancestor() const { return ancestor_; }
    void SetAncestor(TPersistent* ancestor) { ancestor_ = ancestor; }
    // The top object of the description, and the one that names are looked up in.
    TComponent* Root() const { return root_; }
    void SetRoot(TComponent* root) { root_ = root; }
    TComponent* LookupRoot() const { return lookupRoot_; }

protected:
    TPersistent* ancestor_ = nullptr;
    TComponent* root_ = nullptr;
    TComponent* lookupRoot_ = nullptr;
};

// Converts a double to the 10-byte extended form and back (the way back rounds to nearest).
void DoubleToExtended(double value, uint8_t out[10]);
double ExtendedToDouble(const uint8_t in[10]);
