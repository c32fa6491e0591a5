#include "spreadsheet/cells/Cell.h"

#include <cstring>

std::u16string CellErrorText(int index) {
    static const char16_t* const texts[] = {u"[int] No error value",
                                            u"#NULL!",
                                            u"#DIV/0!",
                                            u"#VALUE!",
                                            u"#REF!",
                                            u"#NAME?",
                                            u"#NUM!",
                                            u"#N/A"};
    return index >= 0 && index < 8 ? texts[index] : u"";
}

std::unique_ptr<TCell> TBlankCell::MakeCopy() const {
    return std::make_unique<TBlankCell>(Formats(), Format(), Col, Row);
}

TStringCell::TStringCell(TCellFormats& formats, TCellFormat* format, int col, int row, TSST2& sst,
                         TSSTEntry* entry)
    : TCell(formats, format, col, row), sst_(sst), entry_(entry) {}

TStringCell::~TStringCell() {
    sst_.Release(entry_);
}

std::unique_ptr<TCell> TStringCell::MakeCopy() const {
    sst_.AddReference(entry_);
    return std::make_unique<TStringCell>(Formats(), Format(), Col, Row, sst_, entry_);
}

void TFormulaCell::SetFormulaTokens(const uint8_t* data, int size) {
    tokens_.assign(data, data + size);
    // New tokens leave the old result behind.
    Calculated = 0;
    SharedIndex = 0xFFFF;
    TextLength = 0;
    FormulaIsText = 0;
}

void TFormulaCell::SetFormulaText(const std::u16string& text) {
    tokens_.resize(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        tokens_[2 * i] = static_cast<uint8_t>(text[i]);
        tokens_[2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
    }
    TextLength = static_cast<int32_t>(text.size());
    FormulaIsText = 1;
}

std::u16string TFormulaCell::GetFormulaText() const {
    if (!FormulaIsText)
        return {};
    std::u16string text(static_cast<size_t>(TextLength), u'\0');
    for (size_t i = 0; i < text.size() && 2 * i + 1 < tokens_.size(); ++i)
        text[i] = static_cast<char16_t>(tokens_[2 * i] | tokens_[2 * i + 1] << 8);
    return text;
}

void TFormulaCell::CopyFormula(TFormulaCell& to) const {
    to.tokens_ = tokens_;
    to.Calculated = Calculated;
    to.FormulaIsText = FormulaIsText;
    to.SharedIndex = SharedIndex;
    to.TextLength = TextLength;
}
