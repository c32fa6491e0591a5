#include "chart/draw/PlotCanvas3D.h"

#include "chart/draw/View3DOptions.h"
#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <cmath>

TPlotCanvas3D::TPlotCanvas3D() = default;

TPlotCanvas3D::~TPlotCanvas3D() = default;

// ---- device state -----------------------------------------------------------------------------

TColor TPlotCanvas3D::GetBackgroundColor() {
    return canvas_->BkColor();
}

int TPlotCanvas3D::GetBackgroundMode() {
    return canvas_->BkMode();
}

void TPlotCanvas3D::SetBackgroundColor(TColor color) {
    canvas_->SetBkColor(ColorToRGB(color));
}

void TPlotCanvas3D::SetBackgroundMode(int mode) {
    canvas_->SetBkMode(mode);
}

unsigned TPlotCanvas3D::GetTextAlignment() {
    return canvas_->TextAlign();
}

void TPlotCanvas3D::SetTextAlignment(unsigned flags) {
    canvas_->SetTextAlign(flags);
}

TColor TPlotCanvas3D::GetPixel(int x, int y) {
    return canvas_->Pixel(x, y);
}

void TPlotCanvas3D::SetPixel(int x, int y, TColor color) {
    canvas_->SetPixel(x, y, ColorToRGB(color));
}

TColor TPlotCanvas3D::GetPixelAtDepth(int x, int y, int z) {
    TPoint p = Project(x, y, z);
    return GetPixel(p.X, p.Y);
}

void TPlotCanvas3D::SetPixelAtDepth(int x, int y, int z, TColor color) {
    TPoint p = Project(x, y, z);
    if (Pen()->Width() > 1) {
        Pen()->SetColor(color);
        MoveTo(p.X, p.Y);
        LineTo(p.X, p.Y);
    } else {
        SetPixel(p.X, p.Y, color);
    }
}

void TPlotCanvas3D::SetMonochrome(bool on) {
    if (on == monochrome_)
        return;
    monochrome_ = on;
    dirty_ = true;
    // A canvas without 3D options (taken over, or cut loose from its panel) has no one to tell.
    if (options_ != nullptr)
        options_->NotifyPanel();
}

void TPlotCanvas3D::SetBufferedDisplay(bool on) {
    if (on == buffered_)
        return;
    buffered_ = on;
    if (!buffer_)
        return;
    if (!on) {
        if (!keepBuffer_) {
            buffer_.reset();
            dirty_ = true;
        }
    } else {
        AttachCanvas(buffer_->Canvas());
    }
}

// ---- the drawing pass -------------------------------------------------------------------------

TRect TPlotCanvas3D::BeginDrawing(TCanvas* destination, TView3DOptions* options, bool is3D,
                                  const TRect& bounds) {
    bounds_ = bounds;
    options_ = options;
    if (options != nullptr)
        fontZoom_ = options->FontZoom();
    is3D_ = is3D;
    orthogonal_ = false;
    zoomFactor_ = 1;
    if (is3D && options != nullptr) {
        orthogonal_ = options->Orthogonal();
        if (orthogonal_) {
            double a = options->OrthoAngle();
            if (a > 90) {
                orthoX_ = -1;
                a = 180 - a;
            } else {
                orthoX_ = 1;
            }
            double c = std::cos(a * DegToRad);
            orthoY_ = c < 0.01 ? 1 : std::sin(a * DegToRad) / c;
        }
    }
    if (is3D)
        ComputeRotation();
    if (!buffered_) {
        AttachCanvas(destination);
        return bounds;
    }
    // A bounds rectangle without area still gets a one-pixel buffer.
    const int w = std::max(1, bounds.Right - bounds.Left);
    const int h = std::max(1, bounds.Bottom - bounds.Top);
    if (!buffer_)
        buffer_ = std::make_unique<TBitmap>(w, h);
    else if (buffer_->Width() != w || buffer_->Height() != h)
        buffer_->SetSize(w, h);
    AttachCanvas(buffer_->Canvas());
    return {0, 0, w, h};
}

void TPlotCanvas3D::ComputeRotation() {
    if (orthogonal_)
        return;
    long double e = 0, r = 0, t = 0;
    if (options_ != nullptr) {
        e = -options_->ElevationValue();
        r = -options_->RotationValue();
        t = options_->Tilt();
    }
    hasPerspective_ = false;
    perspectiveFactor_ = 0;
    const long double k = 3.14159265358979323846L / 180;
    sinE_ = std::sin(e * k);
    cosE_ = std::cos(e * k);
    sinR_ = std::sin(r * k);
    cosR_ = std::cos(r * k);
    sinT_ = std::sin(t * k);
    cosT_ = std::cos(t * k);
    hasTilt_ = t != 0;
}

void TPlotCanvas3D::TakeOverSettings(TCanvas3D& previous) {
    // The options first, so that the monochrome change has a panel to tell.
    options_ = previous.View3DOptions();
    SetMonochrome(previous.GetMonochrome());
}

void TPlotCanvas3D::SetProjectionCenter(int depth, const TRect&, const TRect& chartRect) {
    centerX_ = (chartRect.Left + chartRect.Right) / 2 + RoundEven(rotationCenterX_);
    centerY_ = (chartRect.Top + chartRect.Bottom) / 2 + RoundEven(rotationCenterY_);
    centerZ_ = RoundEven(depth * 0.5 + rotationCenterZ_);
    screenX_ = centerX_;
    screenY_ = centerY_;
    if (options_ == nullptr)
        return;
    screenX_ += options_->HorizOffset();
    screenY_ += options_->VertOffset();
    if (is3D_) {
        zoomFactor_ = options_->ZoomValue() * 0.01;
        zoomText_ = options_->ZoomText();
    }
    hasPerspective_ = options_->Perspective() > 0;
    if (hasPerspective_)
        perspectiveFactor_ = options_->Perspective() * zoomFactor_ / 150.0 /
                             std::max(chartRect.Right - chartRect.Left, 1);
}

void TPlotCanvas3D::FinishDrawing(TCanvas* destination, TCanvas* defaultCanvas, const TRect& r) {
    if (buffered_ && buffer_) {
        CopyBufferTo(r.Left, r.Top, destination);
        dirty_ = false;
    }
    AttachCanvas(defaultCanvas);
}

bool TPlotCanvas3D::RepaintFromBuffer() {
    if (dirty_ || !buffer_)
        return false;
    CopyBufferTo(0, 0, canvas_);
    return true;
}

void TPlotCanvas3D::AdoptBuffer(std::unique_ptr<TBitmap> bitmap) {
    buffer_ = std::move(bitmap);
}

void TPlotCanvas3D::ReleaseBuffer() {
    if (buffer_ && canvas_ == buffer_->Canvas())
        canvas_ = nullptr;
    buffer_.reset();
}

void TPlotCanvas3D::CopyBufferTo(int x, int y, TCanvas* destination) {
    if (!buffer_ || destination == nullptr || destination == buffer_->Canvas())
        return;
    destination->BitBlt(x, y, buffer_->Width(), buffer_->Height(), buffer_->Canvas(), 0, 0,
                        cmSrcCopy);
}

// ---- projection -------------------------------------------------------------------------------

// Orthogonal projection is only ever on in 3D, so testing the 3D flag first changes nothing but
// keeps frozen drawing (axis labels, legend) unprojected in the orthogonal view too.
TPoint TPlotCanvas3D::Project(int x, int y, int z) {
    if (!is3D_)
        return {x, y};
    if (orthogonal_) {
        return {RoundEven((z * orthoX_ + (x - centerX_)) * zoomFactor_) + screenX_,
                RoundEven(((y - centerY_) - z * orthoY_) * zoomFactor_) + screenY_};
    }
    return Rotate(x - centerX_, y - centerY_, z - centerZ_);
}

TPoint TPlotCanvas3D::ProjectFractional(double x, double y, int z) {
    if (!is3D_)
        return {RoundEven(x), RoundEven(y)};
    if (orthogonal_) {
        return {RoundEven((z * orthoX_ + (x - centerX_)) * zoomFactor_) + screenX_,
                RoundEven(((y - centerY_) - z * orthoY_) * zoomFactor_) + screenY_};
    }
    return Rotate(x - centerX_, y - centerY_, z - centerZ_);
}

// The rotated (not orthogonal) view of a point given relative to the projection centre.
TPoint TPlotCanvas3D::Rotate(long double dx, long double dy, long double dz) const {
    const long double t = dz * cosR_ - dx * sinR_;
    long double f = zoomFactor_;
    if (hasPerspective_)
        f = zoomFactor_ / ((cosE_ * t + dy * sinE_) * perspectiveFactor_ + 1);
    const long double u = dx * cosR_ + dz * sinR_;
    const long double v = dy * cosE_ - sinE_ * t;
    if (!hasTilt_)
        return {RoundEven(static_cast<double>(u * f)) + screenX_,
                RoundEven(static_cast<double>(v * f)) + screenY_};
    return {RoundEven(static_cast<double>((cosT_ * u - sinT_ * v) * f)) + screenX_,
            RoundEven(static_cast<double>((cosT_ * v + sinT_ * u) * f)) + screenY_};
}

void TPlotCanvas3D::Unproject(int& x, int& y, int z) {
    if (zoomFactor_ == 0 || !is3D_)
        return;
    const double g = 1 / zoomFactor_;
    if (orthogonal_) {
        x = RoundEven(g * (x - screenX_) - z * orthoX_) + centerX_;
        y = RoundEven(g * (y - screenY_) + z * orthoY_) + centerY_;
        return;
    }
    // The exact inverse of the rotation (and tilt) at depth z; perspective is not undone. A view
    // edge-on to the screen (a cosine near 0) leaves the point as it is.
    const long double a = g * (x - screenX_);
    const long double b = g * (y - screenY_);
    const long double u = hasTilt_ ? cosT_ * a + sinT_ * b : a;
    const long double v = hasTilt_ ? cosT_ * b - sinT_ * a : b;
    if (std::fabs(cosR_) < 0.00001L || std::fabs(cosE_) < 0.00001L)
        return;
    const long double dz = z - centerZ_;
    const long double dx = (u - dz * sinR_) / cosR_;
    const long double t = dz * cosR_ - dx * sinR_;
    const long double dy = (v + sinE_ * t) / cosE_;
    x = RoundEven(static_cast<double>(dx)) + centerX_;
    y = RoundEven(static_cast<double>(dy)) + centerY_;
}

void TPlotCanvas3D::SuspendProjection() {
    savedIs3D_ = is3D_;
    is3D_ = false;
}

void TPlotCanvas3D::ResumeProjection() {
    is3D_ = savedIs3D_;
}
