// Chart fonts and the property button.

#include "tests/chart/support/ChartTestSupport.h"

#include "chart/draw/ChartPen.h"
#include "chart/draw/DrawLibrary.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotButton.h"
#include "chart/draw/PlotFont.h"
#include "chart/draw/Shadow.h"
#include "platform/classes/Component.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace {

class TFontHolder : public TComponent {
    Q4_CLASS(TFontHolder, TComponent)
public:
    explicit TFontHolder(TComponent* owner = nullptr) : TComponent(owner) { SetName("Holder"); }
    static void DeclareProperties(TPropertyList& p) {
        p.Add("Font", &TFontHolder::GetFont, &TFontHolder::SetFont);
    }
    TPlotFont* GetFont() { return &font; }
    void SetFont(TPlotFont* f) { font.Assign(f); }
    TPlotFont font;
};

TEST(PlotFont, NewFontHasTheDefaultsAndStoresNone) {
    TFontHolder holder;
    EXPECT_EQ(holder.font.Name(), DefaultChartFontName());
    EXPECT_EQ(holder.font.Size(), DefaultChartFontSize());
    EXPECT_EQ(holder.font.Color(), clBlack);
    const std::string text = ComponentToText(&holder);
    EXPECT_EQ(text.find("Font."), std::string::npos) << text;
    holder.font.SetSize(12);
    holder.font.SetName("Courier New");
    holder.font.SetColor(clRed);
    holder.font.SetStyle({fsBold});
    holder.font.SetInterCharSize(2);
    const std::string changed = ComponentToText(&holder);
    for (const char* name :
         {"Font.Height", "Font.Name", "Font.Color", "Font.Style", "Font.InterCharSize"})
        EXPECT_NE(changed.find(name), std::string::npos) << name;
    holder.font.SetDefaultColor(clRed);
    EXPECT_EQ(ComponentToText(&holder).find("Font.Color"), std::string::npos);
}

TEST(PlotFont, EffectsAreMadeOnFirstReadAndFreedByNull) {
    TPlotFont font;
    EXPECT_EQ(font.ShadowIfAny(), nullptr);
    TPlotShadow* shadow = font.Shadow();
    EXPECT_TRUE(shadow->Visible());
    EXPECT_EQ(shadow->HorizSize(), 0);
    EXPECT_EQ(shadow->VertSize(), 0);
    EXPECT_FALSE(font.OutLine()->Visible());
    font.SetShadow(nullptr);
    EXPECT_EQ(font.ShadowIfAny(), nullptr);
    EXPECT_NE(font.Shadow(), nullptr);
}

TEST(PlotFont, AssignCopiesAndFreesTheEffects) {
    TPlotFont target;
    target.OutLine()->Show();
    target.Gradient()->SetVisible(true);
    TPlotFont source;
    source.SetInterCharSize(3);
    source.Shadow()->SetHorizSize(2);
    target.Assign(&source);
    EXPECT_EQ(target.OutLineIfAny(), nullptr);
    EXPECT_EQ(target.GradientIfAny(), nullptr);
    ASSERT_NE(target.ShadowIfAny(), nullptr);
    EXPECT_EQ(target.ShadowIfAny()->HorizSize(), 2);
    EXPECT_EQ(target.InterCharSize(), 3);
}

TEST(PlotFont, ChangesReachTheOwner) {
    int changes = 0;
    TPlotFont font([&](TObject*) { ++changes; });
    font.SetInterCharSize(0);
    EXPECT_EQ(changes, 0);
    font.SetInterCharSize(1);
    font.Shadow()->SetVertSize(3);
    font.OutLine()->SetWidth(2);
    font.SetSize(20);
    EXPECT_EQ(changes, 4);
}

// A button whose symbol is a red swatch, counting its repaints.
class TSwatchButton : public TPlotButton {
    Q4_CLASS(TSwatchButton, TPlotButton)
public:
    explicit TSwatchButton(TComponent* owner) : TPlotButton(owner) {}
    void DrawSymbol(TPlotCanvas3D& canvas) override {
        canvas.Brush()->SetColor(clRed);
        canvas.Pen()->SetColor(clBlack);
        canvas.Rectangle(SymbolRect());
    }
    void Invalidate() override {
        ++invalidations;
        TPlotButton::Invalidate();
    }
    int invalidations = 0;
};

TEST(PlotButton, SymbolRectangleFollowsTheSize) {
    TSwatchButton button(nullptr);
    button.SetBounds(0, 0, 75, 23);
    EXPECT_EQ(button.SymbolRect(), Rect(56, 8, 69, 18));
}

TEST(PlotButton, BindingRepaintsAndTheSymbolIsDrawnOverTheButton) {
    TForm* form = TCustomForm::Create<TForm>(nullptr);
    form->SetBounds(0, 0, 200, 100);
    auto* button = new TSwatchButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 75, 23);
    button->SetCaption("Colour");
    form->Show();
    TPlotFont font;
    const int before = button->invalidations;
    button->BindProperty(&font, "Color");
    EXPECT_EQ(button->invalidations, before + 1);
    ASSERT_NE(button->LinkedProperty(), nullptr);
    EXPECT_EQ(button->LinkedObject(), &font);
    button->BindProperty(&font, "");
    EXPECT_EQ(button->LinkedProperty(), nullptr);

    QWidget* widget = button->Handle();
    ASSERT_NE(widget, nullptr);
    const QImage image = widget->grab().toImage();
    charttest::SavePicture(image, "plot-button");
    EXPECT_EQ(charttest::PixelAt(image, 62, 13), clRed);
    EXPECT_EQ(charttest::PixelAt(image, 56, 8), clBlack);
    form->Free();
}

} // namespace
