// Text keeps the background mode of the brush it is drawn with, whatever pen came before.
#include "GraphicsTestSupport.h"

#include <gtest/gtest.h>

using namespace gfxtest;

// A line drawn while the background was opaque must not leave the next transparent text with a
// filled background, neither through DrawText nor through TextOut.
TEST(CanvasTextBackground, TransparentTextAfterALineDrawnWithAnOpaqueBackground) {
    for (bool drawText : {true, false}) {
        SCOPED_TRACE(drawText ? "DrawText" : "TextOut");
        auto bmp = WhiteBitmap(60, 20);
        TCanvas* c = bmp->Canvas();
        c->Brush()->SetColor(clYellow);
        c->FillRect(Rect(0, 0, 60, 20)); // a solid brush: opaque background in yellow
        c->Pen()->SetColor(clRed);
        c->MoveTo(0, 19);
        c->LineTo(60, 19);
        c->Brush()->SetColor(clLime);
        c->FillRect(Rect(0, 0, 60, 19)); // the pen is not realised again
        c->Brush()->SetStyle(bsClear);
        if (drawText) {
            TRect r = Rect(2, 0, 58, 18);
            c->DrawText("  ", r, DT_SINGLELINE);
        } else {
            c->TextOut(2, 0, "  ");
        }
        int yellow = 0;
        for (int y = 0; y < 19; ++y)
            for (int x = 0; x < 60; ++x)
                yellow += c->Pixel(x, y) == ColorToRGB(clYellow) ? 1 : 0;
        EXPECT_EQ(yellow, 0);
        EXPECT_EQ(c->Pixel(4, 5), ColorToRGB(clLime));
    }
}
