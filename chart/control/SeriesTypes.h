#pragma once
// The registry of series types: every series class the galleries and editors offer, with its
// description, its gallery page and how many sample series the gallery shows of it. A function
// type pairs a series class with the function class that computes its points; a plain type has
// none. Registering a type also registers its classes for form descriptions, so a description
// naming the class loads.
//
// One process-wide list, made on first use (the chart control's start makes it) and freed by the
// chart control's last stop. Like the charts, it belongs to the user-interface thread: types are
// registered at start-up and read by editors and galleries there.

#include "platform/classes/Object.h"

#include <memory>
#include <string>
#include <vector>

// One registered series type. The description and the gallery page are message variables of
// the chart library (ChartMsg), read each time, so a replaced message shows at once.
class TPlotSeriesType {
public:
    TPlotSeriesType(TClass seriesClass, TClass functionClass, const std::string* description,
                    const std::string* galleryPage, int gallerySeriesCount, int variantIndex);

    TClass SeriesClass() const { return seriesClass_; }
    // The function class of a function type; none for a plain one.
    TClass FunctionClass() const { return functionClass_; }
    std::string Description() const { return description_ ? *description_ : std::string(); }
    std::string GalleryPage() const { return galleryPage_ ? *galleryPage_ : std::string(); }
    int GallerySeriesCount() const { return gallerySeriesCount_; }
    // 0 for the plain type; further variants of the same classes count up.
    int VariantIndex() const { return variantIndex_; }

private:
    TClass seriesClass_;
    TClass functionClass_;
    const std::string* description_;
    const std::string* galleryPage_;
    int gallerySeriesCount_;
    int variantIndex_;
};

// The registered types in registration order; the list owns them.
class TPlotSeriesTypes {
public:
    TPlotSeriesTypes() = default;
    TPlotSeriesTypes(const TPlotSeriesTypes&) = delete;
    TPlotSeriesTypes& operator=(const TPlotSeriesTypes&) = delete;

    int Count() const { return static_cast<int>(types_.size()); }
    // Raises EChartIndexError outside 0 .. Count() - 1.
    TPlotSeriesType* Items(int index) const;
    // The first plain type of the series class (entries with a function class are skipped);
    // none when the class has no plain type.
    TPlotSeriesType* Find(TClass seriesClass) const;
    // The first entry of the series class with that function class (none for a plain type).
    TPlotSeriesType* FindPair(TClass seriesClass, TClass functionClass) const;
    TPlotSeriesType* Add(std::unique_ptr<TPlotSeriesType> type);
    void Clear() { types_.clear(); }

private:
    std::vector<std::unique_ptr<TPlotSeriesType>> types_;
};

// The process-wide list (made here on first use).
TPlotSeriesTypes& PlotSeriesTypes();
// Frees the list and every type in it (the chart control's last stop).
void FreePlotSeriesTypes();

// Registers the series class and the function class (when given) for form descriptions. At
// variant 0 an entry already registered with the same two classes is answered; otherwise a new
// entry with the given values is appended. The texts are message variables (ChartMsg) the entry
// refers to.
TPlotSeriesType* AddSeriesType(TClass seriesClass, TClass functionClass,
                               const std::string* description, const std::string* galleryPage,
                               int gallerySeriesCount, int variantIndex = 0);
// A plain type: no function class, variant 0.
TPlotSeriesType* AddPlainSeriesType(TClass seriesClass, const std::string* description,
                                    const std::string* galleryPage, int gallerySeriesCount);
// A plain type on the "Standard" gallery page with 2 gallery series.
TPlotSeriesType* AddStandardSeriesType(TClass seriesClass, const std::string* description);
