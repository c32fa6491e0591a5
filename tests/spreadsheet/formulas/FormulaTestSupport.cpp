#include "tests/spreadsheet/formulas/FormulaTestSupport.h"

#include "spreadsheet/core/XLSUtils.h"
#include "spreadsheet/formulas/FormulaError.h"

#include <gtest/gtest.h>

#include <cstdio>

std::vector<uint8_t> Bytes(const std::string& hex) {
    std::vector<uint8_t> out;
    std::string digits;
    for (char c : hex)
        if (c != ' ')
            digits += c;
    for (size_t i = 0; i + 1 < digits.size(); i += 2)
        out.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return out;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string s;
    char buf[4];
    for (uint8_t b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", b);
        s += buf;
    }
    return s;
}

TTestEncoder::TTestEncoder() : encoder(TFormatSettings::Invariant()) {
    encoder.OnGetName = [this](const std::u16string& name, int& index) {
        auto it = names.find(name);
        index = it == names.end() ? -1 : it->second;
    };
    encoder.OnGetExternSheet = [this](const std::u16string& file, const std::u16string& book,
                                      int& sheetIndex, int& extSheet, bool,
                                      const std::u16string& sheet) {
        sheetIndex = extSheet = -1;
        if (!file.empty() || !book.empty())
            return;
        for (size_t i = 0; i < sheets.size(); ++i)
            if (UpperText(sheets[i]) == UpperText(sheet)) {
                sheetIndex = static_cast<int>(i);
                extSheet = 10 + static_cast<int>(i);
            }
    };
}

std::vector<uint8_t> TTestEncoder::Compile(const std::u16string& text, uint8_t version,
                                           uint8_t argClass) {
    return encoder.Compile(text, argClass, version);
}

std::vector<int> TTestEncoder::Errors(const std::u16string& text, uint8_t version) {
    std::vector<int> codes;
    encoder.OnFormulaError = [&](int code, const std::string&) { codes.push_back(code); };
    try {
        encoder.Compile(text, 0, version);
    } catch (const EXLSFormulaError& e) {
        codes.push_back(100 + e.Code());
    }
    encoder.OnFormulaError = nullptr;
    return codes;
}

namespace {

// The library's units start once for the test program, as the program starts them.
class TUnitsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        InitializeRecordFormatUnit();
        InitializeUtilitiesUnit();
    }
    void TearDown() override {
        FinalizeUtilitiesUnit();
        FinalizeRecordFormatUnit();
    }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new TUnitsEnvironment);

} // namespace
