// The function period page inside a series page that hosts it: the function read into the
// controls (and nothing written back), the user's changes enabling the host's apply button and
// written when the page closes, a new function made for a series without one, a period the
// function refuses reported with nothing changed, and the period range asked through the axis
// increment dialog.

#include "chart/control/Chart.h"
#include "chart/editors/AxisIncrement.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/FunctionEditor.h"
#include "chart/editors/PointerEditor.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PointSeries.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/RadioGroup.h"
#include "tests/chart/core/SumFunction.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

template <class T> T* Part(TCustomForm* form, const char* name) {
    return FormPart<T>(form, name);
}

// A series page as the function editors expect it: an apply button that closes the embedded
// page (which writes it), the series, and the chosen function class.
class TFunctionHost : public TForm, public TFunctionEditorHost {
public:
    explicit TFunctionHost(TComponent* owner) : TForm(owner) {}
    TControl* ApplyButton() override { return apply; }
    TChartSeries* EditedSeries() override { return series; }
    TClass SelectedFunctionClass() override { return functionClass; }

    TButton* apply = nullptr;
    TChartSeries* series = nullptr;
    TClass functionClass = nullptr;
};

std::string Describe(const TPlotFunction& f) {
    std::ostringstream s;
    s << "period " << f.Period() << " style " << int(f.PeriodStyle()) << " align "
      << int(f.PeriodAlign()) << " updating " << f.Updating();
    return s.str();
}

// What a function with these settings describes as, updates open.
std::string Expected(double period, TFunctionPeriodStyle style, TFunctionPeriodAlign align) {
    TSumFunction f(nullptr);
    f.SetPeriod(period);
    f.SetPeriodStyle(style);
    f.SetPeriodAlign(align);
    return Describe(f);
}

class FunctionEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        chart = new TChart(nullptr);
        source = new TLineSeries(chart);
        source->SetParentChart(chart);
        for (int i = 0; i < 10; ++i)
            source->AddXYValue(i, i * 2);
        series = new TLineSeries(chart);
        series->SetParentChart(chart);
        series->SetDataSource(source);
        host = TCustomForm::Create<TFunctionHost>(nullptr);
        host->SetClientWidth(320);
        host->SetClientHeight(140);
        host->series = series;
        host->apply = new TButton(host);
        host->apply->SetParent(host);
        host->apply->SetBounds(236, 104, 75, 25);
        host->apply->SetCaption("Apply");
        edtest::Messages().clear();
    }
    void TearDown() override {
        host->Free();
        chart->Free();
    }
    // The period page embedded in the host for the series' function (none: a new one), shown.
    TPlotFunctionEditor* Open() {
        editor = TCustomForm::Create<TPlotFunctionEditor>(host);
        editor->SetSubject(series->Function());
        host->apply->OnClick = [this](TObject*) { editor->CloseQuery(); };
        EmbedFormInTab(editor, host);
        editor->SetHeight(96);
        host->Show();
        return editor;
    }
    TSumFunction* GiveFunction(double period, TFunctionPeriodStyle style,
                               TFunctionPeriodAlign align) {
        auto* f = new TSumFunction(nullptr);
        f->SetPeriod(period);
        f->SetPeriodStyle(style);
        f->SetPeriodAlign(align);
        series->SetFunction(f);
        return f;
    }

    TChart* chart = nullptr;
    TLineSeries* source = nullptr;
    TLineSeries* series = nullptr;
    TFunctionHost* host = nullptr;
    TPlotFunctionEditor* editor = nullptr;
};

TEST_F(FunctionEditorTest, TheFunctionIsShownAndShowingWritesNothing) {
    struct Case {
        double period;
        TFunctionPeriodStyle style;
        TFunctionPeriodAlign align;
        int item;
        std::string text;
    } cases[] = {
        {0, psNumPoints, paCenter, TPlotFunctionEditor::AllPoints, ""},
        {0.4, psNumPoints, paFirst, TPlotFunctionEditor::AllPoints, ""},
        {5, psNumPoints, paLast, TPlotFunctionEditor::NumPoints, "5"},
        {5.6, psNumPoints, paCenter, TPlotFunctionEditor::NumPoints, "6"},
        {1e20, psNumPoints, paCenter, TPlotFunctionEditor::NumPoints, "1" + std::string(20, '0')},
        {2.5, psRange, paLast, TPlotFunctionEditor::RangeItem, FloatToStr(2.5)},
        {0, psRange, paFirst, TPlotFunctionEditor::RangeItem, "0"},
    };
    for (const Case& c : cases) {
        TSumFunction* f = GiveFunction(c.period, c.style, c.align);
        const std::string before = Describe(*f);
        Open();
        EXPECT_EQ(Part<TComboBox>(editor, "CBStyle")->ItemIndex(), c.item) << c.period;
        EXPECT_EQ(Part<TComboBox>(editor, "CBAlign")->ItemIndex(), c.align) << c.period;
        EXPECT_EQ(Part<TEdit>(editor, "ENum")->GetText(), c.text) << c.period;
        EXPECT_EQ(Part<TEdit>(editor, "ENum")->Enabled(), c.item != 0) << c.period;
        EXPECT_EQ(Part<TButton>(editor, "BChange")->Enabled(), c.item == 2) << c.period;
        EXPECT_FALSE(host->apply->Enabled()) << "nothing changed yet";
        EXPECT_FALSE(editor->Loading);
        EXPECT_EQ(editor->EditedFunction, f);
        EXPECT_EQ(Describe(*f), before);
        editor->Free();
        host->Hide();
    }
}

TEST_F(FunctionEditorTest, ChangesEnableApplyAndClosingWritesThem) {
    TSumFunction* f = GiveFunction(3, psNumPoints, paCenter);
    Open();
    auto* style = Part<TComboBox>(editor, "CBStyle");
    auto* num = Part<TEdit>(editor, "ENum");
    edtest::ChooseItem(style, TPlotFunctionEditor::RangeItem);
    EXPECT_TRUE(host->apply->Enabled());
    EXPECT_EQ(num->GetText(), "3") << "the range starts from the period";
    EXPECT_TRUE(Part<TButton>(editor, "BChange")->Enabled());
    EXPECT_EQ(f->PeriodStyle(), psNumPoints) << "nothing written before closing";
    edtest::TypeInto(num, "2.5");
    edtest::ChooseItem(Part<TComboBox>(editor, "CBAlign"), paLast);
    edtest::Shoot(host, "function-period");
    edtest::ClickControl(host->apply);
    EXPECT_EQ(Describe(*f), Expected(2.5, psRange, paLast));
    EXPECT_EQ(f->ParentSeries(), series);
    EXPECT_EQ(series->Count(), 4) << "one sum per 2.5 of the positions 0 to 9";
    // Back to every point: the text empties and closing gives one sum over every point.
    edtest::ChooseItem(style, TPlotFunctionEditor::AllPoints);
    EXPECT_EQ(num->GetText(), "");
    EXPECT_FALSE(num->Enabled());
    edtest::ClickControl(host->apply);
    EXPECT_EQ(Describe(*f), Expected(0, psNumPoints, paLast));
    ASSERT_GT(series->Count(), 0);
    EXPECT_EQ(series->MandatoryValueAt(0), 90);
}

TEST_F(FunctionEditorTest, ASeriesWithoutFunctionGetsOneOfTheChosenClass) {
    host->functionClass = TSumFunction::StaticClass();
    Open();
    EXPECT_EQ(editor->EditedFunction, nullptr);
    edtest::ChooseItem(Part<TComboBox>(editor, "CBStyle"), TPlotFunctionEditor::NumPoints);
    edtest::TypeInto(Part<TEdit>(editor, "ENum"), "4");
    edtest::ClickControl(host->apply);
    auto* made = dynamic_cast<TSumFunction*>(series->Function());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Name(), "PlotFunction1");
    EXPECT_EQ(made->Owner(), chart) << "owned by the series' owner";
    EXPECT_EQ(Describe(*made), Expected(4, psNumPoints, paCenter));
    ASSERT_EQ(series->Count(), 2) << "two whole periods of 4 points";
    EXPECT_EQ(series->MandatoryValueAt(0), 0 + 2 + 4 + 6);
    EXPECT_TRUE(edtest::Messages().empty());
}

TEST_F(FunctionEditorTest, WithoutAChosenClassOrSeriesClosingMakesNothing) {
    const int before = chart->ComponentCount();
    Open();
    edtest::ClickControl(host->apply);
    EXPECT_EQ(series->Function(), nullptr);
    host->functionClass = TSumFunction::StaticClass();
    host->series = nullptr;
    edtest::ClickControl(host->apply);
    EXPECT_EQ(chart->ComponentCount(), before);
    EXPECT_TRUE(edtest::Messages().empty());
    // An editor on a form that is no host closes quietly too.
    auto* loose = TCustomForm::Create<TPlotFunctionEditor>(nullptr);
    EXPECT_TRUE(loose->CloseQuery());
    loose->Free();
}

TEST_F(FunctionEditorTest, ARefusedPeriodIsReportedAndChangesNothing) {
    TSumFunction* f = GiveFunction(3, psNumPoints, paCenter);
    const std::string before = Describe(*f);
    Open();
    edtest::ChooseItem(Part<TComboBox>(editor, "CBStyle"), TPlotFunctionEditor::RangeItem);
    edtest::ChooseItem(Part<TComboBox>(editor, "CBAlign"), paFirst);
    edtest::TypeInto(Part<TEdit>(editor, "ENum"), "-5");
    edtest::ClickControl(host->apply);
    ASSERT_EQ(edtest::Messages().size(), 1u);
    EXPECT_EQ(edtest::Messages()[0], "Function Period should be >= 0.");
    EXPECT_EQ(Describe(*f), before) << "style and alignment kept, updates open again";
    EXPECT_EQ(series->Function(), f);

    // A new function that refuses the period is not given to the series, nor left behind.
    series->SetFunction(nullptr);
    editor->Free();
    host->Hide();
    const int components = chart->ComponentCount();
    host->functionClass = TSumFunction::StaticClass();
    Open();
    edtest::ChooseItem(Part<TComboBox>(editor, "CBStyle"), TPlotFunctionEditor::NumPoints);
    edtest::TypeInto(Part<TEdit>(editor, "ENum"), "-2");
    edtest::ClickControl(host->apply);
    EXPECT_EQ(edtest::Messages().size(), 2u);
    EXPECT_EQ(series->Function(), nullptr);
    EXPECT_EQ(editor->EditedFunction, nullptr);
    EXPECT_EQ(chart->ComponentCount(), components);
    // A text that is no number is no period.
    edtest::TypeInto(Part<TEdit>(editor, "ENum"), "x");
    edtest::ClickControl(host->apply);
    ASSERT_NE(series->Function(), nullptr);
    EXPECT_EQ(series->Function()->Period(), 0);
}

TEST_F(FunctionEditorTest, ThePeriodRangeIsAskedAsADateTimeStepForDateSources) {
    for (bool dates : {true, false}) {
        source->XValues()->SetDateTime(dates);
        TSumFunction* f = GiveFunction(1.5, psRange, paCenter);
        Open();
        auto* num = Part<TEdit>(editor, "ENum");
        // Cancel first: the text stays.
        TModalHook old = SetModalHook([&](TCustomForm* d) {
            auto* dialog = dynamic_cast<TAxisIncrement*>(d);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(d->Caption(), "Period range");
            EXPECT_EQ(dialog->IsDateTime, dates);
            EXPECT_EQ(dialog->Increment, 1.5);
            EXPECT_EQ(dialog->Step, TAxisIncrement::NoStep);
            EXPECT_EQ(Part<TRadioGroup>(d, "RadioGroup1")->Visible(), dates);
            edtest::ClickControl(Part<TButton>(d, "BCancel"));
        });
        edtest::ClickControl(Part<TButton>(editor, "BChange"));
        EXPECT_EQ(num->GetText(), FloatToStr(1.5));
        const std::string typed =
            dates ? "2" + DaysTimeSeparator() + TimeToStr(EncodeTime(6, 0, 0, 0)) : "0.75";
        SetModalHook([&](TCustomForm* d) {
            if (dates)
                edtest::Shoot(d, "function-period-range");
            Part<TEdit>(d, "ECustom")->SetText(typed);
            edtest::ClickControl(Part<TButton>(d, "BOk"));
        });
        edtest::ClickControl(Part<TButton>(editor, "BChange"));
        SetModalHook(old);
        EXPECT_EQ(num->GetText(), FloatToStr(dates ? 2.25 : 0.75));
        EXPECT_EQ(f->Period(), 1.5) << "written when the page closes";
        editor->Free();
        host->Hide();
    }
    // A standard step opens on the list of steps; a function not made yet asks by the dates of
    // the host series' source.
    source->XValues()->SetDateTime(true);
    GiveFunction(7, psRange, paCenter);
    Open();
    bool asked = false;
    TModalHook old = SetModalHook([&](TCustomForm* d) {
        asked = true;
        EXPECT_EQ(Part<TComboBox>(d, "CBSteps")->ItemIndex(), 19) << "One Week";
        edtest::ClickControl(Part<TButton>(d, "BCancel"));
    });
    edtest::ClickControl(Part<TButton>(editor, "BChange"));
    EXPECT_TRUE(asked);
    series->SetFunction(nullptr);
    editor->Free();
    host->Hide();
    Open();
    edtest::ChooseItem(Part<TComboBox>(editor, "CBStyle"), TPlotFunctionEditor::RangeItem);
    SetModalHook([](TCustomForm* d) {
        EXPECT_TRUE(static_cast<TAxisIncrement*>(d)->IsDateTime);
        EXPECT_EQ(static_cast<TAxisIncrement*>(d)->Increment, 0);
        edtest::ClickControl(Part<TButton>(d, "BCancel"));
    });
    edtest::ClickControl(Part<TButton>(editor, "BChange"));
    SetModalHook(old);
}

TEST(EditorClasses, AFunctionsOrPointSeriesEditorIsFoundByItsName) {
    TSumFunction function(nullptr);
    TClass page = GetClass(function.EditorClassName());
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->InheritsFrom(TBaseFunctionEditor::StaticClass()));
    auto* made = page->CreateComponent(nullptr);
    EXPECT_NE(dynamic_cast<TPlotFunctionEditor*>(made), nullptr);
    made->Free();
    EXPECT_EQ(GetClass("TBaseFunctionEditor"), TBaseFunctionEditor::StaticClass());
    TPointSeries series(nullptr);
    EXPECT_EQ(GetClass(series.EditorClassName()), TSeriesPointerEditor::StaticClass());
}

} // namespace
