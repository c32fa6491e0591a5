#pragma once
// The 3D view of a chart panel: elevation, rotation, tilt, zoom, offsets, perspective and the
// oblique orthogonal angle that the canvas projects with. A change that must show invalidates the
// owning panel, through the callback the panel gives.

#include "chart/draw/ChartTypes.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Properties.h"

#include <functional>

class TView3DOptions : public TPersistent {
    Q4_CLASS(TView3DOptions, TPersistent)
public:
    explicit TView3DOptions(std::function<void()> invalidatePanel = {});
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;

    // Published values; Elevation, Rotation and Zoom read their doubles rounded.
    int Elevation() const { return RoundEven(elevation_); }
    void SetElevation(int degrees) { SetElevationValue(degrees); }
    int FontZoom() const { return fontZoom_; }
    void SetFontZoom(int percent);
    int HorizOffset() const { return horizOffset_; }
    void SetHorizOffset(int pixels);
    bool Orthogonal() const { return orthogonal_; }
    void SetOrthogonal(bool on);
    int OrthoAngle() const { return orthoAngle_; }
    void SetOrthoAngle(int degrees);
    int Perspective() const { return perspective_; }
    // Values above 100 become 100; negative ones are kept and mean no perspective.
    void SetPerspective(int percent);
    int Rotation() const { return RoundEven(rotation_); }
    void SetRotation(int degrees) { SetRotationValue(degrees); }
    int Tilt() const { return tilt_; }
    void SetTilt(int degrees);
    int VertOffset() const { return vertOffset_; }
    void SetVertOffset(int pixels);
    int Zoom() const { return RoundEven(zoom_); }
    void SetZoom(int percent) { SetZoomValue(percent); }
    bool ZoomText() const { return zoomText_; }
    void SetZoomText(bool on);

    // The stored doubles.
    double ElevationValue() const { return elevation_; }
    void SetElevationValue(double degrees);
    double RotationValue() const { return rotation_; }
    void SetRotationValue(double degrees);
    double ZoomValue() const { return zoom_; }
    void SetZoomValue(double percent);

    // 1 when not orthogonal, else tan of the orthogonal angle (folded below 90 degrees).
    double OrthoRatio() const;
    // Tells the owning panel to repaint.
    void NotifyPanel();

    // Called with true after HorizOffset changes and false after VertOffset changes.
    std::function<void(bool horizontal)> OnScrolled;
    // Called with the new zoom rounded, before it is stored.
    std::function<void(int zoom)> OnZoomChanged;

private:
    template <class V> void Repaint(V& field, V value);

    std::function<void()> invalidatePanel_;
    double elevation_ = 345;
    int fontZoom_ = 100;
    int horizOffset_ = 0;
    bool orthogonal_ = true;
    int orthoAngle_ = 45;
    int perspective_ = 15;
    double rotation_ = 345;
    int tilt_ = 0;
    int vertOffset_ = 0;
    double zoom_ = 100;
    bool zoomText_ = true;
};
