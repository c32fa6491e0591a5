#include "chart/draw/View3DOptions.h"

#include "chart/draw/StoreChanged.h"

#include <cmath>

TView3DOptions::TView3DOptions(std::function<void()> invalidatePanel)
    : invalidatePanel_(std::move(invalidatePanel)) {}

void TView3DOptions::DeclareProperties(TPropertyList& p) {
    p.Add("Elevation", &TView3DOptions::Elevation, &TView3DOptions::SetElevation).Default(345);
    p.Add("FontZoom", &TView3DOptions::FontZoom, &TView3DOptions::SetFontZoom).Default(100);
    p.Add("HorizOffset", &TView3DOptions::HorizOffset, &TView3DOptions::SetHorizOffset).Default(0);
    p.Add("OrthoAngle", &TView3DOptions::OrthoAngle, &TView3DOptions::SetOrthoAngle).Default(45);
    p.Add("Orthogonal", &TView3DOptions::Orthogonal, &TView3DOptions::SetOrthogonal).Default(true);
    p.Add("Perspective", &TView3DOptions::Perspective, &TView3DOptions::SetPerspective).Default(15);
    p.Add("Rotation", &TView3DOptions::Rotation, &TView3DOptions::SetRotation).Default(345);
    p.Add("Tilt", &TView3DOptions::Tilt, &TView3DOptions::SetTilt).Default(0);
    p.Add("VertOffset", &TView3DOptions::VertOffset, &TView3DOptions::SetVertOffset).Default(0);
    p.Add("Zoom", &TView3DOptions::Zoom, &TView3DOptions::SetZoom).Default(100);
    p.Add("ZoomText", &TView3DOptions::ZoomText, &TView3DOptions::SetZoomText).Default(true);
}

void TView3DOptions::Assign(TPersistent* source) {
    auto* o = dynamic_cast<TView3DOptions*>(source);
    if (o == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    elevation_ = o->elevation_;
    fontZoom_ = o->fontZoom_;
    horizOffset_ = o->horizOffset_;
    orthogonal_ = o->orthogonal_;
    orthoAngle_ = o->orthoAngle_;
    perspective_ = o->perspective_;
    rotation_ = o->rotation_;
    tilt_ = o->tilt_;
    vertOffset_ = o->vertOffset_;
    zoom_ = o->zoom_;
    zoomText_ = o->zoomText_;
}

template <class V> void TView3DOptions::Repaint(V& field, V value) {
    if (StoreChanged(field, value))
        NotifyPanel();
}

void TView3DOptions::NotifyPanel() {
    if (invalidatePanel_)
        invalidatePanel_();
}

void TView3DOptions::SetElevationValue(double degrees) {
    Repaint(elevation_, degrees);
}

void TView3DOptions::SetRotationValue(double degrees) {
    Repaint(rotation_, degrees);
}

void TView3DOptions::SetZoomValue(double percent) {
    if (percent == zoom_)
        return;
    if (OnZoomChanged)
        OnZoomChanged(RoundEven(percent));
    Repaint(zoom_, percent);
}

void TView3DOptions::SetFontZoom(int percent) {
    Repaint(fontZoom_, percent);
}

void TView3DOptions::SetHorizOffset(int pixels) {
    if (pixels == horizOffset_)
        return;
    Repaint(horizOffset_, pixels);
    if (OnScrolled)
        OnScrolled(true);
}

void TView3DOptions::SetVertOffset(int pixels) {
    if (pixels == vertOffset_)
        return;
    Repaint(vertOffset_, pixels);
    if (OnScrolled)
        OnScrolled(false);
}

void TView3DOptions::SetOrthogonal(bool on) {
    Repaint(orthogonal_, on);
}

void TView3DOptions::SetOrthoAngle(int degrees) {
    Repaint(orthoAngle_, degrees);
}

void TView3DOptions::SetPerspective(int percent) {
    Repaint(perspective_, percent > 100 ? 100 : percent);
}

void TView3DOptions::SetTilt(int degrees) {
    Repaint(tilt_, degrees);
}

void TView3DOptions::SetZoomText(bool on) {
    Repaint(zoomText_, on);
}

double TView3DOptions::OrthoRatio() const {
    if (!orthogonal_)
        return 1;
    int a = orthoAngle_ > 90 ? 180 - orthoAngle_ : orthoAngle_;
    return std::tan(a * DegToRad);
}
