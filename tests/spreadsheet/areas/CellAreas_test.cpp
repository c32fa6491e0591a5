#include "spreadsheet/areas/CellAreas.h"

#include "spreadsheet/core/XLSGlobals.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <utility>

namespace {

std::vector<TAreaRect> Rects(const TBaseCellAreas& areas) {
    std::vector<TAreaRect> out;
    for (int i = 0; i < areas.Count(); ++i)
        out.push_back(areas.Items(i)->Rect());
    return out;
}

struct Areas : ::testing::Test {
    void SetUp() override {
        MaxCol = MaxColClassic;
        MaxRow = MaxRowClassic;
    }
};

TEST_F(Areas, DeletingCutsAnAreaIntoFourPieces) {
    TCellAreas areas;
    areas.AddArea(0, 0, 5, 5);
    areas.DeleteAreas(2, 2, 3, 3);
    EXPECT_EQ(Rects(areas),
              (std::vector<TAreaRect>{{0, 0, 5, 1}, {0, 4, 5, 5}, {0, 2, 1, 3}, {4, 2, 5, 3}}));
    EXPECT_TRUE(areas.Intersects(0, 0, 0, 0));
    EXPECT_FALSE(areas.Intersects(2, 2, 3, 3));
}

TEST_F(Areas, MergingContinuesAnArea) {
    TCellAreas areas;
    areas.AddArea(0, 4, 5, 5);
    EXPECT_TRUE(areas.TryMerge({0, 6, 5, 8}));
    EXPECT_EQ(Rects(areas), (std::vector<TAreaRect>{{0, 4, 5, 8}}));
    EXPECT_TRUE(areas.TryMerge({0, 1, 5, 3}));
    EXPECT_TRUE(areas.TryMerge({6, 1, 9, 8}));
    EXPECT_EQ(Rects(areas), (std::vector<TAreaRect>{{0, 1, 9, 8}}));
    EXPECT_FALSE(areas.TryMerge({0, 10, 9, 11}));
    EXPECT_TRUE(areas.TryMerge({2, 2, 3, 3}));
    // Rows beyond 65535 are compared whole.
    MaxRow = MaxRowWide;
    TCellAreas tall;
    tall.AddArea(0, 70000, 0, 70005);
    EXPECT_FALSE(tall.TryMerge({0, 4470, 0, 4470}));
    EXPECT_TRUE(tall.TryMerge({0, 70006, 0, 70010}));
    EXPECT_EQ(Rects(tall), (std::vector<TAreaRect>{{0, 70000, 0, 70010}}));
}

TEST_F(Areas, OffsetsClipToTheSheet) {
    TCellAreas areas;
    areas.AddArea(2, 0, 5, 0);
    areas.AddArea(2, 1, 20, 1);
    areas.OffsetAreas(-10, 0);
    EXPECT_EQ(Rects(areas), (std::vector<TAreaRect>{{0, 1, 10, 1}}));
    areas.OffsetAreas(250, 65530);
    EXPECT_EQ(Rects(areas), (std::vector<TAreaRect>{{250, 65531, 255, 65531}}));
    TCellArea& area = *areas.Items(0);
    area.Row1 = 3;
    EXPECT_EQ(area.Row1i(), 3);
}

TEST_F(Areas, MergedCellsKeepTheirShape) {
    TMergedCells merged;
    merged.AddArea(2, 2, 5, 5);
    // The left half goes: the area keeps its right half.
    merged.DeleteAreas(0, 0, 3, 9);
    EXPECT_EQ(Rects(merged), (std::vector<TAreaRect>{{4, 2, 5, 5}}));
    merged.AddArea(10, 10, 14, 14);
    merged.AddArea(20, 20, 21, 21);
    // Cutting the middle of the second area raises before the first one changes.
    EXPECT_EQ(ErrorMessage([&] { merged.DeleteAreas(0, 0, 12, 12); }),
              "Can not change part of a merged cell");
    EXPECT_EQ(Rects(merged),
              (std::vector<TAreaRect>{{4, 2, 5, 5}, {10, 10, 14, 14}, {20, 20, 21, 21}}));
    merged.DeleteAreas(20, 20, 30, 30);
    EXPECT_EQ(merged.Count(), 2);
    EXPECT_EQ(ErrorMessage([&] { merged.OffsetAreas(1, 1); }),
              "TSolidCellAreas.Move not implemented");
}

TEST_F(Areas, MovingMergedCells) {
    TMergedCells merged;
    merged.AddArea(2, 2, 5, 5);
    merged.AddArea(8, 8, 9, 9);
    // A corner inside an area raises, and nothing moves.
    EXPECT_EQ(ErrorMessage([&] { merged.MoveAreas(3, 3, 9, 9, 1, 1); }),
              "Can not change part of a merged cell");
    EXPECT_EQ(Rects(merged), (std::vector<TAreaRect>{{2, 2, 5, 5}, {8, 8, 9, 9}}));
    // Bounds inside the moved rectangle follow it; the others stay.
    merged.MoveAreas(0, 0, 6, 6, 10, 0);
    EXPECT_EQ(Rects(merged), (std::vector<TAreaRect>{{12, 2, 15, 5}, {8, 8, 9, 9}}));
    // A move that turns an area inside out removes it.
    merged.MoveAreas(8, 0, 8, 20, 5, 0);
    EXPECT_EQ(Rects(merged), (std::vector<TAreaRect>{{12, 2, 15, 5}}));
    // Copies take whole areas, also one only partly inside.
    merged.CopyAreas(14, 0, 20, 3, 0, 10);
    EXPECT_EQ(Rects(merged), (std::vector<TAreaRect>{{12, 2, 15, 5}, {12, 12, 15, 15}}));
    TMergedCells other;
    TCellAreaList list;
    merged.CollectAreas(list, 0, 0, 20, 6);
    other.InsertCopies(list, 0, 0, 20, 6, 100, 0);
    merged.DeleteListed(list, 0, 0, 20, 6);
    EXPECT_EQ(Rects(other), (std::vector<TAreaRect>{{112, 2, 115, 5}}));
    EXPECT_EQ(Rects(merged), (std::vector<TAreaRect>{{12, 12, 15, 15}}));
}

// The cells an area list covers.
using TCells = std::set<std::pair<int64_t, int64_t>>;

TCells Cover(const TBaseCellAreas& areas) {
    TCells cells;
    for (const TAreaRect& r : Rects(areas))
        for (int64_t c = r.Col1; c <= r.Col2; ++c)
            for (int64_t w = r.Row1; w <= r.Row2; ++w)
                cells.insert({c, w});
    return cells;
}

bool Inside(const std::pair<int64_t, int64_t>& cell, const TAreaRect& r) {
    return cell.first >= r.Col1 && cell.first <= r.Col2 && cell.second >= r.Row1 &&
           cell.second <= r.Row2;
}

TCells Moved(const TCells& cells, int64_t dc, int64_t dr) {
    TCells out;
    for (auto [c, r] : cells)
        if (c + dc >= 0 && c + dc <= MaxCol && r + dr >= 0 && r + dr <= MaxRow)
            out.insert({c + dc, r + dr});
    return out;
}

TEST_F(Areas, RandomOperationsAgreeWithACellSetModel) {
    MaxCol = MaxRow = 11;
    std::mt19937 rng(107);
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    const auto rect = [&] {
        const int c1 = pick(0, 11), r1 = pick(0, 11);
        return TAreaRect{c1, r1, pick(c1, 11), pick(r1, 11)};
    };
    TCellAreas areas;
    TCells model;
    for (int step = 0; step < 10000; ++step) {
        const TAreaRect r = rect();
        const int dc = pick(-6, 6), dr = pick(-6, 6);
        TCells inR, outR;
        for (const auto& cell : model)
            (Inside(cell, r) ? inR : outR).insert(cell);
        switch (pick(0, 5)) {
        case 0:
            areas.AddRect(r);
            for (int64_t c = r.Col1; c <= r.Col2; ++c)
                for (int64_t w = r.Row1; w <= r.Row2; ++w)
                    model.insert({c, w});
            break;
        case 1:
            areas.DeleteAreas(r.Col1, r.Row1, r.Col2, r.Row2);
            model = outR;
            break;
        case 2:
            areas.ClipAreas(r.Col1, r.Row1, r.Col2, r.Row2);
            model = inR;
            break;
        case 3:
            areas.OffsetAreas(dc, dr);
            model = Moved(model, dc, dr);
            break;
        case 4:
            areas.CopyAreas(r.Col1, r.Row1, r.Col2, r.Row2, dc, dr);
            for (const auto& cell : Moved(inR, dc, dr))
                model.insert(cell);
            break;
        default:
            areas.MoveAreas(r.Col1, r.Row1, r.Col2, r.Row2, dc, dr);
            model = outR;
            for (const auto& cell : Moved(inR, dc, dr))
                model.insert(cell);
        }
        ASSERT_EQ(Cover(areas), model) << "step " << step;
        for (const TAreaRect& a : Rects(areas))
            ASSERT_TRUE(a.Col1 <= a.Col2 && a.Row1 <= a.Row2 && a.Col1 >= 0 && a.Row2 <= 11);
        if (areas.Count() > 60) {
            areas.Clear();
            model.clear();
        }
    }
}

} // namespace
