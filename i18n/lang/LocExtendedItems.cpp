#include "i18n/lang/LocExtendedItems.h"

#include "i18n/lang/LocCustomLang.h"
#include "i18n/text/LocCharSets.h"
#include "i18n/text/LocText.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Strings.h"

void TLocExtendedItem::DeclareProperties(TPropertyList& p) {
    p.Add("Identifier", &TLocExtendedItem::Identifier, &TLocExtendedItem::SetIdentifier);
    p.Add("PropertyType", &TLocExtendedItem::PropertyType);
    p.Add("Values", &TLocExtendedItem::ValuesText, &TLocExtendedItem::SetValuesText);
    p.Add("IsRoot", &TLocExtendedItem::IsRoot);
}

void TLocExtendedItem::DefineProperties(TFiler* filer) {
    TCollectionItem::DefineProperties(filer);
    bool stored = !Values.empty();
    if (auto* ancestor = dynamic_cast<TLocExtendedItem*>(filer->Ancestor()))
        stored = stored && Values != ancestor->Values;
    filer->DefineBinaryProperty(
        "ValuesEx",
        [this](TStream& stream) {
            const std::string bytes = stream.ReadToEnd();
            Values = bytes;
            if (bytes.find('\0') == std::string::npos || bytes.size() < 4)
                return;
            WideValues.resize((bytes.size() - 4) / 2);
            for (size_t i = 0; i < WideValues.size(); ++i)
                WideValues[i] =
                    static_cast<char16_t>(static_cast<unsigned char>(bytes[4 + 2 * i]) |
                                          static_cast<unsigned char>(bytes[5 + 2 * i]) << 8);
            Values = WideToAnsiByCharSet(WideValues, DEFAULT_CHARSET);
        },
        [this](TStream& stream) {
            if (!Values.empty())
                stream.WriteBytes(Values);
        },
        stored);
}

TLocCustomLang* TLocExtendedItem::Localiser() const {
    auto* items = dynamic_cast<TLocExtendedItems*>(Collection());
    return items ? items->Localiser() : nullptr;
}

std::string TLocExtendedItem::Identifier() const {
    if (IdentifierComponent == nullptr)
        return IdentifierText;
    TLocCustomLang* loc = Localiser();
    std::string first = loc != nullptr && IdentifierComponent == loc->Owner()
                            ? IdentifierComponent->ClassName()
                            : IdentifierComponent->Name();
    const size_t dot = IdentifierText.find('.');
    return first + (dot == std::string::npos ? std::string() : IdentifierText.substr(dot));
}

bool TLocExtendedItem::IsRoot() const {
    TLocCustomLang* loc = Localiser();
    return loc != nullptr && loc->Owner() != nullptr &&
           StartsStr(loc->Owner()->ClassName() + ".", Identifier());
}

std::string TLocExtendedItem::DisplayName() const {
    return IdentifierText.empty() ? TCollectionItem::DisplayName() : IdentifierText;
}

std::string TLocExtendedItem::ValuesText() const {
    return Cp1251ToUtf8(Values);
}

void TLocExtendedItem::SetValuesText(const std::string& value) {
    Values = Utf8ToCp1251(value);
}

void TLocExtendedItem::AssignTo(TPersistent* dest) {
    if (auto* other = dynamic_cast<TLocExtendedItem*>(dest)) {
        other->IdentifierText = IdentifierText;
        other->Values = Values;
        other->PropertyType = PropertyType;
        return;
    }
    TCollectionItem::AssignTo(dest);
}

TLocExtendedItems::TLocExtendedItems(TLocCustomLang* owner)
    : TCollection(TLocExtendedItem::StaticClass(), owner), localiser_(owner) {}

TLocExtendedItem* TLocExtendedItems::FindByIdentifier(std::string_view name) const {
    for (int i = 0; i < Count(); ++i)
        if (AnsiSameText(Items(i)->Identifier(), name))
            return Items(i);
    return nullptr;
}
