#pragma once
// Hyperlinks of a sheet. Setting an address classifies it: a URL or UNC prefix, else a
// reference of this workbook (it compiles as a formula), else a file.

#include "platform/classes/Collection.h"
#include "platform/classes/Properties.h"

#include <cstdint>
#include <string>
#include <vector>

class TFormulaHandler;

enum THyperlinkType : uint8_t { hltUnknown, hltURL, hltFile, hltUNC, hltWorkbook };
enum THyperlinkEncoding : uint8_t { hleUnknown, hleURL, hleFile, hleUNC, hleWorkbook };

class THyperlink : public TCollectionItem {
    Q4_CLASS(THyperlink, TCollectionItem)
    explicit THyperlink(TCollection* collection) : TCollectionItem(collection) {}
    // Copies type, encoding, bounds, options and texts (not the raw data), and marks the link
    // changed.
    void Assign(TPersistent* source) override;

    int SheetIndex() const;
    const std::u16string& Address() const { return address_; }
    void SetAddress(const std::u16string& value);
    const std::u16string& Description() const { return description_; }
    void SetDescription(const std::u16string& value);
    const std::u16string& ToolTip() const { return toolTip_; }
    void SetToolTip(const std::u16string& value);

    THyperlinkType HyperlinkType = hltUnknown;
    THyperlinkEncoding HyperlinkEncoding = hleUnknown;
    uint16_t Col1 = 0, Col2 = 0, Row1 = 0, Row2 = 0;
    uint32_t Options = 0;
    std::u16string TargetFrame;
    std::u16string Location;
    std::vector<uint8_t> RawData;
    bool Changed = false;

    static void DeclareProperties(TPropertyList& p);

private:
    std::u16string description_;
    std::u16string address_;
    std::u16string toolTip_;
};

class THyperlinks : public TCollection {
    Q4_CLASS(THyperlinks, TCollection)
    explicit THyperlinks(TPersistent* sheet = nullptr, TFormulaHandler* handler = nullptr)
        : TCollection(THyperlink::StaticClass(), sheet), Handler(handler) {}
    THyperlink* Add() { return static_cast<THyperlink*>(TCollection::Add()); }
    THyperlink* Items(int index) const { return Item<THyperlink>(index); }

    TFormulaHandler* Handler;
    int32_t SheetIndex = 0;
};
