// Draws the scenes the Python oracles check into PNG files of the folder given on the command line:
//   blend-src.png, blend-dst.png, blend-<p>.png   MixBitmaps of the two at percent p
//   gradient.png                                  the default gradient, 20 x 300
//   shadow.png                                    a red plain shadow at 50 % over black
//   text.png                                      shadowed, outlined and rotated text
//   hull.txt        random point clouds and the convex hull HullOfPoints gives each
//   projection.txt  3D views: projected axis vectors, and points unprojected after projection
//   faces.txt       3D views: the polygons a box, a pyramid and a frustum draw

#include "chart/draw/ChartPen.h"
#include "chart/draw/DrawLibrary.h"
#include "chart/draw/DrawRoutines.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotBlend.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/draw/PlotFont.h"
#include "chart/draw/Shadow.h"
#include "chart/draw/View3DOptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "tests/chart/support/CanvasCallLog.h"
#include "tests/support/ProjectFonts.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>

namespace {

std::string folder;

void Save(TBitmap& bitmap, const std::string& name) {
    bitmap.Canvas()->Flush();
    TGraphicsQt::Image(bitmap).save(QString::fromStdString(folder + "/" + name + ".png"));
}

// Noise in both pictures, so that every channel value is tried.
void Noise(TBitmap& bitmap, unsigned seed) {
    std::mt19937 random(seed);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.Canvas()->SetPixel(x, y, static_cast<TColor>(random() & 0xFFFFFF));
}

void Blends() {
    TBitmap source(64, 64);
    TBitmap destination(64, 64);
    Noise(source, 1);
    Noise(destination, 2);
    Save(source, "blend-src");
    Save(destination, "blend-dst");
    for (int percent : {0, 10, 25, 50, 73, 100}) {
        TBitmap mixed(64, 64);
        mixed.Assign(destination);
        MixBitmaps(source, mixed, 0, 0, percent);
        Save(mixed, "blend-" + std::to_string(percent));
    }
}

void Gradient() {
    TBitmap bitmap(20, 300);
    TPlotCanvas3D canvas;
    canvas.SetBufferedDisplay(false);
    canvas.BeginDrawing(bitmap.Canvas(), nullptr, false, {0, 0, 20, 300});
    TPlotGradient gradient;
    gradient.Fill(canvas, {0, 0, 20, 300}, 0);
    Save(bitmap, "gradient");
}

void Shadow() {
    TBitmap bitmap(100, 80);
    TPlotCanvas3D canvas;
    canvas.BeginDrawing(bitmap.Canvas(), nullptr, false, {0, 0, 100, 80});
    canvas.ResetAttributes();
    canvas.Brush()->SetColor(clBlack);
    canvas.FillRect({0, 0, 100, 80});
    TPlotShadow shadow;
    shadow.SetSmooth(false);
    shadow.SetColor(clRed);
    shadow.SetSize(8);
    shadow.SetTransparency(50);
    shadow.DrawRectShadow(canvas, {20, 20, 60, 50});
    canvas.FinishDrawing(bitmap.Canvas(), bitmap.Canvas(), {0, 0, 100, 80});
    Save(bitmap, "shadow");
}

void Text() {
    TBitmap bitmap(200, 120);
    TPlotCanvas3D canvas;
    canvas.BeginDrawing(bitmap.Canvas(), nullptr, false, {0, 0, 200, 120});
    canvas.ResetAttributes();
    TPlotFont font;
    font.SetSize(16);
    font.Shadow()->SetSize(2);
    font.Shadow()->SetTransparency(40);
    canvas.SelectFont(&font);
    canvas.Brush()->SetStyle(bsClear); // text leaves its cell's background alone
    canvas.TextOut(10, 10, "Voltage 12,4");
    TPlotFont outlined;
    outlined.SetSize(20);
    outlined.OutLine()->Show();
    outlined.OutLine()->SetColor(clBlue);
    outlined.SetColor(clYellow);
    canvas.SelectFont(&outlined);
    canvas.TextOut(10, 40, "Ab");
    canvas.AngledText(170, 110, "Up", 90);
    canvas.FinishDrawing(bitmap.Canvas(), bitmap.Canvas(), {0, 0, 200, 120});
    Save(bitmap, "text");
}

std::string PointsText(const TPointList& points) {
    std::string s;
    for (const TPoint& p : points)
        s += " " + std::to_string(p.X) + "," + std::to_string(p.Y);
    return s;
}

// Clouds of 4 to 40 points in a 100 x 100 square, duplicates and collinear runs included.
void Hulls() {
    std::ofstream out(folder + "/hull.txt");
    std::mt19937 random(7);
    for (int i = 0; i < 1000; ++i) {
        TPointList cloud(4 + random() % 37);
        for (TPoint& p : cloud)
            p = {static_cast<int>(random() % 101), static_cast<int>(random() % 101)};
        TPointList hull = cloud;
        if (!HullOfPoints(hull))
            continue;
        out << "cloud" << PointsText(cloud) << "\nhull" << PointsText(hull) << "\n";
    }
}

// For each view (elevation, rotation, tilt; zoom 100, no perspective): the projections of the
// centre and of points 1000 pixels along each axis from it, then a grid of points with their
// projection at a depth and what Unproject makes of that projection.
void Projections() {
    std::ofstream out(folder + "/projection.txt");
    const double angles[] = {300, 330, 345, 0, 15, 30};
    for (double e : angles)
        for (double r : angles)
            for (int tilt : {0, 20}) {
                TBitmap target(200, 100);
                TView3DOptions options;
                options.SetOrthogonal(false);
                options.SetElevationValue(e);
                options.SetRotationValue(r);
                options.SetTilt(tilt);
                options.SetPerspective(0);
                TPlotCanvas3D canvas;
                canvas.SetBufferedDisplay(false);
                canvas.BeginDrawing(target.Canvas(), &options, true, {0, 0, 200, 100});
                canvas.SetProjectionCenter(40, {0, 0, 200, 100}, {0, 0, 200, 100});
                const TPoint3D c = canvas.ProjectionCenter();
                const TPoint o = canvas.Project(c.X, c.Y, c.Z);
                const TPoint ax = canvas.Project(c.X + 1000, c.Y, c.Z);
                const TPoint ay = canvas.Project(c.X, c.Y + 1000, c.Z);
                const TPoint az = canvas.Project(c.X, c.Y, c.Z + 1000);
                out << "view " << e << " " << r << " " << tilt << " " << ax.X - o.X << " "
                    << ax.Y - o.Y << " " << ay.X - o.X << " " << ay.Y - o.Y << " " << az.X - o.X
                    << " " << az.Y - o.Y << "\n";
                if (tilt != 0)
                    continue;
                for (int x = 0; x <= 200; x += 40)
                    for (int y = 0; y <= 100; y += 25)
                        for (int z : {0, 20, 40}) {
                            const TPoint p = canvas.Project(x, y, z);
                            int ux = p.X;
                            int uy = p.Y;
                            canvas.Unproject(ux, uy, z);
                            out << "point " << x - c.X << " " << y - c.Y << " " << z - c.Z << " "
                                << p.X - o.X << " " << p.Y - o.Y << " " << ux - c.X << " "
                                << uy - c.Y << "\n";
                        }
            }
}

// The polygons each solid draws, per view: "view e r", then "shape name" and "poly x,y ..." lines.
void Faces() {
    std::ofstream out(folder + "/faces.txt");
    const double angles[] = {300, 330, 345, 0, 15, 30};
    for (double e : angles)
        for (double r : angles) {
            out << "view " << e << " " << r << "\n";
            for (const char* shape : {"box", "pyramid", "frustum"}) {
                TBitmap target(300, 240);
                TView3DOptions options;
                options.SetOrthogonal(false);
                options.SetElevationValue(e);
                options.SetRotationValue(r);
                options.SetPerspective(0);
                TPlotCanvas3D canvas;
                canvas.SetBufferedDisplay(false);
                canvas.BeginDrawing(target.Canvas(), &options, true, {0, 0, 300, 240});
                canvas.SetProjectionCenter(80, {0, 0, 300, 240}, {0, 0, 300, 240});
                canvas.ResetAttributes();
                charttest::TCanvasCallLog log(*target.Canvas());
                const std::string name = shape;
                if (name == "box")
                    canvas.BoxShape(100, 200, 60, 180, 20, 60, true);
                else if (name == "pyramid")
                    canvas.PyramidShape(true, 100, 60, 200, 180, 20, 60, true);
                else
                    canvas.FrustumShape({100, 60, 200, 180}, 20, 60, 20, 8);
                out << "shape " << name << "\n";
                for (const TCanvasCall& c : log.Calls())
                    if (c.op == TCanvasOp::Polygon)
                        out << "poly" << PointsText(c.points) << "\n";
            }
        }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: chart_draw_scenes <folder>\n");
        return 2;
    }
    folder = argv[1];
    UseProjectFontsOnly("chart-fonts");
    QGuiApplication app(argc, argv);
    StartChartLibrary();
    Blends();
    Gradient();
    Shadow();
    Text();
    Hulls();
    Projections();
    Faces();
    StopChartLibrary();
    return 0;
}
