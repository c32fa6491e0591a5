#include "spreadsheet/formulas/AdjustFormula.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "spreadsheet/formulas/Ptg.h"
#include "spreadsheet/formulas/PtgLayout.h"

#include <functional>
#include <string>
#include <vector>

namespace {

struct TTokenAt {
    int Pos;
    TPtgLayout Layout;
};

std::string Hex2(int v) {
    return Format("%.2X", {v});
}

// The sizes of the memory tokens, which the walk steps over with the tokens they hold.
int MemorySize(const uint8_t* t, int at, int length, uint8_t base) {
    if (base == ptgMemErr || base == ptgMemNoMem)
        return 7 + ReadWord(t, at + 5, length);
    if (base == ptgMemFunc || base == ptgMemAreaN || base == ptgMemNoMemN)
        return 3 + ReadWord(t, at + 1, length);
    return -1;
}

// The reference tokens of a stream, after checking that every token has a size and fits;
// `message` names the caller in the error ("in AdjustCell").
std::vector<TTokenAt> ReferenceTokens(const uint8_t* t, int length, TPtgLayout layout,
                                      const std::string& where,
                                      const std::function<void(uint8_t)>& check = {}) {
    std::vector<TTokenAt> refs;
    for (int pos = 0; pos < length;) {
        const uint8_t ptg = t[pos];
        if (ptg == ptgWide) {
            layout = plWide;
            ++pos;
            continue;
        }
        const uint8_t base = PtgBase(ptg);
        if (check)
            check(ptg);
        int size = ptg >= 0x20 && ptg < 0x80 ? MemorySize(t, pos, length, base) : -1;
        if (size < 0)
            size = PtgSize(t, pos, length, layout);
        if (size < 0)
            throw Exception("Unknown ptg[" + Hex2(ptg) + "] " + where);
        if (pos + size > length)
            throw Exception("Formula tokens are truncated");
        if (ptg >= 0x20 && ptg < 0x80 &&
            (base == ptgRef || base == ptgArea || base == ptgRef3d || base == ptgArea3d))
            refs.push_back({pos, layout});
        pos += size;
    }
    return refs;
}

uint8_t ErrorForm(uint8_t ptg) {
    static constexpr uint8_t kError[] = {ptgRefErr, ptgAreaErr};
    const uint8_t base = PtgBase(ptg);
    uint8_t err = base == ptgRef     ? kError[0]
                  : base == ptgArea  ? kError[1]
                  : base == ptgRef3d ? uint8_t(ptgRefErr3d)
                                     : uint8_t(ptgAreaErr3d);
    return static_cast<uint8_t>((ptg & 0x60) | (err & 0x1F));
}

void PutWord(uint8_t* t, int at, uint16_t v) {
    t[at] = static_cast<uint8_t>(v);
    t[at + 1] = static_cast<uint8_t>(v >> 8);
}

void PutLong(uint8_t* t, int at, uint32_t v) {
    PutWord(t, at, static_cast<uint16_t>(v));
    PutWord(t, at + 2, static_cast<uint16_t>(v >> 16));
}

// One corner's move: the fields as read, whether each part moves, and the limits.
struct TCorner {
    int64_t Col, Row;
    bool MoveCol, MoveRow;
};

class TMover {
public:
    TMover(uint8_t* t, int length, int colDelta, int rowDelta, bool keepRows, bool adjustAll)
        : t_(t), length_(length), colDelta_(colDelta), rowDelta_(rowDelta), keepRows_(keepRows),
          adjustAll_(adjustAll) {}

    void Move(const TTokenAt& token);

private:
    // Offsets of the first row field and the number of corners.
    int FieldsAt(const TTokenAt& token) const;
    bool MoveClassic(int at, int corners, bool current);
    bool MoveWide(int at, int corners);
    bool Apply(TCorner& c, int64_t maxCol, int64_t maxRow) const;

    uint8_t* t_;
    int length_;
    int colDelta_, rowDelta_;
    bool keepRows_, adjustAll_;
};

bool TMover::Apply(TCorner& c, int64_t maxCol, int64_t maxRow) const {
    if (c.MoveCol || adjustAll_)
        c.Col += colDelta_;
    if ((c.MoveRow || adjustAll_) && !keepRows_)
        c.Row += rowDelta_;
    return c.Col >= 0 && c.Col <= maxCol && c.Row >= 0 && c.Row <= maxRow;
}

int TMover::FieldsAt(const TTokenAt& token) const {
    const uint8_t base = PtgBase(t_[token.Pos]);
    if (base == ptgRef || base == ptgArea)
        return token.Pos + 1;
    return token.Pos + (token.Layout == pl50 ? 15 : 3);
}

// The classic layouts: current (16-bit rows, columns with relative bits 15 and 14) and the
// 1993 one (rows with the relative bits, 8-bit columns).
bool TMover::MoveClassic(int at, int corners, bool current) {
    std::vector<TCorner> cs(static_cast<size_t>(corners));
    for (int i = 0; i < corners; ++i) {
        TCorner& c = cs[static_cast<size_t>(i)];
        const uint16_t row = ReadWord(t_, at + 2 * i, length_);
        if (current) {
            const uint16_t col = ReadWord(t_, at + 2 * corners + 2 * i, length_);
            c = {col & 0x3FFF, row, (col & 0x4000) != 0, (col & 0x8000) != 0};
        } else {
            c = {t_[at + 2 * corners + i], row & 0x3FFF, (row & 0x4000) != 0, (row & 0x8000) != 0};
        }
        if (!Apply(c, 255, current ? 65535 : 16383))
            return false;
    }
    for (int i = 0; i < corners; ++i) {
        const TCorner& c = cs[static_cast<size_t>(i)];
        if (current) {
            const uint16_t col = ReadWord(t_, at + 2 * corners + 2 * i, length_);
            PutWord(t_, at + 2 * i, static_cast<uint16_t>(c.Row));
            PutWord(t_, at + 2 * corners + 2 * i, static_cast<uint16_t>((col & 0xC000) | c.Col));
        } else {
            const uint16_t row = ReadWord(t_, at + 2 * i, length_);
            PutWord(t_, at + 2 * i, static_cast<uint16_t>((row & 0xC000) | c.Row));
            t_[at + 2 * corners + i] = static_cast<uint8_t>(c.Col);
        }
    }
    return true;
}

// The wide layout: 32-bit rows (bit 31 absolute), 16-bit columns (bit 15 absolute).
bool TMover::MoveWide(int at, int corners) {
    std::vector<TCorner> cs(static_cast<size_t>(corners));
    for (int i = 0; i < corners; ++i) {
        const uint32_t row = ReadLong(t_, at + 4 * i, length_);
        const uint16_t col = ReadWord(t_, at + 4 * corners + 2 * i, length_);
        TCorner& c = cs[static_cast<size_t>(i)];
        c = {col & 0x7FFF, row & 0x7FFFFFFF, (col & 0x8000) == 0, (row & 0x80000000u) == 0};
        if (!Apply(c, 16383, 1048575))
            return false;
    }
    for (int i = 0; i < corners; ++i) {
        const uint32_t row = ReadLong(t_, at + 4 * i, length_);
        const uint16_t col = ReadWord(t_, at + 4 * corners + 2 * i, length_);
        const TCorner& c = cs[static_cast<size_t>(i)];
        PutLong(t_, at + 4 * i, (row & 0x80000000u) | static_cast<uint32_t>(c.Row));
        PutWord(t_, at + 4 * corners + 2 * i, static_cast<uint16_t>((col & 0x8000) | c.Col));
    }
    return true;
}

void TMover::Move(const TTokenAt& token) {
    const uint8_t base = PtgBase(t_[token.Pos]);
    const int corners = base == ptgArea || base == ptgArea3d ? 2 : 1;
    const int at = FieldsAt(token);
    const bool moved = token.Layout == plWide ? MoveWide(at, corners)
                                              : MoveClassic(at, corners, token.Layout != pl50);
    if (!moved)
        t_[token.Pos] = ErrorForm(t_[token.Pos]);
}

} // namespace

void AdjustCell(bool isCurrent, uint8_t* tokens, int length, int colDelta, int rowDelta,
                bool keepRows, bool adjustAll) {
    const std::vector<TTokenAt> refs =
        ReferenceTokens(tokens, length, isCurrent ? plCurrent : pl50, "in AdjustCell");
    TMover mover(tokens, length, colDelta, rowDelta, keepRows, adjustAll);
    for (const TTokenAt& token : refs)
        mover.Move(token);
}

void OffsetSharedFormula(uint8_t* tokens, int length, int colDelta, int rowDelta) {
    const std::vector<TTokenAt> refs =
        ReferenceTokens(tokens, length, plWide, "in Shared 2007 Formula", [](uint8_t ptg) {
            const uint8_t base = PtgBase(ptg);
            if (ptg >= 0x20 && ptg < 0x80 && (base == ptgRefN || base == ptgAreaN))
                throw Exception("Illegal ptg[" + Hex2(ptg) + "] in Shared 2007 Formula");
        });
    TMover mover(tokens, length, colDelta, rowDelta, false, false);
    for (const TTokenAt& token : refs)
        mover.Move(token);
}
