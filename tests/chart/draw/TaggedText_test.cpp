// HTML-subset chart text read from the platform canvas's calls: runs and their fonts, entities,
// headings, colours, the not-found picture box, errors, and stacks that end with each text.

#include "tests/chart/support/CanvasCallLog.h"
#include "tests/chart/support/ChartTestSupport.h"

#include "chart/draw/TaggedText.h"
#include "tests/support/ErrorMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using charttest::TCanvasCallLog;
using charttest::TSurface;

struct TTagged {
    TSurface surface{200, 120};
    TCanvasCallLog log{*surface.bitmap.Canvas()};
    std::vector<std::string> runs; // text and the font's style and size when it was drawn
    struct TFontSpy : TCanvasRecorder {
        TTagged* owner;
        void Record(TCanvas& c, const TCanvasCall& call) override {
            owner->log.Record(c, call);
            if (call.op == TCanvasOp::Text)
                owner->runs.push_back(call.text +
                                      (c.Font()->Style().Contains(fsBold) ? " bold" : "") + " " +
                                      std::to_string(c.Font()->Size()));
        }
    } spy;
    TTagged() {
        surface.canvas.Brush()->SetStyle(bsClear);
        spy.owner = this;
        surface.bitmap.Canvas()->SetRecorder(&spy);
    }
    ~TTagged() { surface.bitmap.Canvas()->SetRecorder(&log); }
    void Draw(const std::string& text) { DrawTaggedText(surface.canvas, 10, 10, text); }
};

TEST(TaggedText, RunsEntitiesAndHeadings) {
    TTagged t;
    t.Draw("a <B>b</B> c");
    EXPECT_THAT(t.runs, ::testing::ElementsAre("a  8", "b bold 8", " c 8"));

    TTagged e;
    e.Draw("x &lt; y &amp; &quot;z&quot; &gt;");
    EXPECT_THAT(e.runs, ::testing::ElementsAre("x < y & \"z\" > 8"));

    // A heading stays open: its closing tag is drawn as text in the heading's size.
    TTagged h;
    h.Draw("<H1>T</H1>");
    EXPECT_THAT(h.runs, ::testing::ElementsAre("T 48", "</H1> 48"));
    EXPECT_EQ(h.surface.canvas.Font()->Size(), 48);

    // A pushed font comes back with the closing form, and "</>" closes the last open tag.
    TTagged f;
    f.Draw("<BIG>big</BIG><FONT SIZE=+4 WEIGHT=BOLD>f</FONT>n<B>b</>p");
    EXPECT_THAT(f.runs, ::testing::ElementsAre("big 10", "</BIG> 10", "f bold 14", "n 10",
                                               "b bold 10", "p 10"));
}

TEST(TaggedText, FontColoursAndLines) {
    TTagged t;
    t.Draw("<FONT COLOR=#FF0000>r</FONT><FONT COLOR=BLUE>b</FONT><FONT COLOR=clLime>g</FONT>");
    EXPECT_THAT(t.log.Matching("TEXT"),
                ::testing::ElementsAre(::testing::HasSubstr("text=0000FF"),
                                       ::testing::HasSubstr("text=FF0000"),
                                       ::testing::HasSubstr("text=00FF00")));
    // A line break starts again at the left, one line lower.
    TTagged b;
    b.Draw("one<BR>two");
    ASSERT_EQ(b.log.Calls().size(), 2u);
    EXPECT_EQ(b.log.Calls()[1].points[0].X, 10);
    EXPECT_GT(b.log.Calls()[1].points[0].Y, b.log.Calls()[0].points[0].Y);
    // Measuring draws nothing and spans both lines.
    TTagged m;
    const TSize size = MeasureTaggedText(m.surface.canvas, "one<BR>two");
    EXPECT_TRUE(m.log.Calls().empty());
    EXPECT_GT(size.cx, 0);
    EXPECT_EQ(size.cx, std::max(m.surface.canvas.MeasureTextWidth("one"),
                                m.surface.canvas.MeasureTextWidth("two")));
}

// A picture that cannot be found is a 40 x 40 red box with both diagonals.
TEST(TaggedText, MissingPictureDrawsTheCrossedBox) {
    TTagged t;
    t.surface.canvas.Brush()->SetStyle(bsSolid);
    DrawTaggedText(t.surface.canvas, 20, 30, "<IMG SRC=\"a.xyz\">");
    const QImage& image = t.surface.Image();
    charttest::SavePicture(image, "tagged-missing-picture");
    // The rising diagonal starts on the corner below the box's last row.
    EXPECT_EQ(charttest::ColorBox(image, clRed), (TRect{20, 30, 60, 71}));
    EXPECT_EQ(t.surface.At(40, 30), clRed);
    EXPECT_EQ(t.surface.At(30, 40), clRed) << "the falling diagonal";
    EXPECT_EQ(t.surface.At(30, 60), clRed) << "the rising diagonal";
    EXPECT_EQ(t.surface.At(40, 45), clWhite) << "filled white";
}

TEST(TaggedText, Errors) {
    TTagged t;
    EXPECT_EQ(ErrorMessage<HtmlParserException>([&] { t.Draw("abc<"); }), "Missing > at ");
    EXPECT_EQ(ErrorMessage<HtmlParserException>([&] { t.Draw("a<B"); }), "Missing > at B");
    EXPECT_EQ(ErrorMessage<Exception>([&] { t.Draw("<FONT FACE=x>a"); }),
              "Unknown field in FONT: FACE");
    EXPECT_EQ(ErrorMessage<Exception>([&] { t.Draw("<FONT WEIGHT=HEAVY>a"); }),
              "Unknown field in FONT WEIGHT=HEAVY");
    // Short or bad colours and sizes are refused, not read past their end.
    EXPECT_THROW(t.Draw("<FONT COLOR=#FF>a"), Exception);
    EXPECT_THROW(t.Draw("<FONT SIZE=big>a"), Exception);
    // Nested halvings never give a size below one.
    TTagged s;
    s.Draw("<SUB><SUB><SUB><SUB><SUB>x");
    EXPECT_EQ(s.surface.canvas.Font()->Size(), 1);
}

// Each text has its own stacks: a tag left open by one text is not closed by the next, however
// many texts came before.
TEST(TaggedText, OpenTagsDoNotCarryOver) {
    TTagged t;
    for (int i = 0; i < 10000; ++i)
        MeasureTaggedText(t.surface.canvas, "<B>x</B><SUB>y");
    t.surface.canvas.Font()->SetSize(8);
    t.surface.canvas.Font()->SetStyle({});
    t.Draw("<B>b");
    t.Draw("</>c");
    EXPECT_THAT(t.runs, ::testing::ElementsAre("b bold 8", "c bold 8"));
}

} // namespace
