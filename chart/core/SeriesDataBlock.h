#pragma once
// The points of a series as they are stored with a form: one binary block.
//
// Layout (little-endian, no padding): a flags byte (TSeriesDataFlag), a signed 32-bit point
// count, then one record per point in index order:
//   [double  not-mandatory value]   sdfNotMandatory (X of a vertical series, Y of a horizontal one)
//    double  mandatory value
//   [uint32  own colour]            sdfColors (clDefault for a point without one)
//   [uint8 k, k Windows-1251 bytes] sdfLabels
//    double  per further value list (list 2 upwards)
//   [34 bytes mark position]        sdfMarkPositions
// A mark position is arrow start X, Y (int32), arrow-start-fixed (byte), arrow end X, Y (int32),
// custom (byte), height, left, top, width (int32).
//
// What a block holds is chosen from what the series holds, looking at every point: a series
// whose positions are 0, 1, 2, ... leaves them out, and so on. Reading replaces the points.

#include <cstdint>

class TChartSeries;
class TStream;
struct TSeriesMarkPosition;

enum TSeriesDataFlag : std::uint8_t {
    sdfNotMandatory = 1,
    sdfColors = 2,
    sdfLabels = 4,
    sdfMarkPositions = 8,
};

class TSeriesDataBlock {
public:
    // Bytes of one stored mark position.
    static constexpr int MarkPositionSize = 34;
    // A longer label keeps its first 255 bytes.
    static constexpr int MaxLabelBytes = 255;

    // The series uses its not-mandatory values, has points, and they are not 0, 1, ..., n - 1.
    static bool HasOwnNotMandatoryValues(const TChartSeries& series);
    // Some point has a colour of its own that is not the series colour.
    static bool HasOwnColors(const TChartSeries& series);
    // Some point has a non-empty label.
    static bool HasLabels(const TChartSeries& series);
    // The user placed some mark of the series.
    static bool HasCustomMarkPositions(const TChartSeries& series);
    // The flags a block written now would carry.
    static std::uint8_t ContentFlags(const TChartSeries& series);

    // Writes the series' points. With sdfMarkPositions a point whose mark has no position yet
    // gets an empty one first.
    static void Write(TChartSeries& series, TStream& stream);
    // Replaces the points with the block's, added one by one as AddXYValue adds them inside one
    // batch; the series holds manual data afterwards. A block that ends early (or a negative
    // count) raises EReadError: the points read before it stay and the batch is closed.
    static void Read(TChartSeries& series, TStream& stream);

    static void WriteMarkPosition(TStream& stream, const TSeriesMarkPosition& position);
    static TSeriesMarkPosition ReadMarkPosition(TStream& stream);
};
