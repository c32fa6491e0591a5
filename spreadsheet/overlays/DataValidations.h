#pragma once
// Data validations of a sheet: each a rule (type, style, operator, two compiled expressions,
// prompt and error texts) over cell areas that follow the cells; the collection keeps the
// body of the sheet's validation-list record.

#include "spreadsheet/areas/CellAreas.h"
#include "spreadsheet/areas/CollectionMoveCopy.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TFormulaHandler;

enum TValidationType : uint8_t {
    vtAny,
    vtInteger,
    vtNumber,
    vtList,
    vtDate,
    vtTime,
    vtTextLength,
    vtCustom
};
enum TValidationStyle : uint8_t { vsStop, vsWarning, vsInfo };
enum TValidationOperator : uint8_t {
    vopBetween,
    vopNotBetween,
    vopEqual,
    vopNotEqual,
    vopGreater,
    vopLess,
    vopGreateEqual,
    vopLessEqual
};
// Bits: 0 allow empty cells, 1 suppress the drop-down, 2 show the prompt, 3 show errors.
enum : uint8_t {
    voAllowEmptyCells = 0x01,
    voSupressDropDown = 0x02,
    voShowPromptBox = 0x04,
    voShowErrorBox = 0x08
};
using TValidationOptions = uint8_t;

class TDataValidation : public TAreaListItem {
    Q4_CLASS(TDataValidation, TAreaListItem)
    explicit TDataValidation(TCollection* collection);
    ~TDataValidation() override;
    // Copies everything but the change flag (which it sets), options included, and the areas.
    void Assign(TPersistent* source) override;

    TValidationType ValidationType() const { return type_; }
    void SetValidationType(TValidationType value);
    TValidationStyle ValidationStyle() const { return style_; }
    void SetValidationStyle(TValidationStyle value);
    TValidationOperator ValidationOperator() const { return operator_; }
    void SetValidationOperator(TValidationOperator value);
    TValidationOptions Options() const { return options_; }
    void SetOptions(TValidationOptions value);
    // Compiled with the reference class; a text that does not compile raises and the previous
    // expression stays.
    std::u16string Expression1() const { return Text(expression1_); }
    void SetExpression1(const std::u16string& text) { SetExpression(expression1_, text); }
    std::u16string Expression2() const { return Text(expression2_); }
    void SetExpression2(const std::u16string& text) { SetExpression(expression2_, text); }
    const std::vector<uint8_t>& Expression1Tokens() const { return expression1_; }

    bool Changed = false;
    uint32_t Reserved = 0;
    std::u16string InputTitle, ErrorTitle, InputMsg, ErrorMsg;

    static void DeclareProperties(TPropertyList& p);

private:
    TFormulaHandler* Handler() const;
    std::u16string Text(const std::vector<uint8_t>& tokens) const;
    void SetExpression(std::vector<uint8_t>& tokens, const std::u16string& text);

    TValidationOptions options_ = voAllowEmptyCells | voShowPromptBox | voShowErrorBox;
    std::vector<uint8_t> expression1_;
    std::vector<uint8_t> expression2_;
    TValidationType type_ = vtNumber;
    TValidationStyle style_ = vsStop;
    TValidationOperator operator_ = vopEqual;
};

class TDataValidations : public TCollectionMoveCopy {
    Q4_CLASS(TDataValidations, TCollectionMoveCopy)
    explicit TDataValidations(TPersistent* sheet = nullptr, TFormulaHandler* handler = nullptr);
    TDataValidation* Add() { return static_cast<TDataValidation*>(TCollection::Add()); }
    TDataValidation* Items(int index) const { return Item<TDataValidation>(index); }

    // The validation-list body: options (16), prompt left and top (32 each), the drop-down's
    // object id (32, -1 for none), the number of validations (32).
    std::array<uint8_t, 18> DVal{};
    TFormulaHandler* Handler;
};
