#pragma once
// Type records of published properties: the kind of a value, the names of an enumeration, the
// element type of a set, identifiers of integer constants (colours, cursors), and the set type.
//
// An enumeration gets its names where it is declared, in one line:
//
//     Q4_ENUM(TPenStyle, psSolid, psDash, psDot);          // declares the enum and its names
//     Q4_ENUM_NAMES(TAlign, "alNone", "alTop", "alBottom"); // names for an enum declared elsewhere
//
// and a property of that type (or of TSet<TPenStyle>) then finds them by itself. Enumerations
// run from 0 without gaps.

#include "platform/classes/Object.h"
#include "platform/rtl/Exception.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A property that does not exist, or a value that does not fit a property.
Q4_EXCEPTION(EPropertyError, Exception);
Q4_EXCEPTION(EPropertyConvertError, Exception);

enum TTypeKind {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass,
    tkMethod,
    tkWChar,
    tkLString,
    tkWString,
    tkVariant,
    tkArray,
    tkRecord,
    tkInterface,
    tkInt64,
    tkDynArray
};
enum TOrdType { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };
enum TFloatType { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

struct TTypeInfo {
    TTypeKind Kind = tkUnknown;
    std::string Name;
    // Ordinal types: storage size and sign, and the range of values.
    TOrdType OrdType = otSLong;
    int64_t MinValue = 0;
    int64_t MaxValue = 0;
    // Enumerations: the value names, by ordinal.
    std::vector<std::string> Names;
    // Sets: the element type (an enumeration).
    const TTypeInfo* CompType = nullptr;
    // Floats.
    TFloatType FloatType = ftDouble;
    // Classes.
    TClass ClassType = nullptr;
    // Integers: named constants that descriptions write by name ("clRed").
    std::vector<std::pair<int64_t, std::string>> Idents;

    static TTypeInfo Ordinal(TTypeKind kind, std::string name, TOrdType ordType, int64_t minValue,
                             int64_t maxValue);
    // "a, b, c" or a list of names.
    static TTypeInfo EnumerationOf(std::string name, std::string_view commaSeparatedNames);
    static TTypeInfo Simple(TTypeKind kind, std::string name);
    static TTypeInfo Enumeration(std::string name, std::vector<std::string> names);
    static TTypeInfo Set(const TTypeInfo* elementType);
    static TTypeInfo Float(std::string name, TFloatType floatType);
    static TTypeInfo Integer(std::string name, std::vector<std::pair<int64_t, std::string>> idents);
};

// The built-in types.
const TTypeInfo* Q4TypeInfo(bool*);
const TTypeInfo* Q4TypeInfo(char*);
const TTypeInfo* Q4TypeInfo(char16_t*);
const TTypeInfo* Q4TypeInfo(int8_t*);
const TTypeInfo* Q4TypeInfo(uint8_t*);
const TTypeInfo* Q4TypeInfo(int16_t*);
const TTypeInfo* Q4TypeInfo(uint16_t*);
const TTypeInfo* Q4TypeInfo(int32_t*);
const TTypeInfo* Q4TypeInfo(uint32_t*);
const TTypeInfo* Q4TypeInfo(int64_t*);
const TTypeInfo* Q4TypeInfo(float*);
const TTypeInfo* Q4TypeInfo(double*);
const TTypeInfo* Q4TypeInfo(std::string*);
const TTypeInfo* Q4TypeInfo(std::u16string*);
// Float types that share double's storage but are stored differently.
const TTypeInfo* ExtendedTypeInfo();
const TTypeInfo* CurrencyTypeInfo();
const TTypeInfo* DateTimeTypeInfo();

// A small set of enumeration values (up to 64 of them), as a bit mask.
template <class E> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items) {
        for (E item : items)
            bits_ |= Bit(item);
    }
    static constexpr TSet FromBits(uint64_t bits) {
        TSet s;
        s.bits_ = bits;
        return s;
    }
    constexpr uint64_t Bits() const { return bits_; }
    constexpr bool Contains(E item) const { return (bits_ & Bit(item)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet& Include(E item) {
        bits_ |= Bit(item);
        return *this;
    }
    constexpr TSet& Exclude(E item) {
        bits_ &= ~Bit(item);
        return *this;
    }
    constexpr TSet operator+(TSet other) const { return FromBits(bits_ | other.bits_); }
    constexpr TSet operator-(TSet other) const { return FromBits(bits_ & ~other.bits_); }
    constexpr TSet operator*(TSet other) const { return FromBits(bits_ & other.bits_); }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr uint64_t Bit(E item) { return uint64_t{1} << static_cast<unsigned>(item); }
    uint64_t bits_ = 0;
};

template <class E> const TTypeInfo* Q4TypeInfo(TSet<E>*) {
    static const TTypeInfo info = TTypeInfo::Set(Q4TypeInfo(static_cast<E*>(nullptr)));
    return &info;
}

// Declares an enumeration (values from 0) together with its names.
#define Q4_ENUM(Name, ...)                                                                         \
    enum Name { __VA_ARGS__ };                                                                     \
    inline const TTypeInfo* Q4TypeInfo(Name*) {                                                    \
        static const TTypeInfo info = TTypeInfo::EnumerationOf(#Name, #__VA_ARGS__);               \
        return &info;                                                                              \
    }

// Gives the names of an enumeration declared elsewhere (values from 0, in order).
#define Q4_ENUM_NAMES(Name, ...)                                                                   \
    inline const TTypeInfo* Q4TypeInfo(Name*) {                                                    \
        static const TTypeInfo info = TTypeInfo::Enumeration(#Name, {__VA_ARGS__});                \
        return &info;                                                                              \
    }

const TTypeInfo* Q4TypeInfo(TTypeKind*);

// The name of an enumeration value ("psDash"; "True" for a Boolean); empty when out of range.
std::string GetEnumName(const TTypeInfo* type, int64_t value);
// The value of an enumeration name, ignoring case; -1 when there is none.
int GetEnumValue(const TTypeInfo* type, std::string_view name);
// "fsBold,fsItalic", or "[fsBold,fsItalic]" with brackets.
std::string SetToString(const TTypeInfo* setType, uint64_t bits, bool brackets = false);
// Reads "a,b" or "[a, b]"; raises EPropertyConvertError "Invalid property element: x".
uint64_t StringToSet(const TTypeInfo* setType, std::string_view text);
// Named integer constants of an integer type (colours, cursors).
bool IntToIdent(const TTypeInfo* type, int64_t value, std::string& ident);
bool IdentToInt(const TTypeInfo* type, std::string_view ident, int64_t& value);

// ASCII case-insensitive comparison of identifiers (class, component and property names).
bool SameIdent(std::string_view a, std::string_view b);
