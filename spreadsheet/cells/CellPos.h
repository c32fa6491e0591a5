#pragma once
// A cell's position on its sheet.

struct TCellPos {
    int Col;
    int Row;
    bool operator==(const TCellPos&) const = default;
};
