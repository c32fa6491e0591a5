#include "spreadsheet/overlays/ConditionalFormats.h"

#include "platform/classes/Properties.h"
#include "spreadsheet/formulas/FormulaHandler.h"

TCondFmtData::TCondFmtData(TFormulaHandler* handler)
    : handler_(handler), font_(std::make_unique<TCondFmtFont>()),
      border_(std::make_unique<TCondFmtBorder>()), pattern_(std::make_unique<TCondFmtPattern>()) {
    Header[0] = 1;
    Header[1] = coEqual;
    Header[6] = 0xFF;
    Header[7] = 0xFF;
    Header[8] = 0x3F;
}

TCondFmtData::~TCondFmtData() = default;

void TCondFmtData::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCondFmtData*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    Header = other->Header;
    formula1_ = other->formula1_;
    formula2_ = other->formula2_;
    font_->Assign(other->font_.get());
    border_->Assign(other->border_.get());
    pattern_->Assign(other->pattern_.get());
}

std::u16string TCondFmtData::FormulaText(const std::vector<uint8_t>& tokens) const {
    if (tokens.empty() || !handler_)
        return {};
    return handler_->DecodeFormula(tokens.data(), static_cast<int>(tokens.size()));
}

void TCondFmtData::SetFormula(std::vector<uint8_t>& tokens, int lengthAt,
                              const std::u16string& text) {
    std::vector<uint8_t> compiled;
    if (!text.empty() && handler_) {
        compiled.resize(1024);
        compiled.resize(
            static_cast<size_t>(handler_->EncodeFormula(text, 0, false, 1024, compiled.data())));
    }
    tokens = std::move(compiled);
    Header[lengthAt] = static_cast<uint8_t>(tokens.size());
    Header[lengthAt + 1] = static_cast<uint8_t>(tokens.size() >> 8);
}

void TCondFmtData::DeclareProperties(TPropertyList& p) {
    using T = TCondFmtData;
    p.AddFn<T>(
        "CompareCell", [](T* t) { return t->CompareCell(); },
        [](T* t, bool v) { t->SetCompareCell(v); });
    p.AddFn<T>(
        "CompOperator", [](T* t) { return int(t->CompOperator()); },
        [](T* t, int v) { t->SetCompOperator(static_cast<TConditionOperator>(v)); });
    p.AddFn<T>(
        "Formula1", [](T* t) { return t->Formula1(); },
        [](T* t, std::u16string v) { t->SetFormula1(v); });
    p.AddFn<T>(
        "Formula2", [](T* t) { return t->Formula2(); },
        [](T* t, std::u16string v) { t->SetFormula2(v); });
    p.AddFn<T>("FmtFont", [](T* t) { return static_cast<TPersistent*>(t->FmtFont()); });
    p.AddFn<T>("FmtBorder", [](T* t) { return static_cast<TPersistent*>(t->FmtBorder()); });
    p.AddFn<T>("FmtPattern", [](T* t) { return static_cast<TPersistent*>(t->FmtPattern()); });
}

TConditionalFormat::TConditionalFormat(TCollection* collection) : TAreaListItem(collection) {
    auto* owner = dynamic_cast<TConditionalFormats*>(collection);
    for (auto& condition : conditions_)
        condition = std::make_unique<TCondFmtData>(owner ? owner->Handler : nullptr);
}

TConditionalFormat::~TConditionalFormat() = default;

void TConditionalFormat::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TConditionalFormat*>(source);
    if (!other) {
        TAreaListItem::Assign(source);
        return;
    }
    for (size_t i = 0; i < conditions_.size(); ++i)
        conditions_[i]->Assign(other->conditions_[i].get());
    Areas()->Assign(other->Areas());
}

void TConditionalFormat::DeclareProperties(TPropertyList& p) {
    using T = TConditionalFormat;
    static const char* const kNames[] = {"Condition1", "Condition2", "Condition3"};
    for (int n = 0; n < 3; ++n)
        p.AddFn<T>(kNames[n], [n](T* t) { return static_cast<TPersistent*>(t->Condition(n)); });
    p.AddFn<T>("Areas", [](T* t) { return static_cast<TCollection*>(t->Areas()); });
}
