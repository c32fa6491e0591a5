#pragma once
// Reads binary descriptions into components: creates the components they name (registered
// classes only), sets their properties in stream order, binds events to the root's handler
// methods, resolves component references once the whole tree is read, then runs Loaded for
// every component read (the root first, then in read order).
//
// Malformed input never crashes or hangs: every read is bounds-checked, nesting is capped and
// lengths are checked against what the stream holds. Errors are EReadError (EClassNotFound for a
// class that is not registered) and name the offset, or the line when the description was
// converted from text.

#include "platform/classes/Collection.h"
#include "platform/classes/Filer.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Where each piece of a description converted from text came from: binary offsets and their
// text lines, in ascending offset order.
struct TLineMap {
    std::vector<std::pair<int64_t, int>> entries;
    void Add(int64_t offset, int line);
    // The line of the piece that holds offset; 0 when unknown.
    int LineAt(int64_t offset) const;
};

class TReader : public TFiler {
public:
    explicit TReader(TStream& stream);
    // Leaves the stream just after the last byte read.
    ~TReader() override;
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    // Reads the signature and one object into root (whose class name in the stream is then
    // ignored), or into a new component of the named class when root is null.
    TComponent* ReadRootComponent(TComponent* root);
    // Reads one nested object (no signature): into component, or into a new component owned
    // by the reader's owner. Freed again when its reading fails.
    TComponent* ReadComponent(TComponent* component);
    // The properties of instance, then its children.
    void ReadData(TComponent* instance);
    void ReadSignature();
    void ReadPrefix(uint8_t& flags, int& childPos);

    void ReadProperty(TPersistent* instance);
    // Properties up to the end of the list (which is read too).
    void ReadProperties(TPersistent* instance);
    // The items of a collection value (after its vaCollection code).
    void ReadCollection(TCollection* collection);

    // Values. A value of an unexpected type raises "Invalid property value".
    TValueType ReadValue();
    TValueType NextValue();
    bool EndOfList();
    void ReadListBegin();
    void ReadListEnd();
    void CheckValue(TValueType expected);
    int32_t ReadInteger();
    int64_t ReadInt64();
    bool ReadBoolean();
    char ReadChar();
    double ReadFloat();
    float ReadSingle();
    double ReadCurrency();
    double ReadDate();
    // Any string value as UTF-8 (Windows-1251 bytes converted) or UTF-16.
    std::string ReadString();
    std::u16string ReadWideString();
    // An identifier; False, True, nil and Null values read as those words.
    std::string ReadIdent();
    // A length byte and that many bytes (names).
    std::string ReadStr();
    // A vaBinary value: its bytes.
    std::string ReadBinary();
    // A vaSet value: the element names.
    std::vector<std::string> ReadSet();
    void SkipValue();
    // Raw bytes; raises a read error when the stream ends first.
    void Read(void* buffer, int64_t count);
    // The stream offset of the next byte.
    int64_t Position() const { return bufferStart_ + static_cast<int64_t>(bufferPos_); }

    void DefineProperty(const std::string& name, const TReaderProc& readData,
                        const TWriterProc& writeData, bool hasData) override;
    void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                              const TStreamProc& writeData, bool hasData) override;

    // The owner of components created while reading (the root), and the object they nest in.
    TComponent* Owner() const { return owner_; }
    void SetOwner(TComponent* owner) { owner_ = owner; }
    TComponent* Parent() const { return parent_; }
    void SetParent(TComponent* parent) { parent_ = parent; }

    // Called for an unknown property: set handled to skip its value and go on.
    std::function<void(TReader* reader, const std::string& message, bool& handled)> OnError;
    // Names lines instead of offsets in error messages.
    void SetLineMap(const TLineMap* map) { lineMap_ = map; }

    // Raises EReadError with the cause and where it happened (the current property or object).
    [[noreturn]] void Error(const std::string& cause);

    // Deeper nesting than any form has; keeps hostile input from exhausting the stack.
    static constexpr int MaxDepth = 200;
    // One level of nesting (an object, a list, a collection) for as long as it lives; raises
    // "Nesting too deep" past MaxDepth levels.
    class DepthGuard {
    public:
        explicit DepthGuard(TReader& reader);
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;
        ~DepthGuard() { --reader_.depth_; }

    private:
        TReader& reader_;
    };

private:
    struct Fixup {
        TObject* instance;
        const TPropInfo* property;
        TComponent* component; // the component whose description holds the reference
        std::string name;
    };

    void Fill(int64_t need);
    int64_t Remaining() const { return streamSize_ - Position(); }
    void CheckLength(int64_t length);
    int LineOf(int64_t offset) const; // 0 without a line map
    std::string Where(int64_t offset) const;
    void ReadPropValue(TObject* instance, const TPropInfo* info);
    int64_t ReadIntegerValue(const TTypeInfo* type);
    int64_t ReadSetValue(const TTypeInfo* type);
    void ReadClassValue(TObject* instance, const TPropInfo* info);
    void ReadMethodValue(TObject* instance, const TPropInfo* info);
    void ReadStringsValue(TStrings* list);
    void PropertyNotFound(const std::string& name);
    void ResolveFixups();
    void Discard(TComponent* component);
    std::string ReadBytes(int64_t count);

    TStream& stream_;
    int64_t streamSize_ = 0;
    std::vector<uint8_t> buffer_;
    size_t bufferPos_ = 0;
    size_t bufferEnd_ = 0;
    int64_t bufferStart_ = 0;
    const TLineMap* lineMap_ = nullptr;

    TComponent* owner_ = nullptr;
    TComponent* parent_ = nullptr;
    TComponent* component_ = nullptr; // the component being read
    std::string propReading_;         // the property being read, and its object, for messages
    TPersistent* propInstance_ = nullptr;
    int64_t propStart_ = -1;
    std::string propName_; // the defined property being looked for
    bool propHandled_ = false;
    int depth_ = 0;
    std::vector<TComponent*> loaded_;
    std::vector<TComponent*> created_;
    std::vector<Fixup> fixups_;
};

// Component look-up across descriptions: "Form2.Button1" names another root. The windowing
// layer registers how to find a root by name (its forms).
using TFindGlobalComponent = std::function<TComponent*(std::string_view name)>;
void RegisterFindGlobalComponentProc(const TFindGlobalComponent& proc);
void ClearFindGlobalComponentProcs();
TComponent* FindGlobalComponent(std::string_view name);
// Resolves references to roots that were not loaded when they were read.
void GlobalFixupReferences();
// Drops pending references held by or in root (called when a component is freed).
void RemoveFixupReferences(TComponent* root);
