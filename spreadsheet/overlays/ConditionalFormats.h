#pragma once
// Conditional formats of a sheet: up to three conditions, each a header in the layout of the
// fixed part of the conditional-format record, two compiled formulas and the font, border and
// pattern blocks; and the cell areas the format applies to, which follow the cells.

#include "spreadsheet/areas/CellAreas.h"
#include "spreadsheet/areas/CollectionMoveCopy.h"
#include "spreadsheet/overlays/CondFmtBlocks.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TFormulaHandler;

enum TConditionOperator : uint8_t {
    coNoComparision,
    coBetween,
    coNotBetween,
    coEqual,
    coNotEqual,
    coGreater,
    coLess,
    coGreateEqual,
    coLessEqual
};

class TCondFmtData : public TPersistent {
    Q4_CLASS(TCondFmtData, TPersistent)
    explicit TCondFmtData(TFormulaHandler* handler = nullptr);
    ~TCondFmtData() override;
    void Assign(TPersistent* source) override;

    // True: the cell's value is compared (condition type 1); false: a formula (type 2).
    bool CompareCell() const { return Header[0] == 1; }
    void SetCompareCell(bool value) { Header[0] = value ? 1 : 2; }
    TConditionOperator CompOperator() const { return static_cast<TConditionOperator>(Header[1]); }
    void SetCompOperator(TConditionOperator value) { Header[1] = value; }
    // The formulas as text through the formula handler. The header's length fields follow the
    // token counts, so that header and tokens always make a whole record.
    std::u16string Formula1() const { return FormulaText(formula1_); }
    void SetFormula1(const std::u16string& text) { SetFormula(formula1_, 2, text); }
    std::u16string Formula2() const { return FormulaText(formula2_); }
    void SetFormula2(const std::u16string& text) { SetFormula(formula2_, 4, text); }
    const std::vector<uint8_t>& Formula1Tokens() const { return formula1_; }
    const std::vector<uint8_t>& Formula2Tokens() const { return formula2_; }

    TCondFmtFont* FmtFont() const { return font_.get(); }
    TCondFmtBorder* FmtBorder() const { return border_.get(); }
    TCondFmtPattern* FmtPattern() const { return pattern_.get(); }

    // Condition type, operator, formula lengths (16 bits each), format flags (32), reserved.
    std::array<uint8_t, 12> Header{};

    static void DeclareProperties(TPropertyList& p);

private:
    std::u16string FormulaText(const std::vector<uint8_t>& tokens) const;
    void SetFormula(std::vector<uint8_t>& tokens, int lengthAt, const std::u16string& text);

    TFormulaHandler* handler_;
    std::vector<uint8_t> formula1_;
    std::vector<uint8_t> formula2_;
    std::unique_ptr<TCondFmtFont> font_;
    std::unique_ptr<TCondFmtBorder> border_;
    std::unique_ptr<TCondFmtPattern> pattern_;
};

class TConditionalFormats;

class TConditionalFormat : public TAreaListItem {
    Q4_CLASS(TConditionalFormat, TAreaListItem)
    explicit TConditionalFormat(TCollection* collection);
    ~TConditionalFormat() override;
    void Assign(TPersistent* source) override;

    TCondFmtData* Condition(int n) const { return conditions_.at(static_cast<size_t>(n)).get(); }
    TCondFmtData* Condition1() const { return Condition(0); }
    TCondFmtData* Condition2() const { return Condition(1); }
    TCondFmtData* Condition3() const { return Condition(2); }

    static void DeclareProperties(TPropertyList& p);

private:
    std::array<std::unique_ptr<TCondFmtData>, 3> conditions_;
};

class TConditionalFormats : public TCollectionMoveCopy {
    Q4_CLASS(TConditionalFormats, TCollectionMoveCopy)
    explicit TConditionalFormats(TPersistent* sheet = nullptr, TFormulaHandler* handler = nullptr)
        : TCollectionMoveCopy(TConditionalFormat::StaticClass(), sheet), Handler(handler) {}
    TConditionalFormat* Add() { return static_cast<TConditionalFormat*>(TCollection::Add()); }
    TConditionalFormat* Items(int index) const { return Item<TConditionalFormat>(index); }

    TFormulaHandler* Handler;
};
