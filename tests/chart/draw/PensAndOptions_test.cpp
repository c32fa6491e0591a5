// Chart pens, brushes and the 3D view options: defaults, what a description stores, notifications.

#include "chart/draw/ChartBrush.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/View3DOptions.h"
#include "platform/classes/Component.h"
#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A component publishing one persistent object, to see what its description stores.
template <class T> class THolder : public TComponent {
    Q4_CLASS(THolder, TComponent)
public:
    explicit THolder(TComponent* owner = nullptr) : TComponent(owner) {}
    static void DeclareProperties(TPropertyList& p) {
        p.Add("Item", &THolder::Item, &THolder::SetItem);
    }
    T* Item() { return &item; }
    void SetItem(T* value) { item.Assign(value); }
    T item;
};

template <class T> std::string Description(THolder<T>& holder) {
    holder.SetName("Holder");
    return ComponentToText(&holder);
}

TEST(ChartPen, HiddenPenIsStoredOnlyOnceShown) {
    THolder<TChartHiddenPen> holder;
    EXPECT_FALSE(holder.item.Visible());
    EXPECT_EQ(Description(holder).find("Item.Visible"), std::string::npos);
    holder.item.Show();
    EXPECT_NE(Description(holder).find("Item.Visible = True"), std::string::npos);
}

TEST(ChartPen, OrdinaryPenStoresNoDefaults) {
    THolder<TChartPen> holder;
    const std::string text = Description(holder);
    for (const char* name : {"Item.Visible", "Item.EndStyle", "Item.SmallDots", "Item.SmallSpace"})
        EXPECT_EQ(text.find(name), std::string::npos) << name;
    holder.item.Hide();
    holder.item.SetEndStyle(esFlat);
    holder.item.SetSmallDots(true);
    const std::string changed = Description(holder);
    EXPECT_NE(changed.find("Item.Visible = False"), std::string::npos);
    EXPECT_NE(changed.find("Item.EndStyle = esFlat"), std::string::npos);
    EXPECT_NE(changed.find("Item.SmallDots = True"), std::string::npos);
}

TEST(ChartPen, VariantsChangeOnlyTheirDefaults) {
    TDottedGrayPen dotted;
    EXPECT_EQ(dotted.Color(), clGray);
    EXPECT_EQ(dotted.Style(), psDot);
    THolder<TDottedGrayPen> holder;
    EXPECT_EQ(Description(holder).find("Item.Color"), std::string::npos);
    EXPECT_EQ(TDarkGrayPen().Color(), clGray);
    THolder<TWhitePen> white;
    EXPECT_EQ(white.item.Color(), clWhite);
    EXPECT_NE(Description(white).find("Item.Visible = True"), std::string::npos);
}

TEST(ChartPen, SettersNotifyOnlyOnChangeAndAssignCopiesEverything) {
    int changes = 0;
    TChartPen pen([&](TObject*) { ++changes; });
    pen.SetSmallSpace(0);
    pen.SetVisible(true);
    EXPECT_EQ(changes, 0);
    pen.SetSmallSpace(3);
    pen.SetEndStyle(esSquare);
    EXPECT_EQ(changes, 2);

    TChartPen copy;
    pen.SetColor(clRed);
    pen.SetWidth(4);
    pen.Hide();
    copy.Assign(&pen);
    EXPECT_FALSE(copy.Visible());
    EXPECT_EQ(copy.SmallSpace(), 3);
    EXPECT_EQ(copy.EndStyle(), esSquare);
    EXPECT_EQ(copy.Color(), clRed);
    EXPECT_EQ(copy.Width(), 4);
}

TEST(ChartBrush, DefaultColourAndLazyImage) {
    int changes = 0;
    TChartBrush brush([&](TObject*) { ++changes; });
    EXPECT_EQ(brush.Color(), clDefault);
    EXPECT_EQ(brush.BackColor(), clNone);
    EXPECT_FALSE(brush.HasImage());
    TPicture* image = brush.Image();
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->Empty());
    EXPECT_EQ(brush.Image(), image);
    brush.SetImage(nullptr);
    EXPECT_EQ(changes, 1);
    brush.SetBackColor(clRed);
    EXPECT_EQ(changes, 2);

    THolder<TChartBrush> holder;
    const std::string text = Description(holder);
    EXPECT_EQ(text.find("Item.Color"), std::string::npos);
    EXPECT_EQ(text.find("Item.Image"), std::string::npos);
}

TEST(View3DOptions, PerspectiveIsCappedAtOneHundred) {
    TView3DOptions o;
    o.SetPerspective(150);
    EXPECT_EQ(o.Perspective(), 100);
    o.SetPerspective(-5);
    EXPECT_EQ(o.Perspective(), -5);
}

TEST(View3DOptions, RepaintsAndNotificationsOnlyOnChange) {
    int invalidations = 0;
    std::vector<int> zooms;
    std::vector<bool> scrolls;
    TView3DOptions o([&] { ++invalidations; });
    o.OnZoomChanged = [&](int z) {
        zooms.push_back(z);
        EXPECT_EQ(o.Zoom(), 100) << "told before the value is stored";
    };
    o.OnScrolled = [&](bool horizontal) { scrolls.push_back(horizontal); };
    o.SetZoom(100);
    o.SetHorizOffset(0);
    o.SetElevation(345);
    EXPECT_EQ(invalidations, 0);
    EXPECT_TRUE(zooms.empty());
    o.SetZoomValue(150.5);
    o.SetHorizOffset(4);
    o.SetVertOffset(-2);
    o.SetTilt(10);
    EXPECT_EQ(invalidations, 4);
    EXPECT_EQ(zooms, std::vector<int>{150});
    EXPECT_EQ(scrolls, (std::vector<bool>{true, false}));
}

TEST(View3DOptions, PublishedAnglesReadTheStoredDoublesRoundedToEven) {
    TView3DOptions o;
    o.SetElevationValue(344.5);
    EXPECT_EQ(o.Elevation(), 344);
    EXPECT_EQ(GetOrdProp(&o, "Elevation"), 344);
    o.SetRotationValue(345.5);
    EXPECT_EQ(o.Rotation(), 346);
    EXPECT_DOUBLE_EQ(o.RotationValue(), 345.5);
}

TEST(View3DOptions, OrthoRatioAndAssign) {
    TView3DOptions o;
    EXPECT_NEAR(o.OrthoRatio(), 1.0, 1e-12);
    o.SetOrthoAngle(120);
    EXPECT_NEAR(o.OrthoRatio(), std::tan(60 * DegToRad), 1e-12);
    o.SetOrthogonal(false);
    EXPECT_EQ(o.OrthoRatio(), 1);

    int invalidations = 0;
    TView3DOptions copy([&] { ++invalidations; });
    o.SetZoom(80);
    copy.Assign(&o);
    EXPECT_EQ(copy.Zoom(), 80);
    EXPECT_EQ(copy.OrthoAngle(), 120);
    EXPECT_FALSE(copy.Orthogonal());
}

} // namespace
