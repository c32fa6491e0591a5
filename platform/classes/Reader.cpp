#include "platform/classes/Reader.h"

#include "platform/rtl/CodePage.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace {

constexpr size_t BufferSize = 64 * 1024;
struct GlobalFixup {
    TObject* instance;
    const TPropInfo* property;
    TComponent* component;
    TComponent* root;
    std::string name;
};

std::mutex& GlobalLock() {
    static std::mutex lock;
    return lock;
}
std::vector<GlobalFixup>& GlobalFixups() {
    static std::vector<GlobalFixup> list;
    return list;
}
std::vector<TFindGlobalComponent>& GlobalFinders() {
    static std::vector<TFindGlobalComponent> list;
    return list;
}

std::string ShortStringToUtf8(std::string bytes) {
    for (unsigned char c : bytes)
        if (c >= 0x80)
            return Cp1251ToUtf8(bytes);
    return bytes;
}

// Finds the component a reference names, as seen from root.
TComponent* FindReference(TComponent* root, const std::string& name) {
    size_t dot = name.find('.');
    if (dot != std::string::npos) {
        std::string rootName = name.substr(0, dot);
        TComponent* other = nullptr;
        if (root != nullptr && SameIdent(root->Name(), rootName))
            other = root;
        else
            other = FindGlobalComponent(rootName);
        return other != nullptr ? other->FindComponent(name.substr(dot + 1)) : nullptr;
    }
    if (root != nullptr) {
        if (TComponent* c = root->FindComponent(name))
            return c;
        if (SameIdent(root->Name(), name))
            return root;
    }
    return FindGlobalComponent(name);
}

} // namespace

// --- TLineMap ------------------------------------------------------------------------------------

void TLineMap::Add(int64_t offset, int line) {
    if (!entries.empty() && entries.back().first == offset)
        entries.back().second = line;
    else
        entries.emplace_back(offset, line);
}

int TLineMap::LineAt(int64_t offset) const {
    auto it = std::upper_bound(entries.begin(), entries.end(), offset,
                               [](int64_t o, const auto& e) { return o < e.first; });
    if (it == entries.begin())
        return entries.empty() ? 0 : entries.front().second;
    return std::prev(it)->second;
}

// --- TReader -------------------------------------------------------------------------------------

TReader::DepthGuard::DepthGuard(TReader& reader) : reader_(reader) {
    if (++reader_.depth_ > MaxDepth) {
        --reader_.depth_;
        reader_.Error("Nesting too deep");
    }
}

TReader::TReader(TStream& stream) : stream_(stream) {
    bufferStart_ = stream.Position();
    streamSize_ = stream.Size();
    buffer_.resize(BufferSize);
}

TReader::~TReader() {
    try {
        int64_t consumed = Position();
        if (stream_.Position() != consumed)
            stream_.SetPosition(consumed);
    } catch (...) {
    }
}

int TReader::LineOf(int64_t offset) const {
    return lineMap_ != nullptr ? lineMap_->LineAt(offset) : 0;
}

std::string TReader::Where(int64_t offset) const {
    if (int line = LineOf(offset); line > 0)
        return " on line " + std::to_string(line);
    return " at offset " + std::to_string(offset);
}

void TReader::Error(const std::string& cause) {
    if (!propReading_.empty()) {
        std::string owner = component_ != nullptr ? component_->Name() : std::string();
        if (propInstance_ != nullptr && propInstance_ != component_ &&
            dynamic_cast<TComponent*>(propInstance_) == nullptr)
            owner = propInstance_->GetNamePath();
        std::string path = owner.empty() ? propReading_ : owner + "." + propReading_;
        throw EReadError("Error reading " + path + Where(propStart_) + ": " + cause, propStart_,
                         LineOf(propStart_));
    }
    const int64_t offset = Position();
    throw EReadError(cause + Where(offset), offset, LineOf(offset));
}

void TReader::Fill(int64_t need) {
    // Keep the unread bytes, then top the buffer up from the stream.
    size_t left = bufferEnd_ - bufferPos_;
    if (bufferPos_ > 0 && left > 0)
        std::memmove(buffer_.data(), buffer_.data() + bufferPos_, left);
    bufferStart_ += static_cast<int64_t>(bufferPos_);
    bufferPos_ = 0;
    bufferEnd_ = left;
    if (buffer_.size() < static_cast<size_t>(need))
        buffer_.resize(static_cast<size_t>(need));
    while (bufferEnd_ < static_cast<size_t>(need)) {
        int64_t got = stream_.Read(buffer_.data() + bufferEnd_,
                                   static_cast<int64_t>(buffer_.size() - bufferEnd_));
        if (got <= 0)
            Error("Stream read error");
        bufferEnd_ += static_cast<size_t>(got);
    }
}

void TReader::Read(void* buffer, int64_t count) {
    if (count <= 0)
        return;
    if (count > Remaining())
        Error("Stream read error");
    if (bufferEnd_ - bufferPos_ < static_cast<size_t>(count)) {
        if (count > static_cast<int64_t>(BufferSize)) {
            // A large block: take what is buffered, then read the rest straight from the stream.
            size_t have = bufferEnd_ - bufferPos_;
            std::memcpy(buffer, buffer_.data() + bufferPos_, have);
            bufferStart_ += static_cast<int64_t>(bufferEnd_);
            bufferPos_ = bufferEnd_ = 0;
            int64_t rest = count - static_cast<int64_t>(have);
            if (stream_.Read(static_cast<char*>(buffer) + have, rest) != rest)
                Error("Stream read error");
            bufferStart_ += rest;
            return;
        }
        Fill(count);
    }
    std::memcpy(buffer, buffer_.data() + bufferPos_, static_cast<size_t>(count));
    bufferPos_ += static_cast<size_t>(count);
}

std::string TReader::ReadBytes(int64_t count) {
    CheckLength(count);
    std::string bytes(static_cast<size_t>(count), '\0');
    Read(bytes.data(), count);
    return bytes;
}

void TReader::CheckLength(int64_t length) {
    if (length < 0 || length > Remaining())
        Error("Invalid stream format");
}

TValueType TReader::ReadValue() {
    uint8_t code = 0;
    Read(&code, 1);
    if (code > vaLast)
        Error("Invalid stream format");
    return static_cast<TValueType>(code);
}

TValueType TReader::NextValue() {
    if (bufferPos_ >= bufferEnd_) {
        if (Remaining() <= 0)
            Error("Stream read error");
        Fill(1);
    }
    uint8_t code = buffer_[bufferPos_];
    if (code > vaLast)
        Error("Invalid stream format");
    return static_cast<TValueType>(code);
}

bool TReader::EndOfList() {
    // Objects begin with a name length or a prefix byte, neither of them a value code.
    if (bufferPos_ >= bufferEnd_) {
        if (Remaining() <= 0)
            Error("Stream read error");
        Fill(1);
    }
    return buffer_[bufferPos_] == vaNull;
}

void TReader::CheckValue(TValueType expected) {
    if (ReadValue() != expected)
        Error("Invalid property value");
}

void TReader::ReadListBegin() {
    CheckValue(vaList);
}
void TReader::ReadListEnd() {
    CheckValue(vaNull);
}

void TReader::ReadSignature() {
    char signature[4];
    Read(signature, 4);
    if (std::memcmp(signature, FilerSignature, 4) != 0)
        Error("Invalid stream format");
}

void TReader::ReadPrefix(uint8_t& flags, int& childPos) {
    flags = 0;
    childPos = 0;
    if (bufferPos_ >= bufferEnd_)
        Fill(1);
    uint8_t prefix = buffer_[bufferPos_];
    if ((prefix & 0xF0) != 0xF0)
        return;
    ++bufferPos_;
    flags = prefix & 0x0F;
    if (flags & ffChildPos)
        childPos = ReadInteger();
}

int32_t TReader::ReadInteger() {
    int64_t value = ReadInt64();
    if (value < INT32_MIN || value > INT32_MAX)
        Error("Invalid property value");
    return static_cast<int32_t>(value);
}

int64_t TReader::ReadInt64() {
    switch (ReadValue()) {
    case vaInt8: {
        int8_t v;
        Read(&v, 1);
        return v;
    }
    case vaInt16: {
        int16_t v;
        Read(&v, 2);
        return v;
    }
    case vaInt32: {
        int32_t v;
        Read(&v, 4);
        return v;
    }
    case vaInt64: {
        int64_t v;
        Read(&v, 8);
        return v;
    }
    default:
        Error("Invalid property value");
    }
}

bool TReader::ReadBoolean() {
    TValueType t = ReadValue();
    if (t != vaTrue && t != vaFalse)
        Error("Invalid property value");
    return t == vaTrue;
}

char TReader::ReadChar() {
    std::string s = ReadString();
    if (s.size() != 1)
        Error("Invalid property value");
    return s[0];
}

double TReader::ReadFloat() {
    switch (NextValue()) {
    case vaExtended: {
        ReadValue();
        uint8_t raw[10];
        Read(raw, 10);
        return ExtendedToDouble(raw);
    }
    case vaDouble:
    case vaDate: {
        ReadValue();
        double v;
        Read(&v, 8);
        return v;
    }
    case vaSingle:
        return ReadSingle();
    case vaCurrency:
        return ReadCurrency();
    default:
        return static_cast<double>(ReadInt64());
    }
}

float TReader::ReadSingle() {
    if (NextValue() != vaSingle)
        return static_cast<float>(ReadFloat());
    ReadValue();
    float v;
    Read(&v, 4);
    return v;
}

double TReader::ReadCurrency() {
    if (NextValue() != vaCurrency)
        return ReadFloat();
    ReadValue();
    int64_t v;
    Read(&v, 8);
    return static_cast<double>(v) / 10000.0;
}

double TReader::ReadDate() {
    if (NextValue() != vaDate)
        return ReadFloat();
    ReadValue();
    double v;
    Read(&v, 8);
    return v;
}

std::string TReader::ReadString() {
    switch (ReadValue()) {
    case vaString: {
        uint8_t length;
        Read(&length, 1);
        return ShortStringToUtf8(ReadBytes(length));
    }
    case vaLString: {
        int32_t length;
        Read(&length, 4);
        return ShortStringToUtf8(ReadBytes(length));
    }
    case vaUTF8String: {
        int32_t length;
        Read(&length, 4);
        return ReadBytes(length);
    }
    case vaWString: {
        int32_t count;
        Read(&count, 4);
        CheckLength(int64_t{count} * 2);
        std::u16string text(static_cast<size_t>(count), u'\0');
        Read(text.data(), int64_t{count} * 2);
        return Utf16ToUtf8(text);
    }
    default:
        Error("Invalid property value");
    }
}

std::u16string TReader::ReadWideString() {
    if (NextValue() == vaWString) {
        ReadValue();
        int32_t count;
        Read(&count, 4);
        CheckLength(int64_t{count} * 2);
        std::u16string text(static_cast<size_t>(count), u'\0');
        Read(text.data(), int64_t{count} * 2);
        return text;
    }
    return Utf8ToUtf16(ReadString());
}

std::string TReader::ReadIdent() {
    switch (ReadValue()) {
    case vaIdent:
        return ReadStr();
    case vaFalse:
        return "False";
    case vaTrue:
        return "True";
    case vaNil:
        return "nil";
    case vaNull:
        return "Null";
    default:
        Error("Invalid property value");
    }
}

std::string TReader::ReadStr() {
    uint8_t length;
    Read(&length, 1);
    return ShortStringToUtf8(ReadBytes(length));
}

std::string TReader::ReadBinary() {
    CheckValue(vaBinary);
    int32_t length;
    Read(&length, 4);
    return ReadBytes(length);
}

std::vector<std::string> TReader::ReadSet() {
    CheckValue(vaSet);
    std::vector<std::string> names;
    for (;;) {
        std::string name = ReadStr();
        if (name.empty())
            return names;
        names.push_back(std::move(name));
    }
}

void TReader::SkipValue() {
    DepthGuard guard(*this);
    auto skip = [this](int64_t count) {
        CheckLength(count);
        int64_t buffered = static_cast<int64_t>(bufferEnd_ - bufferPos_);
        if (count <= buffered) {
            bufferPos_ += static_cast<size_t>(count);
            return;
        }
        bufferStart_ += static_cast<int64_t>(bufferEnd_) + (count - buffered);
        bufferPos_ = bufferEnd_ = 0;
        stream_.SetPosition(bufferStart_);
    };
    auto length32 = [this]() {
        int32_t n;
        Read(&n, 4);
        return int64_t{n};
    };
    switch (ReadValue()) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
        return;
    case vaList:
        while (!EndOfList())
            SkipValue();
        ReadListEnd();
        return;
    case vaInt8:
        return skip(1);
    case vaInt16:
        return skip(2);
    case vaInt32:
    case vaSingle:
        return skip(4);
    case vaExtended:
        return skip(10);
    case vaInt64:
    case vaCurrency:
    case vaDate:
    case vaDouble:
        return skip(8);
    case vaString:
    case vaIdent: {
        uint8_t n;
        Read(&n, 1);
        return skip(n);
    }
    case vaBinary:
    case vaLString:
    case vaUTF8String:
        return skip(length32());
    case vaWString:
        return skip(length32() * 2);
    case vaSet:
        while (!ReadStr().empty()) {
        }
        return;
    case vaCollection:
        while (!EndOfList()) {
            TValueType t = NextValue();
            if (t == vaInt8 || t == vaInt16 || t == vaInt32)
                ReadInteger();
            ReadListBegin();
            while (!EndOfList()) {
                ReadStr();
                SkipValue();
            }
            ReadListEnd();
        }
        ReadListEnd();
        return;
    }
}

// --- objects -------------------------------------------------------------------------------------

void TComponent::ReadState(TReader* reader) {
    reader->ReadData(this);
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
    ReadSignature();
    uint8_t flags;
    int childPos;
    int64_t objectStart = Position();
    ReadPrefix(flags, childPos);
    std::string className = ReadStr();
    std::string name = ReadStr();
    TComponent* created = nullptr;
    if (root == nullptr) {
        TClass cls = GetClass(className);
        if (cls == nullptr) {
            propReading_.clear();
            throw EClassNotFound("Class " + className + " not found" + Where(objectStart));
        }
        if (cls->Construct() != TMetaClass::TConstruct::Component)
            Error("Class " + className + " is not a component");
        root = created = cls->CreateComponent(nullptr);
    }
    root_ = lookupRoot_ = owner_ = root;
    loaded_.clear();
    created_.clear();
    fixups_.clear();
    loaded_.push_back(root);
    try {
        root->SetLoading(true);
        root->SetReading(true);
        if (root->Name().empty() && !name.empty()) {
            try {
                root->SetName(name);
            } catch (const EComponentError& e) {
                Error(e.Message());
            }
        }
        component_ = root;
        root->ReadState(this);
        for (TComponent* c : loaded_)
            c->SetReading(false);
        ResolveFixups();
        // Loaded may free or create components; walk a copy.
        std::vector<TComponent*> loaded = loaded_;
        for (TComponent* c : loaded)
            c->Loaded();
    } catch (...) {
        fixups_.clear();
        if (created != nullptr) {
            created->Free();
        } else {
            // Free what this read created in the given root, newest first.
            std::vector<TComponent*> doomed;
            doomed.swap(created_);
            for (size_t i = doomed.size(); i-- > 0;)
                doomed[i]->Free();
            for (TComponent* c : loaded_) {
                if (std::find(doomed.begin(), doomed.end(), c) == doomed.end()) {
                    c->SetReading(false);
                    c->SetLoading(false);
                }
            }
        }
        loaded_.clear();
        created_.clear();
        throw;
    }
    loaded_.clear();
    created_.clear();
    GlobalFixupReferences();
    return root;
}

TComponent* TReader::ReadComponent(TComponent* component) {
    DepthGuard guard(*this);
    int64_t objectStart = Position();
    uint8_t flags;
    int childPos;
    ReadPrefix(flags, childPos);
    std::string className = ReadStr();
    std::string name = ReadStr();
    TComponent* result = component;
    bool created = false;
    if (result == nullptr) {
        if (flags & ffInherited) {
            result = owner_ != nullptr ? owner_->FindComponent(name) : nullptr;
            if (result == nullptr)
                Error("Ancestor for '" + name + "' not found");
        } else {
            TClass cls = GetClass(className);
            if (cls == nullptr)
                throw EClassNotFound("Class " + className + " not found" + Where(objectStart));
            if (cls->Construct() != TMetaClass::TConstruct::Component)
                Error("Class " + className + " is not a component");
            result = cls->CreateComponent(owner_);
            created = true;
            created_.push_back(result);
        }
    }
    TComponent* savedComponent = component_;
    try {
        result->SetLoading(true);
        result->SetReading(true);
        if (created) {
            try {
                result->SetName(name);
            } catch (const EComponentError& e) {
                Error(e.Message());
            }
            if (parent_ != nullptr)
                result->SetParentComponent(parent_);
        }
        if ((flags & ffChildPos) && parent_ != nullptr)
            parent_->SetChildOrder(result, childPos);
        if (std::find(loaded_.begin(), loaded_.end(), result) == loaded_.end())
            loaded_.push_back(result);
        component_ = result;
        result->ReadState(this);
        component_ = savedComponent;
    } catch (...) {
        component_ = savedComponent;
        if (created)
            Discard(result);
        throw;
    }
    return result;
}

void TReader::Discard(TComponent* component) {
    std::erase_if(fixups_, [component](const Fixup& f) { return f.component == component; });
    std::erase(loaded_, component);
    std::erase(created_, component);
    // Components it created in turn are owned by the root; they go when their reading fails.
    component->Free();
}

void TReader::ReadData(TComponent* instance) {
    DepthGuard guard(*this);
    while (!EndOfList())
        ReadProperty(instance);
    ReadListEnd();
    TComponent* savedParent = parent_;
    parent_ = instance;
    try {
        while (!EndOfList())
            ReadComponent(nullptr);
        ReadListEnd();
    } catch (...) {
        parent_ = savedParent;
        throw;
    }
    parent_ = savedParent;
}

// --- properties ----------------------------------------------------------------------------------

void TReader::ReadProperties(TPersistent* instance) {
    while (!EndOfList())
        ReadProperty(instance);
    ReadListEnd();
}

void TReader::ReadProperty(TPersistent* instance) {
    int64_t start = Position();
    std::string name = ReadStr();
    std::string savedReading = std::move(propReading_);
    TPersistent* savedInstance = propInstance_;
    int64_t savedStart = propStart_;
    propStart_ = start;
    propReading_ = name;
    propInstance_ = instance;
    try {
        TObject* target = instance;
        std::string_view rest = name;
        for (;;) {
            size_t dot = rest.find('.');
            std::string_view part = rest.substr(0, dot);
            const TPropInfo* info = target->ClassType()->FindProperty(part);
            if (dot == std::string_view::npos) {
                if (info != nullptr) {
                    ReadPropValue(target, info);
                } else if (auto* persistent = dynamic_cast<TPersistent*>(target)) {
                    std::string savedName = std::move(propName_);
                    bool savedHandled = propHandled_;
                    propName_ = std::string(part);
                    propHandled_ = false;
                    persistent->DefineProperties(this);
                    bool handled = propHandled_;
                    propName_ = std::move(savedName);
                    propHandled_ = savedHandled;
                    if (!handled)
                        PropertyNotFound(name);
                } else {
                    PropertyNotFound(name);
                }
                break;
            }
            if (info == nullptr || info->Kind() != tkClass) {
                PropertyNotFound(name);
                break;
            }
            TPropValue value = info->Get(target);
            if (TStrings** list = std::get_if<TStrings*>(&value)) {
                std::string_view last = rest.substr(dot + 1);
                if (*list == nullptr || !SameIdent(last, "Strings"))
                    PropertyNotFound(name);
                else
                    ReadStringsValue(*list);
                break;
            }
            TObject** next = std::get_if<TObject*>(&value);
            if (next == nullptr || *next == nullptr)
                Error("Invalid property path");
            target = *next;
            rest.remove_prefix(dot + 1);
        }
    } catch (const EReadError& e) {
        if (e.Located())
            throw;
        std::string message = e.Message();
        Error(message);
    } catch (const EClassNotFound&) {
        throw;
    } catch (const Exception& e) {
        std::string message = e.Message();
        Error(message);
    }
    propReading_ = std::move(savedReading);
    propInstance_ = savedInstance;
    propStart_ = savedStart;
}

void TReader::PropertyNotFound(const std::string& name) {
    std::string message = "Property " + name + " does not exist";
    bool handled = false;
    if (OnError)
        OnError(this, message, handled);
    if (!handled)
        Error(message);
    SkipValue();
}

void TReader::ReadStringsValue(TStrings* list) {
    ReadListBegin();
    list->BeginUpdate();
    try {
        list->Clear();
        while (!EndOfList())
            list->Add(ReadString());
        ReadListEnd();
    } catch (...) {
        list->EndUpdate();
        throw;
    }
    list->EndUpdate();
}

void TReader::ReadPropValue(TObject* instance, const TPropInfo* info) {
    if (!info->IsWritable() && info->Kind() != tkClass)
        Error("Property " + info->Name() + " is read-only");
    const TTypeInfo* type = info->PropType();
    switch (info->Kind()) {
    case tkInteger:
    case tkInt64:
        info->Set(instance, ReadIntegerValue(type));
        return;
    case tkChar:
        info->Set(instance, int64_t{static_cast<unsigned char>(ReadChar())});
        return;
    case tkWChar: {
        std::u16string s = ReadWideString();
        if (s.size() != 1)
            Error("Invalid property value");
        info->Set(instance, int64_t{s[0]});
        return;
    }
    case tkEnumeration: {
        int value = GetEnumValue(type, ReadIdent());
        if (value < 0)
            Error("Invalid property value");
        info->Set(instance, int64_t{value});
        return;
    }
    case tkSet:
        info->Set(instance, ReadSetValue(type));
        return;
    case tkFloat:
        info->Set(instance, ReadFloat());
        return;
    case tkString:
    case tkLString:
        info->Set(instance, ReadString());
        return;
    case tkWString:
        info->Set(instance, ReadWideString());
        return;
    case tkClass:
        ReadClassValue(instance, info);
        return;
    case tkMethod:
        ReadMethodValue(instance, info);
        return;
    default:
        Error("Invalid property value");
    }
}

// An integer, or an identifier the type names a value by, within the type's range.
int64_t TReader::ReadIntegerValue(const TTypeInfo* type) {
    int64_t value = 0;
    if (NextValue() == vaIdent) {
        std::string ident = ReadIdent();
        if (!IdentToInt(type, ident, value))
            Error("Invalid property value");
    } else {
        value = ReadInt64();
    }
    if (value < type->MinValue || value > type->MaxValue)
        Error("Invalid property value");
    return value;
}

int64_t TReader::ReadSetValue(const TTypeInfo* type) {
    uint64_t bits = 0;
    for (const std::string& element : ReadSet()) {
        int value = GetEnumValue(type->CompType, element);
        if (value < 0 || value >= 64)
            Error("Invalid property value");
        bits |= uint64_t{1} << value;
    }
    return static_cast<int64_t>(bits);
}

// An object property: the items of its collection, nil, or a reference to a component by name,
// resolved once the whole description is read.
void TReader::ReadClassValue(TObject* instance, const TPropInfo* info) {
    TValueType next = NextValue();
    if (next == vaCollection) {
        TPropValue current = info->Get(instance);
        TObject** object = std::get_if<TObject*>(&current);
        auto* collection = object != nullptr ? dynamic_cast<TCollection*>(*object) : nullptr;
        if (collection == nullptr)
            Error("Invalid property value");
        ReadValue();
        ReadCollection(collection);
        return;
    }
    if (next != vaIdent && next != vaNil)
        Error("Invalid property value");
    std::string name = ReadIdent();
    if (!info->IsWritable())
        Error("Property " + info->Name() + " is read-only");
    if (name == "nil") {
        info->Set(instance, static_cast<TObject*>(nullptr));
        return;
    }
    const TTypeInfo* classType = info->PropType();
    if (classType->ClassType == nullptr ||
        !classType->ClassType->InheritsFrom(TComponent::StaticClass()))
        Error("Invalid property value");
    fixups_.push_back(Fixup{instance, info, component_, name});
}

// An event handler: a method of the root by name, or nil.
void TReader::ReadMethodValue(TObject* instance, const TPropInfo* info) {
    std::string name = ReadIdent();
    TMethod method;
    if (name != "nil") {
        const TMethodEntry* entry =
            root_ != nullptr ? root_->ClassType()->FindMethod(name) : nullptr;
        if (entry == nullptr)
            Error("Method " + name + " not found");
        method.Name = entry->Name;
        method.Code = entry->Bind(root_);
    }
    info->Set(instance, method);
    if (auto* p = dynamic_cast<TPersistent*>(instance))
        p->SetBoundMethodName(info, method.Name);
}

void TReader::ReadCollection(TCollection* collection) {
    DepthGuard guard(*this);
    collection->BeginUpdate();
    try {
        if (!EndOfList())
            collection->Clear();
        while (!EndOfList()) {
            TValueType t = NextValue();
            if (t == vaInt8 || t == vaInt16 || t == vaInt32)
                ReadInteger(); // an item index, kept by the writer only for its readers
            TCollectionItem* item = collection->Add();
            ReadListBegin();
            while (!EndOfList())
                ReadProperty(item);
            ReadListEnd();
        }
        ReadListEnd();
    } catch (...) {
        collection->EndUpdate();
        throw;
    }
    collection->EndUpdate();
}

void TReader::DefineProperty(const std::string& name, const TReaderProc& readData,
                             const TWriterProc&, bool) {
    if (propHandled_ || !readData || !SameIdent(name, propName_))
        return;
    propHandled_ = true;
    readData(this);
}

void TReader::DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                   const TStreamProc&, bool) {
    if (propHandled_ || !readData || !SameIdent(name, propName_))
        return;
    propHandled_ = true;
    std::string bytes = ReadBinary();
    TMemoryStream data;
    data.WriteBytes(bytes);
    data.SetPosition(0);
    readData(data);
}

// --- references ----------------------------------------------------------------------------------

void TReader::ResolveFixups() {
    std::vector<Fixup> pending;
    pending.swap(fixups_);
    for (const Fixup& f : pending) {
        TComponent* target = FindReference(root_, f.name);
        if (target != nullptr) {
            f.property->Set(f.instance, static_cast<TObject*>(target));
        } else {
            std::lock_guard guard(GlobalLock());
            GlobalFixups().push_back(
                GlobalFixup{f.instance, f.property, f.component, root_, f.name});
        }
    }
}

void RegisterFindGlobalComponentProc(const TFindGlobalComponent& proc) {
    std::lock_guard guard(GlobalLock());
    GlobalFinders().push_back(proc);
}

void ClearFindGlobalComponentProcs() {
    std::lock_guard guard(GlobalLock());
    GlobalFinders().clear();
}

TComponent* FindGlobalComponent(std::string_view name) {
    std::vector<TFindGlobalComponent> finders;
    {
        std::lock_guard guard(GlobalLock());
        finders = GlobalFinders();
    }
    for (const auto& find : finders)
        if (TComponent* c = find(name))
            return c;
    return nullptr;
}

void GlobalFixupReferences() {
    std::vector<GlobalFixup> pending;
    {
        std::lock_guard guard(GlobalLock());
        pending.swap(GlobalFixups());
    }
    std::vector<GlobalFixup> unresolved;
    for (const GlobalFixup& f : pending) {
        TComponent* target = FindReference(f.root, f.name);
        if (target != nullptr)
            f.property->Set(f.instance, static_cast<TObject*>(target));
        else
            unresolved.push_back(f);
    }
    std::lock_guard guard(GlobalLock());
    auto& list = GlobalFixups();
    list.insert(list.begin(), unresolved.begin(), unresolved.end());
}

void RemoveFixupReferences(TComponent* root) {
    std::lock_guard guard(GlobalLock());
    auto& list = GlobalFixups();
    if (list.empty())
        return;
    std::erase_if(list, [root](const GlobalFixup& f) {
        return f.root == root || f.component == root || f.instance == root;
    });
}
