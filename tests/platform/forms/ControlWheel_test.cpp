// The mouse wheel in whole notches: turns that OnMouseWheel leaves unhandled reach the control as
// wheel-down and wheel-up notches, fine-grained deltas added up to whole ones.

#include "FormsTestSupport.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWheelEvent>

#include <string>
#include <vector>

namespace {

class WheelFixture : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        panel = Make<TTestPanel>();
        panel->SetBounds(10, 20, 100, 40);
        panel->OnMouseWheelDown = [this](TObject*, TShiftState shift, TPoint at, bool& handled) {
            log.push_back(std::string("down") + (shift.Contains(ssCtrl) ? " ctrl" : ""));
            where = at;
            handled = answer;
        };
        panel->OnMouseWheelUp = [this](TObject*, TShiftState, TPoint at, bool& handled) {
            log.push_back("up");
            where = at;
            handled = answer;
        };
    }
    // A wheel turn of delta over (x, y) of the panel's window; answers whether it was taken.
    bool Turn(int delta, int x = 5, int y = 6, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QWidget* w = panel->Handle();
        const QPointF at(x, y);
        QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, keys,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &e);
        return e.isAccepted();
    }

    TTestPanel* panel = nullptr;
    std::vector<std::string> log;
    TPoint where;
    bool answer = true;
};

TEST_F(WheelFixture, WholeNotchesGoDownOrUpOnePerNotch) {
    const struct {
        std::vector<int> deltas;
        std::vector<std::string> expected;
    } cases[] = {
        {{-120}, {"down"}},
        {{120}, {"up"}},
        {{-240}, {"down", "down"}},
        {{-40, -40, -40}, {"down"}},            // a fine wheel adds up to one notch
        {{-60, -59}, {}},                       // not yet a notch
        {{-60, 30, 60, 60}, {"up"}},            // turning back drops the part turned down
        {{90, 90, 90, 90}, {"up", "up", "up"}}, // 360: three notches, the rest waits
    };
    for (const auto& c : cases) {
        auto* fresh = Make<TTestPanel>();
        fresh->OnMouseWheelDown = panel->OnMouseWheelDown;
        fresh->OnMouseWheelUp = panel->OnMouseWheelUp;
        std::swap(fresh, panel);
        log.clear();
        for (int d : c.deltas)
            Turn(d);
        EXPECT_EQ(log, c.expected) << ::testing::PrintToString(c.deltas);
        fresh->Free();
    }
}

TEST_F(WheelFixture, HandledOnMouseWheelStopsTheNotchesAndTheirAnswerIsTheTurns) {
    Turn(-120, 7, 8, Qt::ControlModifier);
    EXPECT_EQ(log, (std::vector<std::string>{"down ctrl"}));
    // The position is the screen's, as for OnMouseWheel.
    EXPECT_EQ(panel->ScreenToClient(where), (TPoint{7, 8}));

    // An unhandled notch goes on to the parent's window.
    answer = false;
    bool formTurned = false;
    form->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool& handled) {
        formTurned = true;
        handled = true;
    };
    Turn(-120);
    EXPECT_TRUE(formTurned);

    log.clear();
    formTurned = false;
    panel->OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& handled) { handled = true; };
    Turn(-120);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(formTurned);
}

} // namespace
