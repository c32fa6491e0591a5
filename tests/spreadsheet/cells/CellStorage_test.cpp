#include "spreadsheet/cells/CellStorage.h"

#include "spreadsheet/core/XLSGlobals.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace {

struct Store : ::testing::Test {
    TXFonts fonts;
    TCellFormats formats{fonts, true};
    TSST2 sst{fonts};
    TCellValuesList list{sst};
    TCellValues& store = *list.AddNew();

    void SetUp() override {
        formats.Mask().SetFormatSettings(TFormatSettings::Invariant());
        MaxCol = MaxColWide;
        MaxRow = MaxRowWide;
    }
    std::unique_ptr<TFloatCell> Number(int col, int row, double v, TCellFormat* f = nullptr) {
        return std::make_unique<TFloatCell>(formats, f ? f : formats.DefaultFormat(), col, row, v);
    }
    // An entry of the list with the given number-format id.
    TCellFormat* WithNumberFormat(int id) {
        TCellFormat scratch(&formats);
        scratch.Assign(*formats.DefaultFormat());
        scratch.SetNumberFormatIndex(id);
        return formats.Share(formats.DefaultFormat(), scratch);
    }
};

// Counts the cells freed.
int gFreed = 0;
struct TCountedCell : TBlankCell {
    using TBlankCell::TBlankCell;
    ~TCountedCell() override { ++gFreed; }
};

} // namespace

TEST_F(Store, FarCornerAndDimensions) {
    store.CalcDimensions();
    EXPECT_EQ(store.FirstCol, 0);
    EXPECT_EQ(store.FirstRow, 0);
    EXPECT_EQ(store.LastCol, 0);
    EXPECT_EQ(store.LastRow, 0);

    store.SetCell(16383, 1048575, Number(16383, 1048575, 1));
    store.SetCell(7, 3, Number(7, 3, 2));
    TCell* far = store.FindCell(16383, 1048575);
    ASSERT_NE(far, nullptr);
    EXPECT_EQ(far->Row, 1048575u);
    store.CalcDimensions();
    EXPECT_EQ(store.FirstCol, 7);
    EXPECT_EQ(store.FirstRow, 3);
    EXPECT_EQ(store.LastCol, 16383);
    EXPECT_EQ(store.LastRow, 1048575);

    store.DeleteCell(16383, 1048575);
    store.DeleteCell(7, 3);
    store.CalcDimensions(); // blocks stay, no cells: the limits
    EXPECT_EQ(store.FirstCol, MaxCol);
    EXPECT_EQ(store.FirstRow, MaxRow);
    EXPECT_EQ(store.LastCol, 0);
}

TEST_F(Store, PositionsOutsideTheSheetHaveNoSlot) {
    for (const std::pair<int, int>& at : {std::pair{16384, 0}, {-1, 0}, {0, 1048576}, {0, -1}}) {
        const int col = at.first, row = at.second; // plain names: lambdas below capture them
        EXPECT_EQ(store.FindCell(col, row), nullptr);
        EXPECT_EQ(ErrorMessage([&] { store.SetCell(col, row, Number(0, 0, 1)); }),
                  "Invalid cell position");
        EXPECT_NO_THROW(store.DeleteCell(col, row));
        EXPECT_EQ(store.RemoveCell(col, row), nullptr);
    }
}

TEST_F(Store, ReplacingFreesAndTheCacheForgets) {
    gFreed = 0;
    store.SetCell(2, 2, std::make_unique<TCountedCell>(formats, formats.DefaultFormat(), 2, 2));
    TCell* first = store.FindCell(2, 2);
    store.SetCell(2, 2, std::unique_ptr<TCell>(first)); // the same cell again: kept
    EXPECT_EQ(gFreed, 0);
    EXPECT_EQ(store.FindCell(2, 2), first);
    store.SetCell(2, 2, std::make_unique<TCountedCell>(formats, formats.DefaultFormat(), 2, 2));
    EXPECT_EQ(gFreed, 1);

    ASSERT_EQ(store.FindCell(2, 2), store.LastFound());
    std::unique_ptr<TCell> taken = store.RemoveCell(2, 2);
    EXPECT_EQ(store.FindCell(2, 2), nullptr);
    EXPECT_EQ(store.LastFound(), nullptr);
    taken.reset();
    EXPECT_EQ(gFreed, 2);
}

TEST_F(Store, WalkInRowThenColumnOrderSurvivesRemoval) {
    for (auto [col, row] : {std::pair{200, 5}, {0, 6}, {3, 5}, {128, 5}, {16383, 1048575}})
        store.SetCell(col, row, Number(col, row, 0));
    std::vector<std::pair<int, int>> seen;
    store.BeginWalk();
    while (TCell* c = store.NextCell()) {
        seen.emplace_back(c->Col, c->Row);
        store.DeleteCell(c->Col, c->Row); // the cell just returned
    }
    const std::vector<std::pair<int, int>> expected = {
        {3, 5}, {128, 5}, {200, 5}, {0, 6}, {16383, 1048575}};
    EXPECT_EQ(seen, expected);
    store.BeginWalk();
    EXPECT_EQ(store.NextCell(), nullptr);
}

TEST_F(Store, CellsOfAnAreaInColumnOrder) {
    // Cells on both sides of the row-block (1024) and column-block (128) edges.
    for (auto [col, row] : {std::pair{0, 0},
                            {127, 1023},
                            {128, 1024},
                            {5, 2000},
                            {128, 3},
                            {16383, 1048575},
                            {16383, 0}})
        store.SetCell(col, row, Number(col, row, 0));
    struct TCase {
        int Col1, Row1, Col2, Row2;
        std::vector<TCellPos> Cells;
    };
    const TCase cases[] = {
        {0,
         0,
         16383,
         1048575,
         {{0, 0}, {5, 2000}, {127, 1023}, {128, 3}, {128, 1024}, {16383, 0}, {16383, 1048575}}},
        {127, 1023, 128, 1024, {{127, 1023}, {128, 1024}}},
        {128, 4, 128, 1023, {}},
        {1, 1, 126, 2000, {{5, 2000}}},
        // Bounds beyond the sheet are clipped; an area wholly outside it has no cells.
        {-5,
         -5,
         20000,
         2000000,
         {{0, 0}, {5, 2000}, {127, 1023}, {128, 3}, {128, 1024}, {16383, 0}, {16383, 1048575}}},
        {16384, 0, 20000, 10, {}},
        {3, 3, 2, 2, {}},
    };
    for (const TCase& c : cases) {
        std::vector<TCellPos> seen = {{1, 1}}; // filled afresh
        store.CellsInArea(c.Col1, c.Row1, c.Col2, c.Row2, seen);
        EXPECT_EQ(seen, c.Cells) << c.Col1 << "," << c.Row1 << ":" << c.Col2 << "," << c.Row2;
    }
}

TEST_F(Store, FormattedTexts) {
    StrTRUE = u"TRUE";
    store.SetCell(0, 0, Number(0, 0, 2.5, WithNumberFormat(12)));
    store.SetCell(1, 0, Number(1, 0, 0.333, WithNumberFormat(13)));
    store.SetCell(2, 0, std::make_unique<TIntegerCell>(formats, formats.Formats(0), 2, 0, 1234));
    store.SetCell(3, 0, std::make_unique<TErrorCell>(formats, formats.DefaultFormat(), 3, 0, 7));
    store.SetCell(4, 0, std::make_unique<TBooleanCell>(formats, formats.DefaultFormat(), 4, 0, 1));
    store.SetCell(5, 0, Number(5, 0, 12345, WithNumberFormat(11)));
    store.SetCell(6, 0, Number(6, 0, 1234.5, WithNumberFormat(4)));
    store.SetCell(7, 0, Number(7, 0, 45000, WithNumberFormat(14)));
    store.SetCell(8, 0, Number(8, 0, 0.75, WithNumberFormat(20)));
    store.SetCell(9, 0, Number(9, 0, 0.1, formats.DefaultFormat()));
    auto formula =
        std::make_unique<TFormulaStringCell>(formats, formats.DefaultFormat(), 10, 0, u"result");
    store.SetCell(10, 0, std::move(formula));
    store.SetCell(11, 0,
                  std::make_unique<TStringCell>(formats, formats.DefaultFormat(), 11, 0, sst,
                                                sst.AddString(u"text")));
    struct Case {
        int col;
        std::u16string text;
    } cases[] = {{0, u"2 1/2"}, {1, u"1/3"},      {2, u"1234"},     {3, u"#N/A"},
                 {4, u"TRUE"},  {5, u"1.23E+04"}, {6, u"1,234.50"}, {7, u"03/15/2023"},
                 {8, u"18:00"}, {9, u"0.1"},      {10, u"result"},  {11, u"text"},
                 {12, u""}};
    for (const Case& c : cases)
        EXPECT_EQ(store.GetAsFormattedText(c.col, 0), c.text) << c.col;
}

TEST(CellText, Fractions) {
    const TFormatSettings s = TFormatSettings::Invariant();
    struct Case {
        double value;
        int max;
        std::u16string text;
    } cases[] = {{2.5, 9, u"2 1/2"},   {0.333, 99, u"1/3"},     {3, 9, u"3"},
                 {0.75, 9, u"3/4"},    {0.1, 9, u"1/9"},        {0.1, 99, u"1/10"},
                 {-2.5, 9, u"-2 1/2"}, {-0.25, 9, u"-1/4"},     {2.9999, 9, u"3"},
                 {0.0001, 9, u"0/1"},  {3.14159, 99, u"3 1/7"}, {-0.96, 9, u"-1"}};
    for (const Case& c : cases)
        EXPECT_EQ(FractionText(c.value, c.max, s), c.text) << c.value << " " << c.max;
}

TEST_F(Store, ErrorTextsAndSharedFormulas) {
    EXPECT_EQ(CellErrorText(0), u"[int] No error value");
    EXPECT_EQ(CellErrorText(1), u"#NULL!");
    EXPECT_EQ(CellErrorText(5), u"#NAME?");
    EXPECT_EQ(CellErrorText(8), u"");

    int told = 0;
    list.OnDeleteSharedFormula = [&](TCellValues& s, TCell& c) {
        EXPECT_EQ(&s, &store);
        EXPECT_EQ(c.Col, 1);
        ++told;
    };
    auto shared = std::make_unique<TFormulaNumberCell>(formats, formats.DefaultFormat(), 1, 1, 0.0);
    shared->SharedIndex = 3;
    store.SetCell(1, 1, std::move(shared));
    store.DeleteCell(1, 1);
    EXPECT_EQ(told, 1);

    TCellStorage bare;
    auto other = std::make_unique<TFormulaNumberCell>(formats, formats.DefaultFormat(), 0, 0, 0.0);
    other->SharedIndex = 0;
    bare.SetCell(0, 0, std::move(other));
    EXPECT_EQ(ErrorMessage([&] { bare.DeleteCell(0, 0); }), "Can not delete shared formula");
    EXPECT_NE(bare.FindCell(0, 0), nullptr); // refused: the cell stays

    // Destroying a bare store that still holds such a cell frees it without the hook, which
    // would raise out of a destructor.
    gFreed = 0;
    {
        auto doomed = std::make_unique<TCellStorage>();
        auto cell =
            std::make_unique<TFormulaNumberCell>(formats, formats.DefaultFormat(), 1, 1, 0.0);
        cell->SharedIndex = 2;
        doomed->SetCell(1, 1, std::move(cell));
        doomed->SetCell(2, 2,
                        std::make_unique<TCountedCell>(formats, formats.DefaultFormat(), 2, 2));
        EXPECT_NO_THROW(doomed.reset());
    }
    EXPECT_EQ(gFreed, 1);
}

TEST_F(Store, FormulaBuffer) {
    TFormulaNumberCell f(formats, formats.DefaultFormat(), 0, 0, 1.0);
    f.SetFormulaText(u"=A1+1");
    EXPECT_EQ(f.GetFormulaText(), u"=A1+1");
    const uint8_t tokens[] = {0x1E, 0x01, 0x00};
    f.SharedIndex = 4;
    f.SetFormulaTokens(tokens, 3);
    EXPECT_EQ(f.TokensLength(), 3);
    EXPECT_EQ(f.SharedIndex, 0xFFFF);
    EXPECT_EQ(f.GetFormulaText(), u"");
    auto copy = f.MakeCopy();
    EXPECT_EQ(static_cast<TFormulaNumberCell&>(*copy).Tokens(), f.Tokens());
    EXPECT_EQ(copy->CellType(), ckFormulaNumber);
}

TEST_F(Store, StringCellsHoldTheirReference) {
    auto cell = std::make_unique<TStringCell>(formats, formats.DefaultFormat(), 0, 0, sst,
                                              sst.AddString(u"shared"));
    std::unique_ptr<TCell> copy = cell->MakeCopy();
    EXPECT_EQ(TSST2::RefCount(cell->Entry()), 2);
    store.SetCell(0, 0, std::move(cell));
    store.SetCell(1, 0, std::move(copy));
    store.DeleteCell(0, 0);
    EXPECT_EQ(sst.StringCount, 1);
    EXPECT_EQ(store.GetAsFormattedText(1, 0), u"shared"); // the copy's entry is alive
    store.SetCell(1, 0, Number(1, 0, 1));                 // replaced: its reference goes
    EXPECT_EQ(sst.StringCount, 0);
}

// Random stores, deletes, removals and walks against a map of positions.
TEST_F(Store, AgreesWithAMapModel) {
    std::mt19937 rng(7);
    std::map<std::pair<uint32_t, int>, double> model; // (row, col) -> value: walk order
    auto pos = [&rng] {
        // Mostly a small region, so that operations meet; sometimes anywhere.
        if (rng() % 8 == 0)
            return std::pair<int, int>(static_cast<int>(rng() % 16384),
                                       static_cast<int>(rng() % 1048576));
        return std::pair<int, int>(static_cast<int>(rng() % 300), static_cast<int>(rng() % 2100));
    };
    for (int step = 0; step < 100000; ++step) {
        auto [col, row] = pos();
        const auto key = std::make_pair(static_cast<uint32_t>(row), col);
        switch (rng() % 6) {
        case 0:
        case 1: {
            const double v = step;
            store.SetCell(col, row, Number(col, row, v));
            model[key] = v;
            break;
        }
        case 2:
            store.DeleteCell(col, row);
            model.erase(key);
            break;
        case 3: {
            std::unique_ptr<TCell> c = store.RemoveCell(col, row);
            ASSERT_EQ(c != nullptr, model.erase(key) == 1);
            break;
        }
        default: {
            TCell* c = store.FindCell(col, row);
            auto it = model.find(key);
            ASSERT_EQ(c != nullptr, it != model.end()) << step;
            if (c) {
                ASSERT_EQ(static_cast<TFloatCell*>(c)->Value, it->second);
            }
        }
        }
        if (step % 20000 == 19999) {
            store.BeginWalk();
            auto it = model.begin();
            for (TCell* c = store.NextCell(); c; c = store.NextCell(), ++it) {
                ASSERT_NE(it, model.end());
                ASSERT_EQ(std::make_pair(c->Row, static_cast<int>(c->Col)), it->first);
            }
            ASSERT_EQ(it, model.end());
            // The cells of a random area, column by column, as the model lists them.
            auto [c1, r1] = pos();
            auto [c2, r2] = pos();
            if (c1 > c2)
                std::swap(c1, c2);
            if (r1 > r2)
                std::swap(r1, r2);
            std::vector<std::pair<int, uint32_t>> expected, seen;
            for (const auto& [at, value] : model)
                if (at.second >= c1 && at.second <= c2 && at.first >= static_cast<uint32_t>(r1) &&
                    at.first <= static_cast<uint32_t>(r2))
                    expected.emplace_back(at.second, at.first);
            std::sort(expected.begin(), expected.end());
            std::vector<TCellPos> cells;
            store.CellsInArea(c1, r1, c2, r2, cells);
            for (const TCellPos& at : cells) {
                ASSERT_NE(store.FindCell(at.Col, at.Row), nullptr);
                seen.emplace_back(at.Col, static_cast<uint32_t>(at.Row));
            }
            ASSERT_EQ(seen, expected) << c1 << "," << r1 << ":" << c2 << "," << r2;
            store.CalcDimensions();
            if (!model.empty()) {
                EXPECT_EQ(static_cast<uint32_t>(store.FirstRow), model.begin()->first.first);
                EXPECT_EQ(static_cast<uint32_t>(store.LastRow), model.rbegin()->first.first);
            }
        }
    }
}
