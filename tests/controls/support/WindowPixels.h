#pragma once
// What a shown window looks like, for the control tests: its picture grabbed offscreen, pixels
// read back as colour numbers, small areas compared with pictures written as text (one letter per
// pixel), and the picture saved under build/snapshots/controls/ for a look by eye.

#include "platform/forms/Controls.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Snapshot_p.h"
#include "tests/controls/support/RunLengths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QWidget>

#include <map>
#include <string>
#include <vector>

namespace controlstest {

// The window of a windowed control as it is painted now.
inline QImage Grab(TWinControl* control) {
    return control->Handle()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline TColor PixelOf(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return RGB(static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
               static_cast<std::uint8_t>(qBlue(p)));
}

// Lengths of the runs of `color` along row y, from x0 to x1 (exclusive).
inline std::vector<int> RowRunsOf(const QImage& image, int y, int x0, int x1, TColor color) {
    return RunLengths(x1 - x0,
                      [&](int i) { return PixelOf(image, x0 + i, y) == ColorToRGB(color); });
}

// Compares the area at (x, y) with a picture (rows separated by '\n', each letter a colour of
// the legend). Returns an empty string when they agree, else both pictures, the actual one in
// the legend's letters ('?' for a colour not in it, the expected letter where it fits).
inline std::string PictureMismatch(const QImage& image, int x, int y, const std::string& picture,
                                   const std::map<char, TColor>& legend) {
    std::string actual;
    bool same = true;
    int col = 0, row = 0;
    for (char ch : picture) {
        if (ch == '\n') {
            actual += '\n';
            ++row, col = 0;
            continue;
        }
        const TColor got = PixelOf(image, x + col, y + row);
        const auto want = legend.find(ch);
        const bool hit = want != legend.end() && ColorToRGB(want->second) == got;
        same = same && hit;
        char shown = hit ? ch : '?';
        if (!hit)
            for (const auto& [letter, colour] : legend)
                if (ColorToRGB(colour) == got) {
                    shown = letter;
                    break;
                }
        actual += shown;
        ++col;
    }
    if (same)
        return {};
    return "expected:\n" + picture + "\nactual:\n" + actual;
}

// Saves the picture as <suite>.<test><suffix>.png in the build's snapshot folder.
inline std::string SnapshotOf(const QImage& image, const std::string& suffix = "") {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string folder = std::string(Q4_BINARY_DIR) + "/snapshots/controls/";
    QDir().mkpath(QString::fromStdString(folder));
    std::string name = std::string(info->test_suite_name()) + "." + info->name() + suffix;
    for (char& c : name)
        if (c == '/')
            c = '_';
    return SaveSnapshot(image, folder + name + ".png");
}

} // namespace controlstest
