// The stored point block of a series: what it holds, writing and reading it.

#include "chart/core/SeriesDataBlock.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesMarks.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"

#include <algorithm>
#include <string>

namespace {

// Closes the series' batch however reading ends.
class BatchGuard {
public:
    explicit BatchGuard(TChartSeries& series) : series_(series) { series_.BeginUpdate(); }
    ~BatchGuard() { series_.EndUpdate(); }
    BatchGuard(const BatchGuard&) = delete;
    BatchGuard& operator=(const BatchGuard&) = delete;

private:
    TChartSeries& series_;
};

void WriteLabel(TStream& stream, const std::string& label) {
    std::string bytes = Utf8ToCp1251(label);
    if (bytes.size() > TSeriesDataBlock::MaxLabelBytes)
        bytes.resize(TSeriesDataBlock::MaxLabelBytes);
    stream.WriteValue<std::uint8_t>(static_cast<std::uint8_t>(bytes.size()));
    stream.WriteBytes(bytes);
}

std::string ReadLabel(TStream& stream) {
    const int length = stream.ReadValue<std::uint8_t>();
    return Cp1251ToUtf8(stream.ReadBytes(length));
}

} // namespace

// ---- what the series holds ----------------------------------------------------------------------

bool TSeriesDataBlock::HasOwnNotMandatoryValues(const TChartSeries& series) {
    const int count = series.Count();
    if (!series.UsesNotMandatory() || count == 0)
        return false;
    const TChartValueList& values = *series.NotMandatoryValueList();
    for (int i = 0; i < count; ++i)
        if (values.ValueAt(i) != i)
            return true;
    return false;
}

bool TSeriesDataBlock::HasOwnColors(const TChartSeries& series) {
    if (!series.HasPointColors())
        return false;
    const TColor seriesColor = series.SeriesColor();
    const int count = series.Count();
    for (int i = 0; i < count; ++i) {
        const TColor own = series.OwnPointColor(i);
        if (own != clDefault && own != seriesColor)
            return true;
    }
    return false;
}

bool TSeriesDataBlock::HasLabels(const TChartSeries& series) {
    const TLabelsList& labels = series.Labels();
    const int count = std::min(labels.Count(), series.Count());
    for (int i = 0; i < count; ++i)
        if (!labels.Get(i).empty())
            return true;
    return false;
}

bool TSeriesDataBlock::HasCustomMarkPositions(const TChartSeries& series) {
    return series.Marks() != nullptr && series.Marks()->Positions().HasCustom();
}

std::uint8_t TSeriesDataBlock::ContentFlags(const TChartSeries& series) {
    std::uint8_t flags = 0;
    if (HasOwnNotMandatoryValues(series))
        flags |= sdfNotMandatory;
    if (HasOwnColors(series))
        flags |= sdfColors;
    if (HasLabels(series))
        flags |= sdfLabels;
    if (HasCustomMarkPositions(series))
        flags |= sdfMarkPositions;
    return flags;
}

// ---- mark positions -----------------------------------------------------------------------------

void TSeriesDataBlock::WriteMarkPosition(TStream& stream, const TSeriesMarkPosition& position) {
    stream.WriteValue<std::int32_t>(position.ArrowFrom.X);
    stream.WriteValue<std::int32_t>(position.ArrowFrom.Y);
    stream.WriteValue<std::uint8_t>(position.ArrowFix ? 1 : 0);
    stream.WriteValue<std::int32_t>(position.ArrowTo.X);
    stream.WriteValue<std::int32_t>(position.ArrowTo.Y);
    stream.WriteValue<std::uint8_t>(position.Custom ? 1 : 0);
    stream.WriteValue<std::int32_t>(position.Height);
    stream.WriteValue<std::int32_t>(position.Left);
    stream.WriteValue<std::int32_t>(position.Top);
    stream.WriteValue<std::int32_t>(position.Width);
}

TSeriesMarkPosition TSeriesDataBlock::ReadMarkPosition(TStream& stream) {
    TSeriesMarkPosition p;
    p.ArrowFrom.X = stream.ReadValue<std::int32_t>();
    p.ArrowFrom.Y = stream.ReadValue<std::int32_t>();
    p.ArrowFix = stream.ReadValue<std::uint8_t>() != 0;
    p.ArrowTo.X = stream.ReadValue<std::int32_t>();
    p.ArrowTo.Y = stream.ReadValue<std::int32_t>();
    p.Custom = stream.ReadValue<std::uint8_t>() != 0;
    p.Height = stream.ReadValue<std::int32_t>();
    p.Left = stream.ReadValue<std::int32_t>();
    p.Top = stream.ReadValue<std::int32_t>();
    p.Width = stream.ReadValue<std::int32_t>();
    return p;
}

// ---- the block ----------------------------------------------------------------------------------

void TSeriesDataBlock::Write(TChartSeries& series, TStream& stream) {
    const std::uint8_t flags = ContentFlags(series);
    const int count = series.Count();
    stream.WriteValue<std::uint8_t>(flags);
    stream.WriteValue<std::int32_t>(count);
    const TChartValueList& notMandatory = *series.NotMandatoryValueList();
    const TChartValueList& mandatory = *series.MandatoryValueList();
    for (int i = 0; i < count; ++i) {
        if (flags & sdfNotMandatory)
            stream.WriteValue<double>(notMandatory.ValueAt(i));
        stream.WriteValue<double>(mandatory.ValueAt(i));
        if (flags & sdfColors)
            stream.WriteValue<std::uint32_t>(static_cast<std::uint32_t>(series.OwnPointColor(i)));
        if (flags & sdfLabels)
            WriteLabel(stream, series.Labels().Get(i));
        for (int list = 2; list < series.ValueListCount(); ++list)
            stream.WriteValue<double>(series.ValueList(list)->ValueAt(i));
        if (flags & sdfMarkPositions)
            WriteMarkPosition(stream, series.Marks()->Positions().Ensure(i));
    }
}

void TSeriesDataBlock::Read(TChartSeries& series, TStream& stream) {
    series.ClearValues();
    const std::uint8_t flags = stream.ReadValue<std::uint8_t>();
    const std::int32_t count = stream.ReadValue<std::int32_t>();
    if (count < 0)
        throw EReadError("Invalid point count in stored series data");
    const bool xMandatory = !series.YMandatory();
    TSeriesMarks* marks = series.Marks();
    {
        // The count comes from outside: every point is read before it is added, so a short
        // block stops at the first missing byte and nothing is reserved up front.
        BatchGuard batch(series);
        for (std::int32_t i = 0; i < count; ++i) {
            double x = (flags & sdfNotMandatory) ? stream.ReadValue<double>() : i;
            double y = stream.ReadValue<double>();
            if (xMandatory)
                std::swap(x, y);
            const TColor color = (flags & sdfColors)
                                     ? static_cast<TColor>(stream.ReadValue<std::uint32_t>())
                                     : clDefault;
            const std::string label = (flags & sdfLabels) ? ReadLabel(stream) : std::string();
            for (int list = 2; list < series.ValueListCount(); ++list)
                series.ValueList(list)->SetTempValue(stream.ReadValue<double>());
            if (flags & sdfMarkPositions) {
                // Read whole before the point goes in, so a cut position adds no point.
                const TSeriesMarkPosition position = ReadMarkPosition(stream);
                series.AddXYValue(x, y, label, color);
                if (marks)
                    marks->Positions().StoreAt(marks->Positions().Count(), position);
            } else {
                series.AddXYValue(x, y, label, color);
            }
        }
    }
    series.SetManualData(true);
}
