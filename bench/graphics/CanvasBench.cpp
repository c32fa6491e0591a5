// The canvas against drawing with a painter directly, on the same image: many lines, rectangles
// and texts. Each pair draws the same pixels; the canvas's cost over the painter is the ratio of
// the two times.

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <benchmark/benchmark.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <vector>

namespace {

void EnsureApp() {
    static QGuiApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_graphics";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

constexpr int kW = 800;
constexpr int kH = 600;
constexpr int kCount = 1000;

struct Seg {
    int x0, y0, x1, y1;
    TColor color;
};

std::vector<Seg> Segments() {
    std::vector<Seg> v;
    unsigned s = 12345;
    auto next = [&](int m) {
        s = s * 1103515245u + 12345u;
        return static_cast<int>((s >> 8) % static_cast<unsigned>(m));
    };
    for (int i = 0; i < kCount; ++i)
        v.push_back({next(kW), next(kH), next(kW), next(kH), RGB(next(256), next(256), next(256))});
    return v;
}

QColor Q(TColor c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

void BM_Lines_Canvas(benchmark::State& state) {
    EnsureApp();
    auto segs = Segments();
    TBitmap bmp(kW, kH);
    TCanvas* c = bmp.Canvas();
    for (auto _ : state) {
        for (const Seg& s : segs) {
            c->Pen()->SetColor(s.color);
            c->MoveTo(s.x0, s.y0);
            c->LineTo(s.x1, s.y1);
        }
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_Lines_QPainter(benchmark::State& state) {
    EnsureApp();
    auto segs = Segments();
    QImage img(kW, kH, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    for (auto _ : state) {
        for (const Seg& s : segs) {
            QPen pen(Q(s.color), 0);
            pen.setCapStyle(Qt::FlatCap);
            p.setPen(pen);
            p.drawLine(s.x0, s.y0, s.x1, s.y1);
        }
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_Rectangles_Canvas(benchmark::State& state) {
    EnsureApp();
    auto segs = Segments();
    TBitmap bmp(kW, kH);
    TCanvas* c = bmp.Canvas();
    for (auto _ : state) {
        for (const Seg& s : segs) {
            c->Brush()->SetColor(s.color);
            c->Rectangle(s.x0 / 2, s.y0 / 2, s.x0 / 2 + 40, s.y0 / 2 + 30);
        }
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_Rectangles_QPainter(benchmark::State& state) {
    EnsureApp();
    auto segs = Segments();
    QImage img(kW, kH, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    QPen pen(Qt::black, 0);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    for (auto _ : state) {
        for (const Seg& s : segs) {
            p.setBrush(Q(s.color));
            p.drawRect(QRect(s.x0 / 2, s.y0 / 2, 39, 29));
        }
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

const char* const kTexts[] = {"Напряжение", "12,6 В", "Сохранить", "History", "COM3", "00:15:42"};

void BM_Text_Canvas(benchmark::State& state) {
    EnsureApp();
    auto segs = Segments();
    TBitmap bmp(kW, kH);
    TCanvas* c = bmp.Canvas();
    c->Font()->SetName("Arial");
    c->Font()->SetSize(9);
    c->Brush()->SetStyle(bsClear);
    std::string texts[6];
    for (int i = 0; i < 6; ++i)
        texts[i] = kTexts[i];
    for (auto _ : state) {
        int i = 0;
        for (const Seg& s : segs) {
            c->Font()->SetColor(s.color);
            c->TextOut(s.x0, s.y0, texts[i++ % 6]);
        }
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_Text_QPainter(benchmark::State& state) {
    EnsureApp();
    auto segs = Segments();
    QImage img(kW, kH, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    TFont font; // the same realised font the canvas draws with
    font.SetName("Arial");
    font.SetSize(9);
    p.setFont(TGraphicsQt::Font(font));
    int ascent = QFontMetrics(TGraphicsQt::Font(font)).ascent();
    // The program's texts are UTF-8 strings: both sides convert them.
    std::string texts[6];
    for (int i = 0; i < 6; ++i)
        texts[i] = kTexts[i];
    for (auto _ : state) {
        int i = 0;
        for (const Seg& s : segs) {
            p.setPen(QPen(Q(s.color), 0));
            const std::string& t = texts[i++ % 6];
            p.drawText(QPoint(s.x0, s.y0 + ascent),
                       QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())));
        }
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

} // namespace

BENCHMARK(BM_Lines_Canvas);
BENCHMARK(BM_Lines_QPainter);
BENCHMARK(BM_Rectangles_Canvas);
BENCHMARK(BM_Rectangles_QPainter);
BENCHMARK(BM_Text_Canvas);
BENCHMARK(BM_Text_QPainter);
