#include "GraphicsTestSupport.h"

#include "platform/graphics/Cursors.h"
#include "platform/graphics/Cursors_p.h"
#include "platform/graphics/Gdi.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

using namespace gfxtest;

namespace {

// A scene that touches every kind of drawing: shapes with dashes and hatches, raster operations,
// clipping, stretched copies and text in several fonts and angles.
QImage RenderScene() {
    TBitmap bmp(320, 200);
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, 320, 200));
    c->Pen()->SetStyle(psDashDot);
    c->Brush()->SetStyle(bsDiagCross);
    c->Brush()->SetColor(clNavy);
    c->Rectangle(10, 10, 150, 90);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(3);
    c->Brush()->SetColor(clYellow);
    c->Ellipse(160, 10, 310, 90);
    c->Pen()->SetWidth(1);
    c->Pen()->SetMode(pmNotXor);
    c->Polygon({{20, 100}, {140, 190}, {20, 190}, {140, 100}});
    c->Pen()->SetMode(pmCopy);
    HDC dc = c->Handle();
    SaveDC(dc);
    IntersectClipRect(dc, 160, 100, 310, 190);
    for (int i = 0; i < 20; ++i) {
        c->MoveTo(160 + i * 8, 100);
        c->LineTo(310 - i * 5, 190);
    }
    RestoreDC(dc, -1);
    c->Font()->SetName("Arial");
    c->Font()->SetSize(10);
    c->Font()->SetStyle({fsBold});
    c->Brush()->SetStyle(bsClear);
    c->TextOut(12, 60, "Напряжение 12,6 В");
    c->Font()->SetName("Courier New");
    c->Font()->SetOrientation(300);
    c->TextOut(170, 180, "Rotated text");
    c->Font()->SetOrientation(0);
    c->Font()->SetName("Times New Roman");
    TRect r = Rect(170, 110, 300, 170);
    c->DrawText("Word wrapped text in a box, centred", r, DT_WORDBREAK | DT_CENTER);
    c->CopyRect(Rect(250, 150, 320, 200), c, Rect(10, 10, 45, 35));
    return TGraphicsQt::Image(bmp).convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(Determinism, SameSceneSamePixelsInAnotherProcess) {
    if (qEnvironmentVariableIsSet("Q4_SCENE_OUT")) {
        // The child: render and write.
        ASSERT_TRUE(RenderScene().save(qEnvironmentVariable("Q4_SCENE_OUT"), "PNG"));
        return;
    }
    QImage here = RenderScene();
    EXPECT_EQ(here, RenderScene()); // and twice in one process

    QString out = QStringLiteral(Q4_BINARY_DIR "/graphics-scene-child.png");
    QFile::remove(out);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("Q4_SCENE_OUT", out);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=Determinism.SameSceneSamePixelsInAnotherProcess"});
    ASSERT_TRUE(child.waitForFinished(30000));
    ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
    QImage there(out);
    ASSERT_FALSE(there.isNull());
    EXPECT_EQ(here, there.convertToFormat(QImage::Format_RGB32)) << Dump(here, "-parent");
    // The scene really drew text: something dark where the first caption stands.
    EXPECT_GT(Count(here.copy(12, 60, 140, 20), clBlack), 20);
}

TEST(Cursors, NamesAndShapes) {
    struct Case {
        TCursor cursor;
        const char* name;
        Qt::CursorShape shape;
    };
    for (Case c : {Case{crDefault, "crDefault", Qt::ArrowCursor},
                   Case{crHandPoint, "crHandPoint", Qt::PointingHandCursor},
                   Case{crHSplit, "crHSplit", Qt::SplitHCursor},
                   Case{crSizeWE, "crSizeWE", Qt::SizeHorCursor},
                   Case{crSizeAll, "crSizeAll", Qt::SizeAllCursor},
                   Case{crHourGlass, "crHourGlass", Qt::WaitCursor}}) {
        EXPECT_EQ(CursorToString(c.cursor), c.name);
        EXPECT_EQ(StringToCursor(c.name), c.cursor);
        EXPECT_EQ(CursorOf(c.cursor).shape(), c.shape) << c.name;
    }
    EXPECT_EQ(CursorToString(2020), "2020");
    EXPECT_EQ(StringToCursor("2020"), 2020);
    EXPECT_EQ(StringToCursor("crsizeall"), crSizeAll);
    EXPECT_THROW(StringToCursor("crWobbly"), Exception);
    EXPECT_EQ(CursorOf(2020).shape(), Qt::ArrowCursor); // not registered yet
    QImage hand(16, 16, QImage::Format_ARGB32);
    hand.fill(Qt::black);
    RegisterCursor(2020, hand, 5, 1);
    EXPECT_EQ(CursorOf(2020).shape(), Qt::BitmapCursor);
    EXPECT_EQ(CursorOf(2020).hotSpot(), QPoint(5, 1));
}
