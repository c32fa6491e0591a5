#pragma once
// Writes components as binary descriptions: the class and name of each, its published
// properties that differ from their defaults (or from the ancestor's values when writing a
// descendant form), the values it defines itself, then its children.
//
// The value-level calls are public for classes that store their own data as raw values.

#include "platform/classes/Collection.h"
#include "platform/classes/Filer.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TWriter : public TFiler {
public:
    explicit TWriter(TStream& stream);
    // Flushes what is still buffered.
    ~TWriter() override;
    TWriter(const TWriter&) = delete;
    TWriter& operator=(const TWriter&) = delete;

    // The signature and root with everything it holds.
    void WriteRootComponent(TComponent* root) { WriteDescendent(root, nullptr); }
    // The same, storing only what differs from ancestor (an instance of the ancestor form).
    void WriteDescendent(TComponent* root, TComponent* ancestor);
    // One object (no signature): its header, properties and children.
    void WriteComponent(TComponent* component);
    // What WriteComponent writes, called through TComponent::WriteState.
    void WriteData(TComponent* instance);
    void WriteSignature();
    void WritePrefix(uint8_t flags, int childPos);

    // The published and then the defined properties of instance.
    void WriteProperties(TPersistent* instance);
    void WriteProperty(TPersistent* instance, const TPropInfo* info);
    // Writes the name, prefixed with the path of the sub-object being written ("Font.").
    void WritePropName(std::string_view name);

    void WriteValue(TValueType value);
    void WriteListBegin() { WriteValue(vaList); }
    void WriteListEnd() { WriteValue(vaNull); }
    // The smallest integer code that holds the value.
    void WriteInteger(int64_t value);
    void WriteBoolean(bool value) { WriteValue(value ? vaTrue : vaFalse); }
    void WriteChar(char value) { WriteString(std::string(1, value)); }
    void WriteFloat(double value);
    void WriteSingle(float value);
    void WriteCurrency(double value);
    void WriteDate(double value);
    void WriteDouble(double value);
    // UTF-8 text: as Windows-1251 bytes when every character has one, else as UTF-16.
    void WriteString(std::string_view text);
    void WriteWideString(std::u16string_view text);
    void WriteUTF8String(std::string_view text);
    // An identifier; False, True, nil and Null are written as their own codes.
    void WriteIdent(std::string_view ident);
    // A length byte and the bytes (names); raises EWriteError beyond 255 bytes.
    void WriteStr(std::string_view text);
    void WriteSet(const TTypeInfo* setType, uint64_t bits);
    void WriteSetNames(const std::vector<std::string>& names);
    void WriteBinary(std::string_view bytes);
    void WriteCollection(TCollection* collection);
    void Write(const void* buffer, int64_t count);
    // The stream offset of the next byte written.
    int64_t Position() const { return streamStart_ + written_; }
    void FlushBuffer();

    void DefineProperty(const std::string& name, const TReaderProc& readData,
                        const TWriterProc& writeData, bool hasData) override;
    void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                              const TStreamProc& writeData, bool hasData) override;

private:
    bool IsDefaultValue(TPersistent* instance, const TPropInfo* info, const TPropValue& value);
    std::string ReferenceName(TComponent* component) const;
    // The steps of WriteProperty, by the kind of value.
    void WriteClassProperty(TPersistent* instance, const TPropInfo* info, const TPropValue& value);
    void WriteStringsProperty(TPersistent* instance, const TPropInfo* info, const TPropValue& value,
                              TStrings* list);
    void WriteReferenceProperty(TPersistent* instance, const TPropInfo* info,
                                const TPropValue& value, TComponent* component);
    void WriteCollectionProperty(const TPropInfo* info, TCollection* collection);
    void WriteSubObjectProperties(const TPropInfo* info, TPersistent* object);
    TObject* AncestorObject(const TPropInfo* info) const;
    void WriteSimpleValue(TPersistent* instance, const TPropInfo* info, const TPropValue& value);
    void WriteFloatValue(const TTypeInfo* type, double value);

    TStream& stream_;
    std::vector<uint8_t> buffer_;
    int64_t streamStart_ = 0;
    int64_t written_ = 0;
    std::string propPath_;
    TComponent* ancestorRoot_ = nullptr;
};
