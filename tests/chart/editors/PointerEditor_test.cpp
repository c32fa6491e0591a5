// The series pointer editor: 3D offered only where the chart can draw it, hiding the pointer
// greys its shape controls, the "Default" box and the colours it ties together, every control
// going to the pointer or the series at once while opening writes nothing, the pattern, border,
// gradient and shadow editors it opens, the samples of the style list, and the callout dialog.

#include "chart/control/Chart.h"
#include "chart/core/MarksCallout.h"
#include "chart/draw/ChartBrush.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/editors/ButtonColor.h"
#include "chart/editors/ButtonPen.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/PointerEditor.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PointSeries.h"
#include "platform/graphics/Snapshot_p.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/Panel.h"
#include "platform/stdctrls/SpinEdit.h"
#include "platform/stdctrls/StdCtrlsBridge.h"
#include "platform/stdctrls/TrackBar.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <Qt>

#include <memory>
#include <sstream>
#include <string>

namespace {

template <class T> T* Part(TCustomForm* form, const char* name) {
    return FormPart<T>(form, name);
}

// A canvas that draws spheres and other true solids.
class TTrue3DCanvas : public TPlotCanvas3D {
public:
    bool RendersTrue3D() override { return true; }
};

// Every setting of a pointer (and of the series that owns it), for comparing whole.
std::string Describe(const TSeriesPointer& p, const TCustomSeries* series = nullptr) {
    std::ostringstream s;
    s << "visible " << p.Visible() << " style " << int(p.Style()) << " size " << p.HorizSize()
      << 'x' << p.VertSize() << " 3d " << p.Draw3D() << " dark " << p.Dark3D() << " inflate "
      << p.InflateMargins() << " transparency " << int(p.Transparency()) << " brush "
      << p.Brush()->Color() << '/' << int(p.Brush()->Style()) << " pen " << p.Pen()->Color() << '/'
      << p.Pen()->Visible() << '/' << p.Pen()->Width() << '/' << int(p.Pen()->Style())
      << " gradient " << p.Gradient()->Visible() << '/' << p.Gradient()->StartColor() << '/'
      << p.Gradient()->EndColor() << '/' << int(p.Gradient()->Direction()) << " shadow "
      << p.Shadow()->Visible() << '/' << p.Shadow()->HorizSize() << '/' << p.Shadow()->VertSize()
      << '/' << p.Shadow()->Color();
    if (series != nullptr)
        s << " each " << series->ColorEachPoint() << " nulls " << int(series->TreatNulls());
    return s.str();
}

class PointerEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        chart = new TChart(nullptr);
        chart->SetView3D(false);
        series = new TPointSeries(chart);
        series->SetSeriesColor(RGB(200, 30, 40));
        series->SetParentChart(chart);
    }
    void TearDown() override {
        if (editor != nullptr)
            editor->Free();
        chart->Free();
    }
    // The editor embedded for the series, shown.
    TSeriesPointerEditor* Open(TCustomSeries* s) {
        editor = TCustomForm::Create<TSeriesPointerEditor>(nullptr);
        editor->SetSubject(s);
        editor->Show();
        return editor;
    }
    TSeriesPointer* Pointer() const { return series->Pointer(); }

    TChart* chart = nullptr;
    TPointSeries* series = nullptr;
    TSeriesPointerEditor* editor = nullptr;
};

TEST_F(PointerEditorTest, ThreeDIsOfferedForSolidsOnA3DChartAndCirclesOnATrue3DCanvas) {
    enum Chart { Flat, Standard3D, True3D };
    for (Chart kind : {Flat, Standard3D, True3D}) {
        chart->SetView3D(kind != Flat);
        if (kind == True3D)
            chart->ReplaceDrawCanvas(std::make_unique<TTrue3DCanvas>());
        Open(series);
        auto* box = Part<TCheckBox>(editor, "CB3dPoint");
        auto* styles = Part<TComboBox>(editor, "CBStyle");
        for (int style = 0; style < styles->Items()->Count(); ++style) {
            edtest::ChooseItem(styles, style);
            ASSERT_EQ(Pointer()->Style(), style);
            const bool solid = style == psRectangle || style == psTriangle ||
                               style == psDownTriangle || (style == psCircle && kind == True3D);
            EXPECT_EQ(box->Enabled(), kind != Flat && solid) << kind << " style " << style;
            EXPECT_EQ(Part<TCheckBox>(editor, "CBPoDark")->Enabled(), box->Enabled())
                << kind << " style " << style;
        }
        editor->Free();
        editor = nullptr;
    }
    // On a 3D chart the dark shading follows the 3D box.
    edtest::ChooseItem(Part<TComboBox>(Open(series), "CBStyle"), psRectangle);
    edtest::ClickControl(Part<TCheckBox>(editor, "CB3dPoint"));
    EXPECT_FALSE(Pointer()->Draw3D());
    EXPECT_FALSE(Part<TCheckBox>(editor, "CBPoDark")->Enabled());
    edtest::ClickControl(Part<TCheckBox>(editor, "CB3dPoint"));
    EXPECT_TRUE(Pointer()->Draw3D());
    EXPECT_TRUE(Part<TCheckBox>(editor, "CBPoDark")->Enabled());
    edtest::ClickControl(Part<TCheckBox>(editor, "CBPoDark"));
    EXPECT_FALSE(Pointer()->Dark3D());
}

TEST_F(PointerEditorTest, HidingThePointerGreysItsShapeButNotShadowGradientOrTransparency) {
    chart->SetView3D(true);
    Open(series);
    const char* shapeControls[] = {"CB3dPoint",        "CBPoDark",        "CBInflate",
                                   "SEPointHorizSize", "SEPointVertSize", "BPointFillColor",
                                   "CBStyle",          "BPoinPenCol",     "CBDefBrushColor"};
    const char* others[] = {"Button2", "BGradient", "TBTransp", "CBColorEach", "CBIgnoreNulls"};
    for (bool visible : {false, true}) {
        edtest::ClickControl(Part<TCheckBox>(editor, "CBDrawPoint"));
        EXPECT_EQ(Pointer()->Visible(), visible);
        for (const char* name : shapeControls)
            EXPECT_EQ(Part<TControl>(editor, name)->Enabled(), visible) << name;
        for (const char* name : others)
            EXPECT_TRUE(Part<TControl>(editor, name)->Enabled()) << name;
    }
}

TEST_F(PointerEditorTest, TheDefaultBoxTiesFillAndBorderToTheSeriesColour) {
    Pointer()->Brush()->SetColor(clYellow);
    Pointer()->Pen()->SetColor(clBlue);
    Open(series);
    auto* box = Part<TCheckBox>(editor, "CBDefBrushColor");
    EXPECT_FALSE(box->Checked());
    edtest::ClickControl(box);
    EXPECT_EQ(Pointer()->Brush()->Color(), clDefault);
    EXPECT_EQ(Pointer()->Pen()->Color(), clDefault);
    edtest::ClickControl(box);
    EXPECT_EQ(Pointer()->Pen()->Color(), clBlack) << "a default border becomes black";
    EXPECT_EQ(Pointer()->Brush()->Color(), clDefault);

    // Both default again; a fill colour chosen in the pattern editor unticks the box, which
    // turns the border black as the user's untick would.
    edtest::ClickControl(box);
    ASSERT_TRUE(box->Checked());
    TModalHook old = SetModalHook([](TCustomForm* f) {
        edtest::PickColor(RGB(0, 128, 255));
        edtest::ClickControl(Part<TButtonColor>(f, "BColor"));
        edtest::PickColor(clNone);
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
    edtest::ClickControl(Part<TButton>(editor, "BPointFillColor"));
    SetModalHook(old);
    EXPECT_EQ(Pointer()->Brush()->Color(), RGB(0, 128, 255));
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(Pointer()->Pen()->Color(), clBlack);
}

TEST_F(PointerEditorTest, ACancelledPatternOrBorderEditorLeavesThePointerAsItWas) {
    Pointer()->Brush()->SetColor(clDefault);
    Pointer()->Pen()->SetColor(clDefault);
    Open(series);
    const std::string before = Describe(*Pointer(), series);
    TModalHook old = SetModalHook([](TCustomForm* f) {
        edtest::PickColor(clLime);
        edtest::ClickControl(Part<TButtonColor>(f, "BColor"));
        edtest::PickColor(clNone);
        const bool brush = f->ClassNameIs("TBrushDialog");
        edtest::ClickControl(Part<TButton>(f, brush ? "Button3" : "BCancel"));
    });
    edtest::ClickControl(Part<TButton>(editor, "BPointFillColor"));
    edtest::ClickControl(Part<TButtonPen>(editor, "BPoinPenCol"));
    SetModalHook(old);
    EXPECT_EQ(Describe(*Pointer(), series), before);
    EXPECT_TRUE(Part<TCheckBox>(editor, "CBDefBrushColor")->Checked());
}

TEST_F(PointerEditorTest, ABorderChosenInThePenEditorUnticksDefault) {
    Pointer()->Brush()->SetColor(clDefault);
    Pointer()->Pen()->SetColor(clDefault);
    Open(series);
    TModalHook old = SetModalHook([](TCustomForm* f) {
        edtest::PickColor(clNavy);
        edtest::ClickControl(Part<TButtonColor>(f, "BColor"));
        edtest::PickColor(clNone);
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
    edtest::ClickControl(Part<TButtonPen>(editor, "BPoinPenCol"));
    SetModalHook(old);
    EXPECT_EQ(Pointer()->Pen()->Color(), clNavy);
    EXPECT_FALSE(Part<TCheckBox>(editor, "CBDefBrushColor")->Checked());
    EXPECT_EQ(Pointer()->Brush()->Color(), clDefault) << "the fill keeps the series colour";
}

TEST_F(PointerEditorTest, EachControlGoesToThePointerOrSeriesAndOpeningWritesNothing) {
    auto* line = new TLineSeries(chart);
    line->SetParentChart(chart);
    line->SetTreatNulls(tnSkip);
    line->Pointer()->SetVisible(true);
    line->Pointer()->Brush()->SetColor(clTeal);
    line->Pointer()->Pen()->SetColor(clDefault);
    line->Pointer()->SetStyle(psDiamond);
    line->Pointer()->SetHorizSize(7);
    line->Pointer()->SetTransparency(30);
    const std::string before = Describe(*line->Pointer(), line);
    // Opening twice, the second time over controls the first left set, changes nothing.
    Open(line);
    EXPECT_EQ(Describe(*line->Pointer(), line), before);
    EXPECT_EQ(Part<TComboBox>(editor, "CBStyle")->ItemIndex(), psDiamond);
    EXPECT_EQ(Part<TSpinEdit>(editor, "SEPointHorizSize")->Value(), 7);
    EXPECT_EQ(Part<TTrackBar>(editor, "TBTransp")->Position(), 30);
    edtest::ClickControl(Part<TCheckBox>(editor, "CBIgnoreNulls"));
    EXPECT_EQ(line->TreatNulls(), tnIgnore);
    line->SetTreatNulls(tnSkip);
    editor->Hide();
    editor->Show();
    EXPECT_EQ(Describe(*line->Pointer(), line), before);
    EXPECT_FALSE(Part<TCheckBox>(editor, "CBIgnoreNulls")->Checked());

    edtest::TypeInto(Part<TSpinEdit>(editor, "SEPointHorizSize"), "12");
    edtest::TypeInto(Part<TSpinEdit>(editor, "SEPointVertSize"), "9");
    edtest::ClickControl(Part<TCheckBox>(editor, "CBInflate"));
    edtest::PressKey(Part<TTrackBar>(editor, "TBTransp"), Qt::Key_PageUp);
    edtest::ClickControl(Part<TCheckBox>(editor, "CBColorEach"));
    edtest::ClickControl(Part<TCheckBox>(editor, "CBIgnoreNulls"));
    EXPECT_EQ(line->Pointer()->HorizSize(), 12);
    EXPECT_EQ(line->Pointer()->VertSize(), 9);
    EXPECT_FALSE(line->Pointer()->InflateMargins());
    EXPECT_EQ(line->Pointer()->Transparency(), Part<TTrackBar>(editor, "TBTransp")->Position());
    EXPECT_NE(line->Pointer()->Transparency(), 30);
    EXPECT_TRUE(line->ColorEachPoint());
    EXPECT_EQ(line->TreatNulls(), tnIgnore);
    edtest::ClickControl(Part<TCheckBox>(editor, "CBIgnoreNulls"));
    EXPECT_EQ(line->TreatNulls(), tnDontPaint);
}

TEST_F(PointerEditorTest, SizesAreHiddenWhenThePointerKeepsItsSize) {
    for (bool allow : {true, false}) {
        Pointer()->SetAllowChangeSize(allow);
        Open(series);
        for (const char* name : {"LHorizSize", "LVertSize", "SEPointHorizSize", "SEPointVertSize"})
            EXPECT_EQ(Part<TControl>(editor, name)->Visible(), allow) << name;
        editor->Free();
        editor = nullptr;
    }
}

TEST_F(PointerEditorTest, TheGradientEditorShowsTheEndColourOnlyForAFullGradient) {
    Open(series);
    for (bool full : {false, true}) {
        Pointer()->SetFullGradient(full);
        const std::string before = Describe(*Pointer(), series);
        bool opened = false;
        TModalHook old = SetModalHook([&](TCustomForm* f) {
            opened = true;
            EXPECT_EQ(Part<TControl>(f, "BEnd")->Visible(), full);
            EXPECT_TRUE(Part<TCheckBox>(f, "CBVisible")->Visible());
            edtest::ClickControl(Part<TCheckBox>(f, "CBVisible"));
            edtest::ClickControl(Part<TButton>(f, "BCancel"));
        });
        edtest::ClickControl(Part<TButton>(editor, "BGradient"));
        SetModalHook(old);
        EXPECT_TRUE(opened);
        EXPECT_EQ(Describe(*Pointer(), series), before) << "cancelled";
    }
    TModalHook old = SetModalHook([](TCustomForm* f) {
        edtest::ClickControl(Part<TCheckBox>(f, "CBVisible"));
        edtest::ClickControl(Part<TButton>(f, "BOK"));
    });
    const bool shadow = Pointer()->Shadow()->Visible();
    edtest::ClickControl(Part<TButton>(editor, "Button2"));
    SetModalHook(old);
    EXPECT_NE(Pointer()->Shadow()->Visible(), shadow);
}

// The closed style box shows the chosen style's sample: its pixels in the given colour.
int SampleInk(TSeriesPointerEditor* editor, TColor color) {
    auto* styles = Part<TComboBox>(editor, "CBStyle");
    QApplication::processEvents();
    const QImage shot = styles->Handle()->grab().toImage();
    const QRgb want = qRgb(GetRValue(color), GetGValue(color), GetBValue(color));
    int count = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < 20 && x < shot.width(); ++x)
            count += (shot.pixel(x, y) & 0xFFFFFF) == (want & 0xFFFFFF);
    return count;
}

TEST_F(PointerEditorTest, StyleSamplesUseTheSeriesColourAndLineStylesDrawWithoutAPen) {
    Pointer()->Brush()->SetColor(clDefault);
    Pointer()->Pen()->SetColor(clDefault);
    Pointer()->Pen()->SetVisible(false);
    Open(series);
    auto* styles = Part<TComboBox>(editor, "CBStyle");
    QImage strip(styles->Width(), styles->Height() * 13, QImage::Format_RGB32);
    strip.fill(Qt::white);
    QPainter painter(&strip);
    for (int style = 0; style < 13; ++style) {
        edtest::ChooseItem(styles, style);
        if (style != psNothing)
            EXPECT_GT(SampleInk(editor, series->SeriesColor()), 0) << "style " << style;
        else
            EXPECT_EQ(SampleInk(editor, series->SeriesColor()), 0);
        painter.drawImage(0, style * styles->Height(), styles->Handle()->grab().toImage());
    }
    painter.end();
    SaveSnapshot(strip, std::string(Q4_BINARY_DIR "/chart-editors/pointer-styles.png"));
    edtest::ChooseItem(styles, psRectangle);
    edtest::Shoot(editor, "pointer-editor");
    // A fill of its own colours the sample.
    Pointer()->Brush()->SetColor(RGB(20, 160, 60));
    styles->Invalidate();
    EXPECT_GT(SampleInk(editor, RGB(20, 160, 60)), 0);
}

TEST(CalloutPointerEditor, RunsAsTheCloseableDialogWithoutSeriesSwitches) {
    TCallout callout(nullptr);
    callout.SetStyle(psCircle);
    bool ran = false;
    TModalHook old = SetModalHook([&](TCustomForm* f) {
        ran = true;
        EXPECT_EQ(f->Caption(), "Pointer");
        EXPECT_FALSE(Part<TControl>(f, "CBInflate")->Visible());
        EXPECT_FALSE(Part<TControl>(f, "CBColorEach")->Visible());
        EXPECT_FALSE(Part<TControl>(f, "CBIgnoreNulls")->Visible());
        EXPECT_TRUE(Part<TPanel>(f, "PanelBottom")->Visible());
        EXPECT_EQ(Part<TComboBox>(f, "CBStyle")->ItemIndex(), psCircle);
        EXPECT_FALSE(Part<TCheckBox>(f, "CB3dPoint")->Enabled()) << "no chart";
        edtest::ChooseItem(Part<TComboBox>(f, "CBStyle"), psStar);
        edtest::Shoot(f, "pointer-callout");
        edtest::ClickControl(Part<TButton>(f, "Button1"));
    });
    EXPECT_TRUE(RunCalloutPointerEditor(nullptr, &callout));
    SetModalHook(old);
    EXPECT_TRUE(ran);
    EXPECT_EQ(callout.Style(), psStar);
}

} // namespace
