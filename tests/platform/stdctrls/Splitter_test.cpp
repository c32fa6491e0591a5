// Splitters: dragging the bar resizes the control beside it within the minimum sizes, and the
// controls aligned after it follow.
#include "platform/stdctrls/Splitter.h"

#include "platform/stdctrls/Panel.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

namespace {

class SplitterTest : public FormFixture {
protected:
    // The left button held while the mouse moves to (x, y) of the form.
    void DragTo(int x, int y) {
        QMouseEvent e(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(form->Handle(), &e);
    }
};

TEST_F(SplitterTest, DraggingTheBarResizesTheControlBesideIt) {
    struct Case {
        TAlign align;
        int moveBy;       // along the bar's direction, away from the resized control's side
        int expectedSize; // of the resized control
    };
    const Case cases[] = {
        {alLeft, 40, 153},   {alLeft, -200, 30}, {alLeft, 1000, 400 - 3 - 30},
        {alRight, -40, 153}, {alTop, 20, 133},   {alBottom, -500, 300 - 3 - 30},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        form->SetClientSize(400, 300);
        auto* side = Make<TPanel>();
        side->SetAlign(c.align);
        const bool horizontal = c.align == alLeft || c.align == alRight;
        side->SetBounds(0, 0, 113, 113);
        auto* bar = Make<TSplitter>();
        bar->SetAlign(c.align);
        // Placed beyond the side panel, so that alignment puts it next to it.
        bar->SetBounds(c.align == alLeft ? 200 : 0, c.align == alTop ? 200 : 0, 3, 3);
        auto* rest = Make<TPanel>();
        rest->SetAlign(alClient);
        form->Handle();
        QApplication::processEvents();
        ASSERT_EQ(bar->ResizedControl(), side) << c.align;
        int moved = 0;
        bar->OnMoved = [&](TObject*) { ++moved; };

        const int x = bar->Left() + 1, y = bar->Top() + 1;
        PressAt(form, x, y);
        DragTo(horizontal ? x + c.moveBy : x, horizontal ? y : y + c.moveBy);
        ReleaseAt(form, horizontal ? x + c.moveBy : x, horizontal ? y : y + c.moveBy);
        EXPECT_EQ(horizontal ? side->Width() : side->Height(), c.expectedSize) << c.align;
        EXPECT_EQ(moved, 1);
        if (c.align == alLeft) {
            EXPECT_EQ(bar->Left(), c.expectedSize);
            EXPECT_EQ(rest->Left(), c.expectedSize + 3) << "the rest follows the bar";
        }
    }
}

} // namespace
