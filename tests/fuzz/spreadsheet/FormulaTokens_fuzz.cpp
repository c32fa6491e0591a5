// Formula token streams from arbitrary bytes: decoded in every layout, moved by the reference
// adjusters and calculated over a small workbook. Only the library's own errors may come out;
// nothing reads past the stream.

#include "platform/rtl/Exception.h"
#include "spreadsheet/cells/Cell.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/formulas/AdjustFormula.h"
#include "spreadsheet/formulas/DecodeFormula.h"
#include "spreadsheet/formulas/FormulaHandler.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

struct TBook {
    TBook() {
        InitializeRecordFormatUnit();
        InitializeUtilitiesUnit();
        MaxCol = MaxColClassic;
        MaxRow = MaxRowClassic;
        handler = std::make_unique<TFormulaHandler>(sst, TFormatSettings::Invariant());
        TCellValues& store = *handler->CellValuesList().AddNew();
        handler->CellValuesList().AddNew();
        store.SetCell(0, 0,
                      std::make_unique<TFloatCell>(formats, formats.DefaultFormat(), 0, 0, 2));
        auto formula =
            std::make_unique<TFormulaNumberCell>(formats, formats.DefaultFormat(), 1, 0, 0);
        const std::vector<uint8_t> tokens = handler->EncodeFormula(u"A1*2");
        formula->SetFormulaTokens(tokens.data(), static_cast<int>(tokens.size()));
        store.SetCell(1, 0, std::move(formula));
        handler->ExternalNames().GetInternalExtSheet(1, 2);
        handler->InternalNames().AddName()->SetName(u"N");
        handler->OnNameText = [](int, int, std::u16string& text, int, int) { text = u"S"; };
    }
    TXFonts fonts;
    TCellFormats formats{fonts, true};
    TSST2 sst{fonts};
    std::unique_ptr<TFormulaHandler> handler;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TBook book;
    if (size < 2)
        return 0;
    const uint8_t mode = data[0];
    const std::vector<uint8_t> bytes(data + 1, data + size);
    // The last few bytes may stand for array constants after the tokens.
    const int length = std::max(0, static_cast<int>(bytes.size()) - (mode & 0x0F) % 4);
    const int extra = static_cast<int>(bytes.size()) - length;
    static constexpr TExcelVersion kVersions[] = {xvExcel21, xvExcel40, xvExcel50, xvExcel97};
    for (TExcelVersion version : kVersions) {
        try {
            DecodeFormulaTokens(
                version, bytes.data(), length,
                [](int, int, std::u16string& text, int, int, int) { text = u"R"; }, 3, 4, 0, u',',
                TFormatSettings::Invariant(), extra);
        } catch (const Exception&) {
        }
    }
    for (bool current : {false, true}) {
        std::vector<uint8_t> moved = bytes;
        try {
            AdjustCell(current, moved.data(), length, -3, 70000, mode & 0x10, mode & 0x20);
        } catch (const Exception&) {
        }
    }
    std::vector<uint8_t> shared = bytes;
    try {
        OffsetSharedFormula(shared.data(), length, 5, -7);
    } catch (const Exception&) {
    }
    book.handler->SetVersion(mode & 0x40 ? xvExcel50 : xvExcel97);
    try {
        TFormulaValue value;
        book.handler->CalcFormula(std::vector<uint8_t>(bytes.begin(), bytes.begin() + length), 2,
                                  value, 0, 1);
    } catch (const Exception&) {
    }
    static_cast<TFormulaCell*>(book.handler->CellValuesList().Items(0)->FindCell(1, 0))
        ->Calculated = 0;
    return 0;
}
