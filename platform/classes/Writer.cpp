#include "platform/classes/Writer.h"

#include "platform/rtl/CodePage.h"

#include <cmath>
#include <cstring>

namespace {

constexpr size_t FlushSize = 64 * 1024;

bool IsAscii(std::string_view text) {
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

// Two collections hold the same items when their descriptions are the same bytes.
std::string CollectionBytes(TCollection* collection) {
    TMemoryStream stream;
    {
        TWriter writer(stream);
        writer.WriteCollection(collection);
    }
    const auto& bytes = stream.Bytes();
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

void TComponent::WriteState(TWriter* writer) {
    writer->WriteData(this);
}

TWriter::TWriter(TStream& stream) : stream_(stream) {
    streamStart_ = stream.Position();
    buffer_.reserve(FlushSize);
}

TWriter::~TWriter() {
    try {
        FlushBuffer();
    } catch (...) {
    }
}

void TWriter::FlushBuffer() {
    if (buffer_.empty())
        return;
    stream_.WriteBuffer(buffer_.data(), static_cast<int64_t>(buffer_.size()));
    buffer_.clear();
}

void TWriter::Write(const void* buffer, int64_t count) {
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    buffer_.insert(buffer_.end(), bytes, bytes + count);
    written_ += count;
    if (buffer_.size() >= FlushSize)
        FlushBuffer();
}

void TWriter::WriteValue(TValueType value) {
    uint8_t code = value;
    Write(&code, 1);
}

void TWriter::WriteSignature() {
    Write(FilerSignature, 4);
}

void TWriter::WritePrefix(uint8_t flags, int childPos) {
    if (flags == 0)
        return;
    uint8_t prefix = 0xF0 | flags;
    Write(&prefix, 1);
    if (flags & ffChildPos)
        WriteInteger(childPos);
}

void TWriter::WriteInteger(int64_t value) {
    if (value >= INT8_MIN && value <= INT8_MAX) {
        WriteValue(vaInt8);
        int8_t v = static_cast<int8_t>(value);
        Write(&v, 1);
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
        WriteValue(vaInt16);
        int16_t v = static_cast<int16_t>(value);
        Write(&v, 2);
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
        WriteValue(vaInt32);
        int32_t v = static_cast<int32_t>(value);
        Write(&v, 4);
    } else {
        WriteValue(vaInt64);
        Write(&value, 8);
    }
}

void TWriter::WriteFloat(double value) {
    WriteValue(vaExtended);
    uint8_t raw[10];
    DoubleToExtended(value, raw);
    Write(raw, 10);
}

void TWriter::WriteSingle(float value) {
    WriteValue(vaSingle);
    Write(&value, 4);
}

void TWriter::WriteCurrency(double value) {
    WriteValue(vaCurrency);
    int64_t scaled = std::llround(value * 10000.0);
    Write(&scaled, 8);
}

void TWriter::WriteDate(double value) {
    WriteValue(vaDate);
    Write(&value, 8);
}

void TWriter::WriteDouble(double value) {
    WriteValue(vaDouble);
    Write(&value, 8);
}

void TWriter::WriteString(std::string_view text) {
    std::string bytes;
    if (IsAscii(text))
        bytes = std::string(text);
    else if (!TryUtf8ToCp1251(text, bytes)) {
        WriteWideString(Utf8ToUtf16(text));
        return;
    }
    if (bytes.size() <= 255) {
        WriteValue(vaString);
        uint8_t length = static_cast<uint8_t>(bytes.size());
        Write(&length, 1);
    } else {
        WriteValue(vaLString);
        int32_t length = static_cast<int32_t>(bytes.size());
        Write(&length, 4);
    }
    Write(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TWriter::WriteWideString(std::u16string_view text) {
    WriteValue(vaWString);
    int32_t count = static_cast<int32_t>(text.size());
    Write(&count, 4);
    Write(text.data(), int64_t{count} * 2);
}

void TWriter::WriteUTF8String(std::string_view text) {
    WriteValue(vaUTF8String);
    int32_t length = static_cast<int32_t>(text.size());
    Write(&length, 4);
    Write(text.data(), length);
}

void TWriter::WriteIdent(std::string_view ident) {
    if (SameIdent(ident, "False"))
        WriteValue(vaFalse);
    else if (SameIdent(ident, "True"))
        WriteValue(vaTrue);
    else if (SameIdent(ident, "nil"))
        WriteValue(vaNil);
    else if (SameIdent(ident, "Null"))
        WriteValue(vaNull);
    else {
        WriteValue(vaIdent);
        WriteStr(ident);
    }
}

void TWriter::WriteStr(std::string_view text) {
    std::string bytes = IsAscii(text) ? std::string(text) : Utf8ToCp1251(text);
    if (bytes.size() > 255)
        throw EWriteError("Name too long to store: " + std::string(text.substr(0, 40)));
    uint8_t length = static_cast<uint8_t>(bytes.size());
    Write(&length, 1);
    Write(bytes.data(), length);
}

void TWriter::WriteSet(const TTypeInfo* setType, uint64_t bits) {
    std::vector<std::string> names;
    const TTypeInfo* element = setType->CompType;
    for (size_t i = 0; i < element->Names.size() && i < 64; ++i)
        if (bits & (uint64_t{1} << i))
            names.push_back(element->Names[i]);
    WriteSetNames(names);
}

void TWriter::WriteSetNames(const std::vector<std::string>& names) {
    WriteValue(vaSet);
    for (const std::string& name : names)
        WriteStr(name);
    WriteStr("");
}

void TWriter::WriteBinary(std::string_view bytes) {
    WriteValue(vaBinary);
    int32_t length = static_cast<int32_t>(bytes.size());
    Write(&length, 4);
    Write(bytes.data(), length);
}

void TWriter::WriteCollection(TCollection* collection) {
    WriteValue(vaCollection);
    std::string savedPath = std::move(propPath_);
    propPath_.clear();
    TPersistent* savedAncestor = ancestor_;
    ancestor_ = nullptr;
    for (int i = 0; i < collection->Count(); ++i) {
        WriteListBegin();
        WriteProperties(collection->Items(i));
        WriteListEnd();
    }
    WriteListEnd();
    ancestor_ = savedAncestor;
    propPath_ = std::move(savedPath);
}

void TWriter::WritePropName(std::string_view name) {
    if (propPath_.empty())
        WriteStr(name);
    else
        WriteStr(propPath_ + std::string(name));
}

// --- objects -------------------------------------------------------------------------------------

void TWriter::WriteDescendent(TComponent* root, TComponent* ancestor) {
    root_ = lookupRoot_ = root;
    ancestorRoot_ = ancestor;
    ancestor_ = ancestor;
    WriteSignature();
    WriteComponent(root);
    FlushBuffer();
}

void TWriter::WriteComponent(TComponent* component) {
    TPersistent* savedAncestor = ancestor_;
    if (component != root_) {
        ancestor_ =
            ancestorRoot_ != nullptr ? ancestorRoot_->FindComponent(component->Name()) : nullptr;
    }
    component->SetWriting(true);
    try {
        component->WriteState(this);
    } catch (...) {
        component->SetWriting(false);
        ancestor_ = savedAncestor;
        throw;
    }
    component->SetWriting(false);
    ancestor_ = savedAncestor;
}

void TWriter::WriteData(TComponent* instance) {
    uint8_t flags = 0;
    if (ancestor_ != nullptr)
        flags |= ffInherited;
    if (instance->ComponentState().Contains(csInline))
        flags |= ffInline;
    WritePrefix(flags, 0);
    WriteStr(instance->ClassName());
    WriteStr(instance->Name());
    WriteProperties(instance);
    WriteListEnd();
    instance->GetChildren([this](TComponent* child) { WriteComponent(child); }, root_);
    WriteListEnd();
}

// --- properties ----------------------------------------------------------------------------------

void TWriter::WriteProperties(TPersistent* instance) {
    for (const TPropInfo* info : instance->ClassType()->Properties())
        if (info->IsStored(instance))
            WriteProperty(instance, info);
    instance->DefineProperties(this);
}

bool TWriter::IsDefaultValue(TPersistent* instance, const TPropInfo* info,
                             const TPropValue& value) {
    const bool hasAncestor = ancestor_ != nullptr && ancestor_->InheritsFrom(info->OwnerClass());
    if (hasAncestor) {
        TPropValue old = info->Get(ancestor_);
        if (info->Kind() == tkMethod) {
            auto* a = dynamic_cast<TPersistent*>(ancestor_);
            return a != nullptr && a->BoundMethodName(info) == instance->BoundMethodName(info);
        }
        if (info->Kind() == tkClass) {
            auto* mine = std::get_if<TObject*>(&value);
            auto* theirs = std::get_if<TObject*>(&old);
            if (mine != nullptr && theirs != nullptr) {
                auto* a = dynamic_cast<TComponent*>(*mine);
                auto* b = dynamic_cast<TComponent*>(*theirs);
                if (a == nullptr || b == nullptr)
                    return a == b;
                return a->Name() == b->Name();
            }
            auto* listA = std::get_if<TStrings*>(&value);
            auto* listB = std::get_if<TStrings*>(&old);
            if (listA != nullptr && listB != nullptr && *listA && *listB)
                return (*listA)->Equals(**listB);
            return false;
        }
        return value == old;
    }
    switch (info->Kind()) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
        return info->HasDefault() && std::get<int64_t>(value) == info->DefaultValue();
    case tkFloat:
        return std::get<double>(value) == 0.0;
    case tkString:
    case tkLString:
        return std::get<std::string>(value).empty();
    case tkWString:
        return std::get<std::u16string>(value).empty();
    case tkMethod:
        return !std::get<TMethod>(value).Assigned() || instance->BoundMethodName(info).empty();
    default:
        return false;
    }
}

std::string TWriter::ReferenceName(TComponent* component) const {
    if (component->Name().empty())
        return {};
    if (component == lookupRoot_ || component->Owner() == lookupRoot_)
        return component->Name();
    if (component->Owner() != nullptr && !component->Owner()->Name().empty())
        return component->Owner()->Name() + "." + component->Name();
    return component->Name();
}

void TWriter::WriteProperty(TPersistent* instance, const TPropInfo* info) {
    TPropValue value = info->Get(instance);
    if (info->Kind() == tkClass) {
        WriteClassProperty(instance, info, value);
        return;
    }
    if (!info->IsWritable() || IsDefaultValue(instance, info, value))
        return;
    WritePropName(info->Name());
    WriteSimpleValue(instance, info, value);
}

void TWriter::WriteClassProperty(TPersistent* instance, const TPropInfo* info,
                                 const TPropValue& value) {
    if (auto* list = std::get_if<TStrings*>(&value)) {
        WriteStringsProperty(instance, info, value, *list);
        return;
    }
    TObject* object = std::get<TObject*>(value);
    auto* component = dynamic_cast<TComponent*>(object);
    const bool subComponent =
        component != nullptr && component->ComponentStyle().Contains(csSubComponent);
    if (!info->IsWritable() && !subComponent)
        return;
    if (component != nullptr && !subComponent) {
        WriteReferenceProperty(instance, info, value, component);
        return;
    }
    if (object == nullptr) {
        if (ancestor_ != nullptr && !IsDefaultValue(instance, info, value)) {
            WritePropName(info->Name());
            WriteValue(vaNil);
        }
        return;
    }
    if (auto* collection = dynamic_cast<TCollection*>(object)) {
        WriteCollectionProperty(info, collection);
        return;
    }
    if (auto* persistent = dynamic_cast<TPersistent*>(object))
        WriteSubObjectProperties(info, persistent);
}

void TWriter::WriteStringsProperty(TPersistent* instance, const TPropInfo* info,
                                   const TPropValue& value, TStrings* list) {
    if (!info->IsWritable() || list == nullptr || list->Count() == 0)
        return;
    if (IsDefaultValue(instance, info, value))
        return;
    WritePropName(info->Name() + ".Strings");
    WriteListBegin();
    for (int i = 0; i < list->Count(); ++i)
        WriteString(list->Get(i));
    WriteListEnd();
}

// A reference to another component, by name.
void TWriter::WriteReferenceProperty(TPersistent* instance, const TPropInfo* info,
                                     const TPropValue& value, TComponent* component) {
    if (IsDefaultValue(instance, info, value))
        return;
    std::string name = ReferenceName(component);
    if (!name.empty()) {
        WritePropName(info->Name());
        WriteIdent(name);
    }
}

// The object the ancestor holds in the same property, when the ancestor has it.
TObject* TWriter::AncestorObject(const TPropInfo* info) const {
    if (ancestor_ == nullptr || !ancestor_->InheritsFrom(info->OwnerClass()))
        return nullptr;
    TPropValue v = info->Get(ancestor_);
    auto* p = std::get_if<TObject*>(&v);
    return p != nullptr ? *p : nullptr;
}

void TWriter::WriteCollectionProperty(const TPropInfo* info, TCollection* collection) {
    auto* old = dynamic_cast<TCollection*>(AncestorObject(info));
    if (old != nullptr ? CollectionBytes(old) == CollectionBytes(collection)
                       : collection->Count() == 0)
        return;
    WritePropName(info->Name());
    WriteCollection(collection);
}

// An owned sub-object: its properties, under "Name.".
void TWriter::WriteSubObjectProperties(const TPropInfo* info, TPersistent* object) {
    TPersistent* savedAncestor = ancestor_;
    ancestor_ = dynamic_cast<TPersistent*>(AncestorObject(info));
    std::string savedPath = propPath_;
    propPath_ += info->Name() + ".";
    try {
        WriteProperties(object);
    } catch (...) {
        propPath_ = std::move(savedPath);
        ancestor_ = savedAncestor;
        throw;
    }
    propPath_ = std::move(savedPath);
    ancestor_ = savedAncestor;
}

void TWriter::WriteSimpleValue(TPersistent* instance, const TPropInfo* info,
                               const TPropValue& value) {
    const TTypeInfo* type = info->PropType();
    switch (info->Kind()) {
    case tkInteger:
    case tkInt64: {
        int64_t n = std::get<int64_t>(value);
        std::string ident;
        if (IntToIdent(type, n, ident))
            WriteIdent(ident);
        else
            WriteInteger(n);
        break;
    }
    case tkChar:
        WriteChar(static_cast<char>(std::get<int64_t>(value)));
        break;
    case tkWChar:
        WriteWideString(std::u16string(1, static_cast<char16_t>(std::get<int64_t>(value))));
        break;
    case tkEnumeration: {
        int64_t n = std::get<int64_t>(value);
        if (type->Names.size() == 2 && type->Name == "Boolean")
            WriteBoolean(n != 0);
        else
            WriteIdent(GetEnumName(type, n));
        break;
    }
    case tkSet:
        WriteSet(type, static_cast<uint64_t>(std::get<int64_t>(value)));
        break;
    case tkFloat:
        WriteFloatValue(type, std::get<double>(value));
        break;
    case tkString:
    case tkLString:
        WriteString(std::get<std::string>(value));
        break;
    case tkWString:
        WriteWideString(std::get<std::u16string>(value));
        break;
    case tkMethod:
        WriteIdent(instance->BoundMethodName(info));
        break;
    default:
        break;
    }
}

void TWriter::WriteFloatValue(const TTypeInfo* type, double value) {
    if (type->FloatType == ftSingle)
        WriteSingle(static_cast<float>(value));
    else if (type->FloatType == ftCurr)
        WriteCurrency(value);
    else if (type == DateTimeTypeInfo())
        WriteDate(value);
    else
        WriteFloat(value);
}

void TWriter::DefineProperty(const std::string& name, const TReaderProc&,
                             const TWriterProc& writeData, bool hasData) {
    if (!hasData || !writeData)
        return;
    WritePropName(name);
    writeData(this);
}

void TWriter::DefineBinaryProperty(const std::string& name, const TStreamProc&,
                                   const TStreamProc& writeData, bool hasData) {
    if (!hasData || !writeData)
        return;
    WritePropName(name);
    TMemoryStream data;
    writeData(data);
    const auto& bytes = data.Bytes();
    WriteBinary(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
