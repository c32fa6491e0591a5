#pragma once
// The Qt side of regions, for the platform's own sources.

#include "platform/graphics/Region.h"

#include <QPainterPath>
#include <QRegion>

struct TRegionQt {
    static const QRegion& Of(const TRegion& region) { return *region.region_; }
    static TRegion From(const QRegion& region) { return TRegion(region); }
    // The pixels whose centres the filled path covers.
    static TRegion FromPath(const QPainterPath& path);
};
