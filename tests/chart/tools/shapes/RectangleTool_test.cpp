#include "chart/axispanel/AxisPanel.h"
#include "chart/tools/RectangleTool.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "tests/chart/support/MouseInput.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <string>
#include <vector>

namespace {

class RectangleToolTest : public tooltest::ToolChartFixture {
protected:
    void SetUp() override {
        ToolChartFixture::SetUp();
        // The chart zooms only axes that a series uses.
        AddSeries({{0, 0}, {10, 100}});
        tool = new TRectangleTool(form);
        tool->SetParentChart(chart);
        tool->OnDragging = [this](TObject*) { events.push_back("dragging"); };
        tool->OnDragged = [this](TObject*) { events.push_back("dragged"); };
        tool->OnResizing = [this](TObject*) { events.push_back("resizing"); };
        tool->OnResized = [this](TObject*) { events.push_back("resized"); };
        tool->OnClick = [this](TAnnotationTool*, TMouseButton, TShiftState, int, int) {
            events.push_back("click");
        };
        Paint();
    }
    void Drag(int x0, int y0, int x1, int y1, Qt::MouseButton button = Qt::LeftButton) {
        Press(x0, y0, button);
        MoveTo(x1, y1, button);
        Release(x1, y1, button);
    }

    TRectangleTool* tool = nullptr;
    std::vector<std::string> events;
};

TEST_F(RectangleToolTest, StartsAsAFixedHalfSeeThroughBoxAtTenTen) {
    EXPECT_EQ(tool->GetBounds(), (TRect{10, 10, 59, 59}));
    EXPECT_FALSE(tool->AutoSize());
    EXPECT_TRUE(tool->Shape()->CustomPosition());
    EXPECT_EQ(tool->Shape()->Transparency(), 75);
    EXPECT_EQ(tool->Cursor(), crHandPoint);
    EXPECT_TRUE(tool->AllowDrag());
    EXPECT_TRUE(tool->AllowResize());
    EXPECT_EQ(tool->ResizeEdge(), reNone);
}

// Within 3 pixels of an edge (inside the box) grabs it; the left and top edges win at corners.
// A press on the box clicks the annotation before it drags or resizes.
TEST_F(RectangleToolTest, HitEdgeNamesTheEdgeOrCornerWithinReach) {
    struct Case {
        int x, y;
        TRectangleEdge edge;
    };
    const Case cases[] = {
        {10, 10, reTopLeft}, {13, 12, reTopLeft},    {14, 12, reTop},  {14, 14, reNone},
        {12, 30, reLeft},    {12, 57, reBottomLeft}, {30, 10, reTop},  {57, 12, reTopRight},
        {59, 30, reRight},   {56, 30, reRight},      {55, 30, reNone}, {57, 57, reBottomRight},
        {30, 59, reBottom},  {9, 30, reNone},        {60, 30, reNone}, {30, 60, reNone},
        {35, 35, reNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tool->HitEdge(c.x, c.y), c.edge) << c.x << "," << c.y;
}

TEST_F(RectangleToolTest, DraggingInsideMovesTheBoxAndKeepsItsSize) {
    Drag(30, 30, 130, 80);
    EXPECT_EQ(tool->GetBounds(), (TRect{110, 60, 159, 109}));
    EXPECT_EQ(events, (std::vector<std::string>{"click", "dragging", "dragged"}));
    EXPECT_FALSE(tool->Dragging());
    // A drag to a corner at (0, 0) moves there too.
    Drag(130, 80, 20, 20);
    EXPECT_EQ(tool->GetBounds(), (TRect{0, 0, 49, 49}));
}

// Each edge and corner moves only its own sides; an edge stays 3 pixels beyond the opposite one.
TEST_F(RectangleToolTest, ResizingMovesTheGrabbedEdgesDownToAFourPixelBox) {
    struct Case {
        int x0, y0, x1, y1;
        TRect box;
    };
    const Case cases[] = {
        {11, 30, 31, 30, {30, 10, 59, 59}},   // left, the grab one pixel inside kept
        {30, 10, 30, 0, {10, 0, 59, 59}},     // top
        {59, 30, 99, 30, {10, 10, 99, 59}},   // right
        {30, 58, 30, 88, {10, 10, 59, 89}},   // bottom
        {12, 12, 2, 2, {0, 0, 59, 59}},       // top-left, pressed 2 pixels inside
        {10, 59, 20, 69, {20, 10, 59, 69}},   // bottom-left
        {59, 10, 69, 20, {10, 20, 69, 59}},   // top-right
        {59, 59, 109, 99, {10, 10, 109, 99}}, // bottom-right
        {10, 30, 200, 30, {56, 10, 59, 59}},  // left past the right edge
        {59, 59, 0, 0, {10, 10, 13, 13}},     // bottom-right past the top-left corner
    };
    for (const Case& c : cases) {
        tool->SetLeft(10);
        tool->SetTop(10);
        tool->SetWidth(50);
        tool->SetHeight(50);
        events.clear();
        Drag(c.x0, c.y0, c.x1, c.y1);
        EXPECT_EQ(tool->GetBounds(), c.box) << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1;
        EXPECT_EQ(events, (std::vector<std::string>{"click", "resizing", "resized"}));
        EXPECT_FALSE(tool->AutoSize());
        EXPECT_EQ(tool->ResizeEdge(), reNone);
    }
    EXPECT_EQ(zooms, 0);
}

TEST_F(RectangleToolTest, WithoutResizingAnEdgeDragsAndWithoutEitherTheChartZooms) {
    tool->SetAllowResize(false);
    Drag(10, 30, 40, 40);
    EXPECT_EQ(tool->GetBounds(), (TRect{40, 20, 89, 69}));
    EXPECT_EQ(events, (std::vector<std::string>{"click", "dragging", "dragged"}));
    tool->SetAllowDrag(false);
    events.clear();
    charttest::Drag(chart, 60, 40, 200, 200);
    EXPECT_EQ(tool->GetBounds(), (TRect{40, 20, 89, 69}));
    EXPECT_EQ(events, (std::vector<std::string>{"click"}));
    EXPECT_EQ(zooms, 1);
}

TEST_F(RectangleToolTest, ARightPressClicksButNeitherDragsNorResizes) {
    Drag(30, 30, 100, 100, Qt::RightButton);
    Drag(10, 10, 100, 100, Qt::RightButton);
    EXPECT_EQ(tool->GetBounds(), (TRect{10, 10, 59, 59}));
    EXPECT_EQ(events, (std::vector<std::string>{"click", "click"}));
}

TEST_F(RectangleToolTest, TheMouseShapeFollowsTheEdgeUnderIt) {
    struct Case {
        int x, y;
        TCursor cursor;
    };
    const Case cases[] = {
        {30, 10, crSizeNS},   {30, 59, crSizeNS},   {10, 10, crSizeNWSE},
        {59, 59, crSizeNWSE}, {10, 59, crSizeNESW}, {59, 10, crSizeNESW},
        {10, 30, crSizeWE},   {59, 30, crSizeWE},   {30, 30, crHandPoint},
    };
    for (const Case& c : cases) {
        chart->SetCursor(crDefault);
        MoveTo(c.x, c.y, Qt::NoButton);
        EXPECT_EQ(chart->Cursor(), c.cursor) << c.x << "," << c.y;
    }
    tool->SetAllowResize(false);
    MoveTo(10, 30, Qt::NoButton);
    EXPECT_EQ(chart->Cursor(), crHandPoint);
}

// In percent units a drag stores the corner as percent of the chart's window; a resize only
// moves the corner.
TEST_F(RectangleToolTest, PercentUnitsStoreTheCornerAsPercentOfTheChart) {
    tool->SetPositionUnits(muPercent);
    tool->SetLeft(10);
    tool->SetTop(10);
    EXPECT_EQ(tool->GetBounds().Left, 40);
    EXPECT_EQ(tool->GetBounds().Top, 30);
    Drag(50, 40, 210, 190);
    EXPECT_EQ(tool->Left(), 50);
    EXPECT_EQ(tool->Top(), 60);
    EXPECT_EQ(tool->Width(), 50);
    EXPECT_EQ(tool->Height(), 50);
    // Of a window with no size the box stays where it is.
    chart->SetBounds(0, 0, 0, 0);
    events.clear();
    tool->ChartMouseEvent(0, mbLeft, {}, 230, 200);
    tool->ChartMouseEvent(1, mbLeft, {}, 260, 230);
    tool->ChartMouseEvent(2, mbLeft, {}, 260, 230);
    EXPECT_EQ(tool->Left(), 50);
    EXPECT_EQ(tool->Top(), 60);
}

// A moved and resized box comes back from the form description where it was left; the
// rectangle's own defaults are not written.
TEST_F(RectangleToolTest, TheBoxGoesThroughAFormDescription) {
    form->SetName("Form1");
    chart->SetName("Chart1");
    tool->SetName("Rectangle1");
    Drag(30, 30, 100, 60);
    Drag(129, 89, 139, 119);
    tool->SetAllowDrag(false);
    const TRect box = tool->GetBounds();
    ASSERT_EQ(box, (TRect{80, 40, 139, 119}));
    const std::string text = ComponentToText(form);
    const std::string own = text.substr(text.find("object Rectangle1"));
    EXPECT_EQ(own.find("AutoSize"), std::string::npos) << own;
    EXPECT_EQ(own.find("Cursor"), std::string::npos) << own;
    EXPECT_EQ(own.find("CustomPosition"), std::string::npos) << own;

    auto* read = new TForm(nullptr);
    ReadComponentDescription(ObjectTextToBinary(text), read);
    auto* readTool = dynamic_cast<TRectangleTool*>(read->FindComponent("Rectangle1"));
    ASSERT_NE(readTool, nullptr) << text;
    EXPECT_EQ(readTool->GetBounds(), box) << text;
    EXPECT_FALSE(readTool->AutoSize());
    EXPECT_FALSE(readTool->AllowDrag());
    EXPECT_TRUE(readTool->AllowResize());
    EXPECT_EQ(readTool->Cursor(), crHandPoint);
    read->Free();
}

} // namespace
