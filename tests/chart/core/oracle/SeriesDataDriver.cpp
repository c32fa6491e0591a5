// Writes and reads the stored point block of a series for the Python model of the block
// (series_data_oracle.py). Arguments: the series' shape, "H E", H 1 for a horizontal series
// (X is the value, points in arrival order) and E the number of further value lists.
// Standard input holds one request a line; each answer ends with a line "end":
//   w C              starts a series with series colour C (a number)
//   a X Y C L V...   adds a point: colour C (a number), label L (hex of its UTF-8 bytes, "-"
//                    for none), the further lists' values V
//   m I AX AY F BX BY U H L T W   stores the mark position of point I (F, U the arrow-fix and
//                    custom flags)
//   W                prints "block" and the block written from the series, in hex
//   R HEX            reads a block ("-" for an empty one) into a new series and prints it:
//                    "ok" or "error <class>", "update <depth>", "manual <0|1>", one line
//                    "p X Y C L V..." a point (colour a number, label in hex), one line
//                    "m AX AY F BX BY U H L T W" a stored mark position ("m -" for a gap)

#include "chart/core/ChartCore.h"
#include "chart/core/SeriesDataBlock.h"
#include "chart/core/SeriesMarks.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/core/SeriesDataTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

namespace {

std::string ToHex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string FromHex(const std::string& hex) {
    if (hex == "-")
        return {};
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

void PrintSeries(TChartSeries& s) {
    std::printf("update %d\nmanual %d\n", s.UpdateDepth(), s.ManualData() ? 1 : 0);
    for (int i = 0; i < s.Count(); ++i) {
        std::printf("p %.17g %.17g %u %s", s.XValueAt(i), s.YValueAt(i),
                    static_cast<unsigned>(s.OwnPointColor(i)),
                    s.XLabel(i).empty() ? "-" : ToHex(s.XLabel(i)).c_str());
        for (int list = 2; list < s.ValueListCount(); ++list)
            std::printf(" %.17g", s.ValueList(list)->ValueAt(i));
        std::printf("\n");
    }
    TSeriesMarksPositions& positions = s.Marks()->Positions();
    for (int i = 0; i < positions.Count(); ++i) {
        const TSeriesMarkPosition* p = positions.EntryAt(i);
        if (p == nullptr) {
            std::printf("m -\n");
            continue;
        }
        std::printf("m %d %d %d %d %d %d %d %d %d %d\n", p->ArrowFrom.X, p->ArrowFrom.Y,
                    p->ArrowFix ? 1 : 0, p->ArrowTo.X, p->ArrowTo.Y, p->Custom ? 1 : 0, p->Height,
                    p->Left, p->Top, p->Width);
    }
}

void AddPoint(TChartSeries& s, std::istringstream& in) {
    double x = 0, y = 0;
    long long colour = 0;
    std::string label;
    in >> x >> y >> colour >> label;
    for (int list = 2; list < s.ValueListCount(); ++list) {
        double v = 0;
        in >> v;
        s.ValueList(list)->SetTempValue(v);
    }
    s.AddXYValue(x, y, FromHex(label), static_cast<TColor>(colour));
}

void StorePosition(TChartSeries& s, std::istringstream& in) {
    int index = 0, fix = 0, custom = 0;
    TSeriesMarkPosition p;
    in >> index >> p.ArrowFrom.X >> p.ArrowFrom.Y >> fix >> p.ArrowTo.X >> p.ArrowTo.Y >> custom >>
        p.Height >> p.Left >> p.Top >> p.Width;
    p.ArrowFix = fix != 0;
    p.Custom = custom != 0;
    s.Marks()->Positions().StoreAt(index, p);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s horizontal extra-lists\n", argv[0]);
        return 2;
    }
    StartChartCore();
    TStoredSeriesShape shape;
    shape.horizontal = std::atoi(argv[1]) != 0;
    shape.extraLists = std::atoi(argv[2]);
    std::unique_ptr<TStoredShapeSeries> series;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        char op = 0;
        in >> op;
        if (op == 'w') {
            long long colour = 0;
            in >> colour;
            series = std::make_unique<TStoredShapeSeries>(nullptr, shape);
            series->SetSeriesColor(static_cast<TColor>(colour));
            continue;
        }
        if (op == 'a') {
            AddPoint(*series, in);
            continue;
        }
        if (op == 'm') {
            StorePosition(*series, in);
            continue;
        }
        if (op == 'W') {
            TStringStream stream;
            TSeriesDataBlock::Write(*series, stream);
            std::printf("block %s\n", ToHex(stream.DataString()).c_str());
        } else if (op == 'R') {
            std::string hex;
            in >> hex;
            TStoredShapeSeries read(nullptr, shape);
            TStringStream stream(FromHex(hex));
            try {
                TSeriesDataBlock::Read(read, stream);
                std::printf("ok\n");
            } catch (const Exception& e) {
                std::printf("error %s\n", e.ClassName());
            }
            PrintSeries(read);
        }
        std::printf("end\n");
        std::fflush(stdout);
    }
    StopChartCore();
    return 0;
}
