#include "platform/classes/Properties.h"

#include "platform/classes/Component.h"
#include "platform/classes/Persistent.h"
#include "platform/rtl/CodePage.h"

#include <charconv>
#include <cstdlib>

void q4_detail::ThrowInvalidValue() {
    throw EPropertyConvertError("Invalid property value");
}

TObject* q4_detail::CheckedObject(TObject* object, TClass cls) {
    if (object != nullptr && !object->InheritsFrom(cls))
        ThrowInvalidValue();
    return object;
}

bool TPropInfo::IsStored(TObject* instance) const {
    if (stored_)
        return stored_(instance);
    return storedFlag_;
}

void TPropInfo::Set(TObject* instance, const TPropValue& value) const {
    if (!set_)
        throw EPropertyError("Property " + name_ + " is read-only");
    set_(instance, value);
}

TPropInfo& TPropertyList::Make(std::string_view name, const TTypeInfo* type) {
    auto info = std::unique_ptr<TPropInfo>(new TPropInfo());
    info->name_ = std::string(name);
    info->type_ = type;
    info->ownerClass_ = ownerClass_;
    list_.push_back(std::move(info));
    return *list_.back();
}

const TTypeInfo* StringsTypeInfo() {
    static const TTypeInfo info = TTypeInfo::Simple(tkClass, "TStrings");
    return &info;
}

namespace {

const TPropInfo* Require(const TObject* instance, std::string_view name) {
    const TPropInfo* info = GetPropInfo(instance, name);
    if (info == nullptr)
        throw EPropertyError("Property " + std::string(name) + " does not exist");
    return info;
}

bool IsOrdinal(TTypeKind kind) {
    return kind == tkInteger || kind == tkChar || kind == tkEnumeration || kind == tkSet ||
           kind == tkWChar || kind == tkInt64;
}

template <class T> const T& Expect(const TPropValue& value) {
    if (const T* p = std::get_if<T>(&value))
        return *p;
    q4_detail::ThrowInvalidValue();
}

// The component whose handler methods and names a property value refers to: the form that owns
// the instance (or the instance itself when it owns nothing and has no owner).
TComponent* LookupRoot(TObject* instance) {
    TPersistent* p = dynamic_cast<TPersistent*>(instance);
    while (p != nullptr && dynamic_cast<TComponent*>(p) == nullptr)
        p = p->GetOwner();
    auto* c = static_cast<TComponent*>(p);
    if (c != nullptr && c->Owner() != nullptr)
        return c->Owner();
    return c;
}

std::string FloatText(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool ParseInteger(std::string_view text, int64_t& value) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return false;
    uint64_t magnitude = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return false;
    if (base == 16 && !negative) {
        value = static_cast<int64_t>(magnitude);
        return true;
    }
    if (magnitude > static_cast<uint64_t>(INT64_MAX) + (negative ? 1 : 0))
        return false;
    value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

bool ParseFloat(std::string_view text, double& value) {
    std::string copy(text);
    for (char& c : copy)
        if (c == ',')
            c = '.';
    if (copy.empty())
        return false;
    auto result = std::from_chars(copy.data(), copy.data() + copy.size(), value);
    return result.ec == std::errc() && result.ptr == copy.data() + copy.size();
}

} // namespace

const TPropInfo* GetPropInfo(TClass cls, std::string_view name) {
    return cls->FindProperty(name);
}

const TPropInfo* GetPropInfo(const TObject* instance, std::string_view name) {
    return instance->ClassType()->FindProperty(name);
}

bool IsPublishedProp(const TObject* instance, std::string_view name) {
    return GetPropInfo(instance, name) != nullptr;
}

bool PropIsType(const TObject* instance, std::string_view name, TTypeKind kind) {
    return Require(instance, name)->Kind() == kind;
}

const std::vector<const TPropInfo*>& GetPropList(TClass cls) {
    return cls->Properties();
}

int64_t GetOrdProp(TObject* instance, std::string_view name) {
    return Expect<int64_t>(Require(instance, name)->Get(instance));
}

void SetOrdProp(TObject* instance, std::string_view name, int64_t value) {
    const TPropInfo* info = Require(instance, name);
    if (!IsOrdinal(info->Kind()))
        q4_detail::ThrowInvalidValue();
    info->Set(instance, value);
}

std::string GetEnumProp(TObject* instance, std::string_view name) {
    const TPropInfo* info = Require(instance, name);
    return GetEnumName(info->PropType(), Expect<int64_t>(info->Get(instance)));
}

void SetEnumProp(TObject* instance, std::string_view name, std::string_view value) {
    const TPropInfo* info = Require(instance, name);
    int ordinal = GetEnumValue(info->PropType(), value);
    if (info->Kind() != tkEnumeration || ordinal < 0)
        throw EPropertyConvertError("Invalid property element: " + std::string(value));
    info->Set(instance, int64_t{ordinal});
}

std::string GetSetProp(TObject* instance, std::string_view name, bool brackets) {
    const TPropInfo* info = Require(instance, name);
    if (info->Kind() != tkSet)
        q4_detail::ThrowInvalidValue();
    return SetToString(info->PropType(),
                       static_cast<uint64_t>(Expect<int64_t>(info->Get(instance))), brackets);
}

void SetSetProp(TObject* instance, std::string_view name, std::string_view value) {
    const TPropInfo* info = Require(instance, name);
    if (info->Kind() != tkSet)
        q4_detail::ThrowInvalidValue();
    info->Set(instance, static_cast<int64_t>(StringToSet(info->PropType(), value)));
}

std::string GetStrProp(TObject* instance, std::string_view name) {
    TPropValue v = Require(instance, name)->Get(instance);
    if (auto* w = std::get_if<std::u16string>(&v))
        return Utf16ToUtf8(*w);
    return Expect<std::string>(v);
}

void SetStrProp(TObject* instance, std::string_view name, const std::string& value) {
    const TPropInfo* info = Require(instance, name);
    if (info->Kind() == tkWString)
        info->Set(instance, Utf8ToUtf16(value));
    else if (info->Kind() == tkLString || info->Kind() == tkString)
        info->Set(instance, value);
    else
        q4_detail::ThrowInvalidValue();
}

std::u16string GetWideStrProp(TObject* instance, std::string_view name) {
    TPropValue v = Require(instance, name)->Get(instance);
    if (auto* s = std::get_if<std::string>(&v))
        return Utf8ToUtf16(*s);
    return Expect<std::u16string>(v);
}

void SetWideStrProp(TObject* instance, std::string_view name, const std::u16string& value) {
    const TPropInfo* info = Require(instance, name);
    if (info->Kind() == tkLString || info->Kind() == tkString)
        info->Set(instance, Utf16ToUtf8(value));
    else if (info->Kind() == tkWString)
        info->Set(instance, value);
    else
        q4_detail::ThrowInvalidValue();
}

double GetFloatProp(TObject* instance, std::string_view name) {
    return Expect<double>(Require(instance, name)->Get(instance));
}

void SetFloatProp(TObject* instance, std::string_view name, double value) {
    const TPropInfo* info = Require(instance, name);
    if (info->Kind() != tkFloat)
        q4_detail::ThrowInvalidValue();
    info->Set(instance, value);
}

TObject* GetObjectProp(TObject* instance, std::string_view name) {
    return Expect<TObject*>(Require(instance, name)->Get(instance));
}

void SetObjectProp(TObject* instance, std::string_view name, TObject* value) {
    const TPropInfo* info = Require(instance, name);
    if (info->Kind() != tkClass)
        q4_detail::ThrowInvalidValue();
    info->Set(instance, value);
}

TMethod GetMethodProp(TObject* instance, std::string_view name) {
    const TPropInfo* info = Require(instance, name);
    TMethod m = Expect<TMethod>(info->Get(instance));
    if (auto* p = dynamic_cast<TPersistent*>(instance); p != nullptr && m.Assigned())
        m.Name = p->BoundMethodName(info);
    return m;
}

void SetMethodProp(TObject* instance, std::string_view name, const TMethod& value) {
    const TPropInfo* info = Require(instance, name);
    if (info->Kind() != tkMethod)
        q4_detail::ThrowInvalidValue();
    info->Set(instance, value);
    if (auto* p = dynamic_cast<TPersistent*>(instance))
        p->SetBoundMethodName(info, value.Assigned() ? value.Name : std::string());
}

std::pair<TObject*, const TPropInfo*> FindPropPath(TObject* instance, std::string_view path) {
    TObject* object = instance;
    std::string_view rest = path;
    for (;;) {
        size_t dot = rest.find('.');
        std::string_view part = rest.substr(0, dot);
        const TPropInfo* info = object->ClassType()->FindProperty(part);
        if (info == nullptr)
            throw EPropertyError("Property " + std::string(path) + " does not exist");
        if (dot == std::string_view::npos)
            return {object, info};
        if (info->Kind() != tkClass)
            throw EPropertyError("Invalid property path " + std::string(path));
        TPropValue value = info->Get(object);
        TObject** nextPtr = std::get_if<TObject*>(&value);
        TObject* next = nextPtr != nullptr ? *nextPtr : nullptr;
        if (next == nullptr)
            throw EPropertyError("Invalid property path " + std::string(path));
        object = next;
        rest.remove_prefix(dot + 1);
    }
}

TPropValue GetPropVariant(TObject* instance, std::string_view path) {
    auto [object, info] = FindPropPath(instance, path);
    return info->Get(object);
}

void SetPropVariant(TObject* instance, std::string_view path, const TPropValue& value) {
    auto [object, info] = FindPropPath(instance, path);
    info->Set(object, value);
    if (info->Kind() == tkMethod) {
        if (auto* p = dynamic_cast<TPersistent*>(object)) {
            const TMethod* m = std::get_if<TMethod>(&value);
            p->SetBoundMethodName(info, m && m->Assigned() ? m->Name : std::string());
        }
    }
}

std::string GetPropValue(TObject* instance, std::string_view path) {
    auto [object, info] = FindPropPath(instance, path);
    TPropValue v = info->Get(object);
    const TTypeInfo* type = info->PropType();
    switch (info->Kind()) {
    case tkInteger:
    case tkInt64: {
        std::string ident;
        int64_t n = Expect<int64_t>(v);
        return IntToIdent(type, n, ident) ? ident : std::to_string(n);
    }
    case tkChar:
        return std::string(1, static_cast<char>(Expect<int64_t>(v)));
    case tkWChar:
        return Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(Expect<int64_t>(v))));
    case tkEnumeration:
        return GetEnumName(type, Expect<int64_t>(v));
    case tkSet:
        return SetToString(type, static_cast<uint64_t>(Expect<int64_t>(v)), true);
    case tkFloat:
        return FloatText(Expect<double>(v));
    case tkString:
    case tkLString:
        return Expect<std::string>(v);
    case tkWString:
        return Utf16ToUtf8(Expect<std::u16string>(v));
    case tkClass: {
        if (auto* list = std::get_if<TStrings*>(&v))
            return *list != nullptr ? (*list)->Text() : std::string();
        auto* c = dynamic_cast<TComponent*>(Expect<TObject*>(v));
        return c != nullptr ? c->Name() : std::string();
    }
    case tkMethod: {
        auto* p = dynamic_cast<TPersistent*>(object);
        return p != nullptr && Expect<TMethod>(v).Assigned() ? p->BoundMethodName(info)
                                                             : std::string();
    }
    default:
        q4_detail::ThrowInvalidValue();
    }
}

namespace {

// The value a text gives a property, for the kinds SetPropValue converts.
int64_t IntegerFromText(const TTypeInfo* type, std::string_view text) {
    int64_t n = 0;
    if (!IdentToInt(type, text, n) && !ParseInteger(text, n))
        q4_detail::ThrowInvalidValue();
    if (n < type->MinValue || n > type->MaxValue)
        q4_detail::ThrowInvalidValue();
    return n;
}

int64_t CharFromText(std::string_view text) {
    if (text.size() != 1)
        q4_detail::ThrowInvalidValue();
    return int64_t{static_cast<unsigned char>(text[0])};
}

int64_t WideCharFromText(std::string_view text) {
    std::u16string w = Utf8ToUtf16(text);
    if (w.size() != 1)
        q4_detail::ThrowInvalidValue();
    return int64_t{w[0]};
}

int64_t EnumFromText(const TTypeInfo* type, std::string_view text) {
    int n = GetEnumValue(type, text);
    if (n < 0)
        throw EPropertyConvertError("Invalid property element: " + std::string(text));
    return int64_t{n};
}

double FloatFromText(std::string_view text) {
    double d = 0;
    if (!ParseFloat(text, d))
        q4_detail::ThrowInvalidValue();
    return d;
}

bool NamesNothing(std::string_view text) {
    return text.empty() || SameIdent(text, "nil");
}

// A component of the form object belongs to (or the form itself), by name.
TObject* ComponentFromText(TObject* object, std::string_view text) {
    if (NamesNothing(text))
        return nullptr;
    TComponent* root = LookupRoot(object);
    TObject* target = root != nullptr ? root->FindComponent(text) : nullptr;
    if (target == nullptr && root != nullptr && SameIdent(root->Name(), text))
        target = root;
    if (target == nullptr)
        q4_detail::ThrowInvalidValue();
    return target;
}

// A method of the form object belongs to, by name.
TMethod MethodFromText(TObject* object, std::string_view text) {
    TMethod m;
    if (NamesNothing(text))
        return m;
    TComponent* root = LookupRoot(object);
    const TMethodEntry* entry = root != nullptr ? root->ClassType()->FindMethod(text) : nullptr;
    if (entry == nullptr)
        throw EPropertyConvertError("Method " + std::string(text) + " not found");
    m.Name = entry->Name;
    m.Code = entry->Bind(root);
    return m;
}

TPropValue ValueFromText(TObject* object, const TPropInfo* info, std::string_view text) {
    const TTypeInfo* type = info->PropType();
    switch (info->Kind()) {
    case tkInteger:
    case tkInt64:
        return IntegerFromText(type, text);
    case tkChar:
        return CharFromText(text);
    case tkWChar:
        return WideCharFromText(text);
    case tkEnumeration:
        return EnumFromText(type, text);
    case tkSet:
        return static_cast<int64_t>(StringToSet(type, text));
    case tkFloat:
        return FloatFromText(text);
    case tkString:
    case tkLString:
        return std::string(text);
    case tkWString:
        return Utf8ToUtf16(text);
    case tkClass:
        return ComponentFromText(object, text);
    case tkMethod:
        return MethodFromText(object, text);
    default:
        q4_detail::ThrowInvalidValue();
    }
}

} // namespace

void SetPropValue(TObject* instance, std::string_view path, std::string_view text) {
    auto [object, info] = FindPropPath(instance, path);
    if (info->Kind() == tkClass && info->PropType() == StringsTypeInfo()) {
        // A string list takes the text line by line, in place.
        TPropValue current = info->Get(object);
        TStrings* list = Expect<TStrings*>(current);
        if (list == nullptr)
            q4_detail::ThrowInvalidValue();
        list->SetText(text);
        return;
    }
    SetPropVariant(instance, path, ValueFromText(object, info, text));
}
