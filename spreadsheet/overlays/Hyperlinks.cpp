#include "spreadsheet/overlays/Hyperlinks.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "spreadsheet/formulas/FormulaHandler.h"

void THyperlink::Assign(TPersistent* source) {
    auto* other = dynamic_cast<THyperlink*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    HyperlinkType = other->HyperlinkType;
    HyperlinkEncoding = other->HyperlinkEncoding;
    Col1 = other->Col1;
    Col2 = other->Col2;
    Row1 = other->Row1;
    Row2 = other->Row2;
    Options = other->Options;
    description_ = other->description_;
    TargetFrame = other->TargetFrame;
    address_ = other->address_;
    Location = other->Location;
    toolTip_ = other->toolTip_;
    Changed = true;
}

int THyperlink::SheetIndex() const {
    auto* links = dynamic_cast<THyperlinks*>(Collection());
    return links ? links->SheetIndex : 0;
}

void THyperlink::SetAddress(const std::u16string& value) {
    Location.clear();
    static constexpr const char* kUrlPrefixes[] = {"http://", "https://", "www.", "ftp://",
                                                   "mailto:"};
    const std::string lower = AnsiLowerCase(Utf16ToUtf8(value));
    const auto starts = [&](const std::string& prefix) { return lower.rfind(prefix, 0) == 0; };
    bool url = false;
    for (const char* prefix : kUrlPrefixes)
        url = url || starts(prefix);
    if (url) {
        HyperlinkType = hltURL;
        HyperlinkEncoding = hleURL;
    } else if (starts("\\\\")) {
        HyperlinkType = hltUNC;
        HyperlinkEncoding = hleUNC;
    } else {
        // A reference of this workbook compiles; anything else is a file.
        bool compiles = false;
        auto* links = dynamic_cast<THyperlinks*>(Collection());
        if (links && links->Handler) {
            try {
                uint8_t buffer[255];
                links->Handler->EncodeFormula(value, 0, false, sizeof buffer, buffer);
                compiles = true;
            } catch (const Exception&) {
            }
        }
        HyperlinkType = compiles ? hltWorkbook : hltFile;
        HyperlinkEncoding = compiles ? hleWorkbook : hleURL;
        if (compiles)
            Location = u"#" + value;
    }
    address_ = value;
    Changed = true;
}

void THyperlink::SetDescription(const std::u16string& value) {
    description_ = value;
    Changed = true;
}

void THyperlink::SetToolTip(const std::u16string& value) {
    toolTip_ = value;
    Changed = true;
}

void THyperlink::DeclareProperties(TPropertyList& p) {
    using T = THyperlink;
    p.Add("Col1", &T::Col1);
    p.Add("Col2", &T::Col2);
    p.Add("Row1", &T::Row1);
    p.Add("Row2", &T::Row2);
    p.AddFn<T>("SheetIndex", [](T* t) { return t->SheetIndex(); });
    p.AddFn<T>(
        "Address", [](T* t) { return t->Address(); },
        [](T* t, std::u16string v) { t->SetAddress(v); });
    p.AddFn<T>(
        "Description", [](T* t) { return t->Description(); },
        [](T* t, std::u16string v) { t->SetDescription(v); });
    p.AddFn<T>(
        "ToolTip", [](T* t) { return t->ToolTip(); },
        [](T* t, std::u16string v) { t->SetToolTip(v); });
    p.AddFn<T>(
        "HyperlinkType", [](T* t) { return int(t->HyperlinkType); },
        [](T* t, int v) { t->HyperlinkType = static_cast<THyperlinkType>(v); });
    p.AddFn<T>(
        "HyperlinkEncoding", [](T* t) { return int(t->HyperlinkEncoding); },
        [](T* t, int v) { t->HyperlinkEncoding = static_cast<THyperlinkEncoding>(v); });
}
