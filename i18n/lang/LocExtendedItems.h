#pragma once
// Extended translations: any published property of the owner form, of its components, or of
// objects and collection items reached from them, named by a dotted identifier
// ("Button1.Font.Name", "TForm1.Caption", "ListView1.Columns[2].Caption"), with one text per
// language in Values (each text followed by LangDelim, no key).

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/TypeInfo.h"

#include <string>
#include <string_view>

class TLocCustomLang;

class TLocExtendedItem : public TCollectionItem {
    Q4_CLASS(TLocExtendedItem, TCollectionItem)
    explicit TLocExtendedItem(TCollection* collection) : TCollectionItem(collection) {}
    static void DeclareProperties(TPropertyList& p);
    void DefineProperties(TFiler* filer) override;

    // The identifier with its first part taken from the bound component when there is one.
    std::string Identifier() const;
    void SetIdentifier(const std::string& value) { IdentifierText = value; }
    bool IsRoot() const;
    std::string DisplayName() const override;
    TLocCustomLang* Localiser() const;

    // Values as program text for form descriptions (the stored bytes read as Windows-1251,
    // which keeps every byte).
    std::string ValuesText() const;
    void SetValuesText(const std::string& value);

    std::string IdentifierText;
    TComponent* IdentifierComponent = nullptr;
    TTypeKind PropertyType = tkUnknown;
    std::string Values;
    std::u16string WideValues;

protected:
    void AssignTo(TPersistent* dest) override;
};

class TLocExtendedItems : public TCollection {
    Q4_CLASS(TLocExtendedItems, TCollection)
    explicit TLocExtendedItems(TLocCustomLang* owner = nullptr);

    TLocExtendedItem* Add() { return static_cast<TLocExtendedItem*>(TCollection::Add()); }
    TLocExtendedItem* Items(int index) const {
        return static_cast<TLocExtendedItem*>(TCollection::Items(index));
    }
    // The first item whose identifier equals name ignoring case; null when none.
    TLocExtendedItem* FindByIdentifier(std::string_view name) const;
    TLocCustomLang* Localiser() const { return localiser_; }

private:
    TLocCustomLang* localiser_;
};
