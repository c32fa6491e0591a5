#pragma once
// Where each mark of a series was drawn, and the positions the user dragged (custom ones,
// kept over redraws).

#include "platform/graphics/Types.h"

#include <memory>
#include <vector>

struct TSeriesMarkPosition {
    TPoint ArrowFrom{};
    // The computed arrow start stays even for a custom position.
    bool ArrowFix = false;
    TPoint ArrowTo{};
    // Set by the user (dragged); kept when the mark is drawn again.
    bool Custom = false;
    int Height = 0;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    // A second arrow point, used when MidPointUsed.
    TPoint MidPoint{};
    bool MidPointUsed = false;

    TRect Bounds() const { return {Left, Top, Left + Width, Top + Height}; }
};

class TSeriesMarksPositions {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // The entry, or none beyond the list or where no mark was stored.
    TSeriesMarkPosition* EntryAt(int index) const;
    // Grows the list up to index and copies every field of position (custom flag included).
    void StoreAt(int index, const TSeriesMarkPosition& position);
    // The entry at index, made (not custom) when missing.
    TSeriesMarkPosition& Ensure(int index);
    void Clear() { items_.clear(); }
    bool HasCustom() const;
    // Frees the entry of one point and closes the gap.
    void Delete(int index);
    // Removes the entries first .. first + count - 1 that exist.
    void DeleteRange(int first, int count);

    // Centres position's box above (x, y): the arrow runs from (x, y) to (x, y), left is
    // x - width / 2 and top y - height + 1. A symbol rectangle, when given, keeps its size and
    // moves to (left + 2, y - height + 3).
    static void PlaceAt(TSeriesMarkPosition& position, int x, int y, TRect* symbol = nullptr);

private:
    std::vector<std::unique_ptr<TSeriesMarkPosition>> items_;
};
