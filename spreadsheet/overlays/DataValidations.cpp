#include "spreadsheet/overlays/DataValidations.h"

#include "platform/classes/Properties.h"
#include "spreadsheet/formulas/FormulaHandler.h"

TDataValidations::TDataValidations(TPersistent* sheet, TFormulaHandler* handler)
    : TCollectionMoveCopy(TDataValidation::StaticClass(), sheet), Handler(handler) {
    for (int i = 10; i < 14; ++i)
        DVal[static_cast<size_t>(i)] = 0xFF;
}

TDataValidation::TDataValidation(TCollection* collection) : TAreaListItem(collection) {}

TDataValidation::~TDataValidation() = default;

TFormulaHandler* TDataValidation::Handler() const {
    auto* owner = dynamic_cast<TDataValidations*>(Collection());
    return owner ? owner->Handler : nullptr;
}

void TDataValidation::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TDataValidation*>(source);
    if (!other) {
        TAreaListItem::Assign(source);
        return;
    }
    Changed = true;
    Reserved = other->Reserved;
    // The options go with the rule: a validation copied to another sheet keeps them.
    options_ = other->options_;
    InputTitle = other->InputTitle;
    ErrorTitle = other->ErrorTitle;
    InputMsg = other->InputMsg;
    ErrorMsg = other->ErrorMsg;
    expression1_ = other->expression1_;
    expression2_ = other->expression2_;
    type_ = other->type_;
    style_ = other->style_;
    operator_ = other->operator_;
    Areas()->Assign(other->Areas());
}

void TDataValidation::SetValidationType(TValidationType value) {
    type_ = value;
    Changed = true;
}

void TDataValidation::SetValidationStyle(TValidationStyle value) {
    style_ = value;
    Changed = true;
}

void TDataValidation::SetValidationOperator(TValidationOperator value) {
    operator_ = value;
    Changed = true;
}

void TDataValidation::SetOptions(TValidationOptions value) {
    options_ = value;
    Changed = true;
}

std::u16string TDataValidation::Text(const std::vector<uint8_t>& tokens) const {
    TFormulaHandler* handler = Handler();
    if (tokens.empty() || !handler)
        return {};
    return handler->DecodeFormula(tokens.data(), static_cast<int>(tokens.size()));
}

void TDataValidation::SetExpression(std::vector<uint8_t>& tokens, const std::u16string& text) {
    TFormulaHandler* handler = Handler();
    std::vector<uint8_t> buffer(512);
    buffer.resize(static_cast<size_t>(
        handler ? handler->EncodeFormula(text, 0x20, false, 512, buffer.data()) : 0));
    tokens = std::move(buffer);
    Changed = true;
}

void TDataValidation::DeclareProperties(TPropertyList& p) {
    using T = TDataValidation;
    p.AddFn<T>(
        "Options", [](T* t) { return int(t->Options()); },
        [](T* t, int v) { t->SetOptions(static_cast<TValidationOptions>(v)); });
    p.Add("InputTitle", &T::InputTitle);
    p.Add("ErrorTitle", &T::ErrorTitle);
    p.Add("InputMsg", &T::InputMsg);
    p.Add("ErrorMsg", &T::ErrorMsg);
    p.AddFn<T>(
        "Expression1", [](T* t) { return t->Expression1(); },
        [](T* t, std::u16string v) { t->SetExpression1(v); });
    p.AddFn<T>(
        "Expression2", [](T* t) { return t->Expression2(); },
        [](T* t, std::u16string v) { t->SetExpression2(v); });
    p.AddFn<T>(
        "ValidationType", [](T* t) { return int(t->ValidationType()); },
        [](T* t, int v) { t->SetValidationType(static_cast<TValidationType>(v)); });
    p.AddFn<T>(
        "ValidationStyle", [](T* t) { return int(t->ValidationStyle()); },
        [](T* t, int v) { t->SetValidationStyle(static_cast<TValidationStyle>(v)); });
    p.AddFn<T>(
        "ValidationOperator", [](T* t) { return int(t->ValidationOperator()); },
        [](T* t, int v) { t->SetValidationOperator(static_cast<TValidationOperator>(v)); });
    p.AddFn<T>("Areas", [](T* t) { return static_cast<TCollection*>(t->Areas()); });
}
