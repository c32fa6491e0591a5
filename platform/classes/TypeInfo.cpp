#include "platform/classes/TypeInfo.h"

#include <cctype>
#include <limits>

namespace {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

template <class T> TTypeInfo OrdinalInfo(TTypeKind kind, const char* name, TOrdType ord) {
    return TTypeInfo::Ordinal(kind, name, ord, std::numeric_limits<T>::min(),
                              std::numeric_limits<T>::max());
}

} // namespace

bool SameIdent(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x != y && std::tolower(x) != std::tolower(y))
            return false;
    }
    return true;
}

TTypeInfo TTypeInfo::Ordinal(TTypeKind kind, std::string name, TOrdType ordType, int64_t minValue,
                             int64_t maxValue) {
    TTypeInfo info;
    info.Kind = kind;
    info.Name = std::move(name);
    info.OrdType = ordType;
    info.MinValue = minValue;
    info.MaxValue = maxValue;
    return info;
}

TTypeInfo TTypeInfo::Simple(TTypeKind kind, std::string name) {
    TTypeInfo info;
    info.Kind = kind;
    info.Name = std::move(name);
    return info;
}

TTypeInfo TTypeInfo::EnumerationOf(std::string name, std::string_view commaSeparatedNames) {
    std::vector<std::string> names;
    while (!commaSeparatedNames.empty()) {
        size_t comma = commaSeparatedNames.find(',');
        names.emplace_back(TrimBlanks(commaSeparatedNames.substr(0, comma)));
        if (comma == std::string_view::npos)
            break;
        commaSeparatedNames.remove_prefix(comma + 1);
    }
    return Enumeration(std::move(name), std::move(names));
}

TTypeInfo TTypeInfo::Enumeration(std::string name, std::vector<std::string> names) {
    TTypeInfo info;
    info.Kind = tkEnumeration;
    info.Name = std::move(name);
    info.OrdType = names.size() <= 256 ? otUByte : otUWord;
    info.MinValue = 0;
    info.MaxValue = static_cast<int64_t>(names.size()) - 1;
    info.Names = std::move(names);
    return info;
}

TTypeInfo TTypeInfo::Set(const TTypeInfo* elementType) {
    TTypeInfo info;
    info.Kind = tkSet;
    info.Name = "set of " + elementType->Name;
    info.CompType = elementType;
    return info;
}

TTypeInfo TTypeInfo::Float(std::string name, TFloatType floatType) {
    TTypeInfo info;
    info.Kind = tkFloat;
    info.Name = std::move(name);
    info.FloatType = floatType;
    return info;
}

TTypeInfo TTypeInfo::Integer(std::string name,
                             std::vector<std::pair<int64_t, std::string>> idents) {
    TTypeInfo info =
        Ordinal(tkInteger, std::move(name), otSLong, std::numeric_limits<int32_t>::min(),
                std::numeric_limits<int32_t>::max());
    info.Idents = std::move(idents);
    return info;
}

const TTypeInfo* Q4TypeInfo(bool*) {
    static const TTypeInfo info = TTypeInfo::Enumeration("Boolean", {"False", "True"});
    return &info;
}
const TTypeInfo* Q4TypeInfo(char*) {
    static const TTypeInfo info = OrdinalInfo<unsigned char>(tkChar, "Char", otUByte);
    return &info;
}
const TTypeInfo* Q4TypeInfo(char16_t*) {
    static const TTypeInfo info = OrdinalInfo<char16_t>(tkWChar, "WideChar", otUWord);
    return &info;
}
const TTypeInfo* Q4TypeInfo(int8_t*) {
    static const TTypeInfo info = OrdinalInfo<int8_t>(tkInteger, "ShortInt", otSByte);
    return &info;
}
const TTypeInfo* Q4TypeInfo(uint8_t*) {
    static const TTypeInfo info = OrdinalInfo<uint8_t>(tkInteger, "Byte", otUByte);
    return &info;
}
const TTypeInfo* Q4TypeInfo(int16_t*) {
    static const TTypeInfo info = OrdinalInfo<int16_t>(tkInteger, "SmallInt", otSWord);
    return &info;
}
const TTypeInfo* Q4TypeInfo(uint16_t*) {
    static const TTypeInfo info = OrdinalInfo<uint16_t>(tkInteger, "Word", otUWord);
    return &info;
}
const TTypeInfo* Q4TypeInfo(int32_t*) {
    static const TTypeInfo info = OrdinalInfo<int32_t>(tkInteger, "Integer", otSLong);
    return &info;
}
const TTypeInfo* Q4TypeInfo(uint32_t*) {
    static const TTypeInfo info = OrdinalInfo<uint32_t>(tkInteger, "Cardinal", otULong);
    return &info;
}
const TTypeInfo* Q4TypeInfo(int64_t*) {
    static const TTypeInfo info = OrdinalInfo<int64_t>(tkInt64, "Int64", otSLong);
    return &info;
}
const TTypeInfo* Q4TypeInfo(float*) {
    static const TTypeInfo info = TTypeInfo::Float("Single", ftSingle);
    return &info;
}
const TTypeInfo* Q4TypeInfo(double*) {
    static const TTypeInfo info = TTypeInfo::Float("Double", ftDouble);
    return &info;
}
const TTypeInfo* Q4TypeInfo(std::string*) {
    static const TTypeInfo info = TTypeInfo::Simple(tkLString, "string");
    return &info;
}
const TTypeInfo* Q4TypeInfo(std::u16string*) {
    static const TTypeInfo info = TTypeInfo::Simple(tkWString, "WideString");
    return &info;
}
const TTypeInfo* ExtendedTypeInfo() {
    static const TTypeInfo info = TTypeInfo::Float("Extended", ftExtended);
    return &info;
}
const TTypeInfo* CurrencyTypeInfo() {
    static const TTypeInfo info = TTypeInfo::Float("Currency", ftCurr);
    return &info;
}
const TTypeInfo* DateTimeTypeInfo() {
    static const TTypeInfo info = TTypeInfo::Float("TDateTime", ftDouble);
    return &info;
}

const TTypeInfo* Q4TypeInfo(TTypeKind*) {
    static const TTypeInfo info = TTypeInfo::EnumerationOf(
        "TTypeKind", "tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, "
                     "tkClass, tkMethod, tkWChar, tkLString, tkWString, tkVariant, tkArray, "
                     "tkRecord, tkInterface, tkInt64, tkDynArray");
    return &info;
}

std::string GetEnumName(const TTypeInfo* type, int64_t value) {
    if (type->Kind != tkEnumeration)
        return std::to_string(value);
    if (value < 0 || value >= static_cast<int64_t>(type->Names.size()))
        return {};
    return type->Names[static_cast<size_t>(value)];
}

int GetEnumValue(const TTypeInfo* type, std::string_view name) {
    for (size_t i = 0; i < type->Names.size(); ++i)
        if (SameIdent(type->Names[i], name))
            return static_cast<int>(i);
    return -1;
}

std::string SetToString(const TTypeInfo* setType, uint64_t bits, bool brackets) {
    std::string text;
    const TTypeInfo* element = setType->CompType;
    for (size_t i = 0; i < element->Names.size() && i < 64; ++i) {
        if ((bits & (uint64_t{1} << i)) == 0)
            continue;
        if (!text.empty())
            text += ',';
        text += element->Names[i];
    }
    return brackets ? "[" + text + "]" : text;
}

uint64_t StringToSet(const TTypeInfo* setType, std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '[') {
        text.remove_prefix(1);
        if (text.empty() || text.back() != ']')
            throw EPropertyConvertError("Invalid property element: " + std::string(text));
        text.remove_suffix(1);
    }
    uint64_t bits = 0;
    while (!TrimBlanks(text).empty()) {
        size_t comma = text.find(',');
        std::string_view name = TrimBlanks(text.substr(0, comma));
        int value = GetEnumValue(setType->CompType, name);
        if (value < 0 || value >= 64)
            throw EPropertyConvertError("Invalid property element: " + std::string(name));
        bits |= uint64_t{1} << value;
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return bits;
}

bool IntToIdent(const TTypeInfo* type, int64_t value, std::string& ident) {
    for (const auto& [v, name] : type->Idents) {
        if (v == value) {
            ident = name;
            return true;
        }
    }
    return false;
}

bool IdentToInt(const TTypeInfo* type, std::string_view ident, int64_t& value) {
    for (const auto& [v, name] : type->Idents) {
        if (SameIdent(name, ident)) {
            value = v;
            return true;
        }
    }
    return false;
}
