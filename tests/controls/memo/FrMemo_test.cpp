#include "controls/memo/FrMemo.h"
#include "controls/paint/FrColors.h"
#include "platform/forms/Clipbrd.h"
#include "platform/stdctrls/Edit.h"
#include "tests/controls/support/ViewTestSupport.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QScrollBar>

#include <string>
#include <vector>

namespace {

using namespace viewtest;

constexpr TColor kLogFrame = 0xB99D7F; // RGB (127, 157, 185)

class FrMemoTest : public ViewFixture {
protected:
    // The main window's log memo: read-only, info colour, a frame in the log's blue.
    TFrMemo* LogMemo() {
        auto* m = MakeWithWidget<TFrMemo>();
        m->SetBounds(10, 10, 200, 100);
        m->SetColor(clInfoBk);
        m->SetReadOnly(true);
        m->SetFrameVisible(true);
        m->SetFrameColor(kLogFrame);
        return m;
    }
};

TEST_F(FrMemoTest, LogMemoRingAndFace) {
    TFrMemo* memo = LogMemo();
    memo->Lines()->Add("Связь установлена");
    QImage image = Grab(memo);
    EXPECT_EQ(RingColor(image, 0), ColorToRGB(kLogFrame));
    EXPECT_EQ(RingColor(image, 1), ColorToRGB(clInfoBk)); // cleared to the face
    EXPECT_EQ(At(image, 150, 80), ColorToRGB(clInfoBk));  // the text area
    Snapshot(image);
}

// The ring by frame state: visible or the platform's edge, hot while hovered or focused.
TEST_F(FrMemoTest, RingFollowsFrameState) {
    struct Case {
        const char* name;
        bool visible, hotTrack, hover, focus;
        TColor ring0, ring1;
    };
    const Case cases[] = {
        {"frame", true, false, false, false, kLogFrame, clWindow},
        {"frame, hovered without hot tracking", true, false, true, false, kLogFrame, clWindow},
        {"hot tracking, idle", true, true, false, false, kLogFrame, clWindow},
        {"hot tracking, hovered", true, true, true, false, clRed, clRed},
        {"hot tracking, focused", true, true, false, true, clRed, clRed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* other = MakeWithWidget<TEdit>();
        auto* memo = MakeWithWidget<TFrMemo>();
        memo->SetBounds(10, 10, 120, 60);
        memo->SetFrameColor(kLogFrame);
        memo->SetFrameHotColor(clRed);
        memo->SetFrameVisible(c.visible);
        memo->SetFrameHotTrack(c.hotTrack);
        other->SetFocus();
        if (c.hover)
            SendEnter(memo);
        if (c.focus)
            memo->SetFocus();
        QImage image = Grab(memo);
        EXPECT_EQ(RingColor(image, 0), ColorToRGB(c.ring0));
        EXPECT_EQ(RingColor(image, 1), ColorToRGB(c.ring1));
        if (c.hover) { // and back when the pointer leaves
            SendLeave(memo);
            EXPECT_EQ(RingColor(Grab(memo), 0), ColorToRGB(kLogFrame));
        }
        memo->Free();
        other->Free();
    }
}

TEST_F(FrMemoTest, PlatformEdgeWithoutFrameAndThemedBorder) {
    auto* memo = MakeWithWidget<TFrMemo>();
    memo->SetBounds(10, 10, 120, 60);
    QImage classic = Grab(memo);
    // The sunken client edge: shadow and highlight outside, dark shadow and light inside.
    EXPECT_EQ(RingSide(classic, 0, Edge::Top), Only(clBtnShadow));
    EXPECT_EQ(RingSide(classic, 0, Edge::Bottom), Only(clBtnHighlight));
    EXPECT_EQ(RingSide(classic, 1, Edge::Left), Only(cl3DDkShadow));
    EXPECT_EQ(RingSide(classic, 1, Edge::Right), Only(cl3DLight));

    ThemeServices themes(true);
    memo->SetFrameVisible(true);
    memo->SetFrameColor(kLogFrame);
    memo->Invalidate();
    QImage themed = Grab(memo); // the theme's border, not the frame
    EXPECT_EQ(RingColor(themed, 0), ColorToRGB(ThemedElementColor(0)));
    EXPECT_EQ(RingColor(themed, 1), ColorToRGB(clWindow));
    memo->SetFramingPreference(fpCustomFraming); // the frame at once
    EXPECT_EQ(RingColor(Grab(memo), 0), ColorToRGB(kLogFrame));
}

TEST_F(FrMemoTest, StateColours) {
    auto* other = MakeWithWidget<TEdit>();
    TFrMemo* memo = LogMemo();
    memo->SetReadOnlyColor(clYellow);
    memo->SetFocusColor(clAqua);
    other->SetFocus();
    EXPECT_EQ(memo->Color(), clYellow); // read-only, unfocused
    memo->SetFocus();
    EXPECT_EQ(memo->Color(), clAqua); // focused
    memo->SetReadOnlyColorOnFocus(true);
    EXPECT_EQ(memo->Color(), clYellow);
    memo->SetReadOnly(false);
    EXPECT_EQ(memo->Color(), clAqua);
    other->SetFocus();
    EXPECT_EQ(memo->Color(), clInfoBk); // the colour it was given

    memo->SetEnabled(false);
    EXPECT_EQ(memo->Color(), clBtnFace);
    EXPECT_EQ(At(Grab(memo), 100, 50), ColorToRGB(clBtnFace)); // the text area too
    memo->SetEnabled(true);
    EXPECT_EQ(memo->Color(), clInfoBk);
    EXPECT_EQ(At(Grab(memo), 100, 50), ColorToRGB(clInfoBk));
}

TEST_F(FrMemoTest, FocusColourFollowsColourItEqualled) {
    auto* memo = MakeWithWidget<TFrMemo>();
    memo->SetColor(clYellow); // the focus colour was the old colour, clWindow
    EXPECT_EQ(memo->FocusColor(), clYellow);
    memo->SetFocusColor(clAqua);
    memo->SetColor(clLime); // now it stays
    EXPECT_EQ(memo->FocusColor(), clAqua);
    memo->SetFocus();
    EXPECT_EQ(memo->Color(), clAqua);
    memo->SetFocusColor(clFuchsia); // set while focused: shown at once
    EXPECT_EQ(memo->Color(), clFuchsia);
}

TEST_F(FrMemoTest, CaretLineAndColumn) {
    auto* memo = MakeWithWidget<TFrMemo>();
    memo->SetText("ab\ncdef");
    std::vector<std::pair<int, int>> told;
    memo->OnLineColChange = [&](TObject*, int line, int col) { told.emplace_back(line, col); };
    memo->SetCaretLine(2);
    EXPECT_EQ(memo->SetCaretColumn(3), 3);
    EXPECT_EQ(memo->CaretLine(), 2);
    EXPECT_EQ(memo->CaretColumn(), 3);
    EXPECT_EQ(memo->SetCaretColumn(9), 5); // past the end + 1: nothing moves
    EXPECT_EQ(memo->CaretColumn(), 3);
    EXPECT_EQ(memo->SetCaretColumn(5), 5); // just after the last character
    EXPECT_EQ(memo->CaretColumn(), 5);
    memo->SetCaretLine(7); // no such line: the last line's start, no scrolling
    EXPECT_EQ(memo->CaretLine(), 2);
    EXPECT_EQ(memo->CaretColumn(), 1);
    EXPECT_EQ(told, (std::vector<std::pair<int, int>>{{2, 1}, {2, 3}, {2, 5}, {2, 1}}));
}

TEST_F(FrMemoTest, SettingALineScrollsItToTheTop) {
    auto* memo = MakeWithWidget<TFrMemo>();
    memo->SetBounds(10, 10, 150, 80);
    memo->SetWordWrap(false);
    for (int i = 1; i <= 40; ++i)
        memo->Lines()->Add("строка " + std::to_string(i));
    memo->SetCaretLine(20);
    EXPECT_EQ(memo->TopLine(), 19);
    EXPECT_EQ(memo->CaretLine(), 20);
}

TEST_F(FrMemoTest, AddedLineMovesTheCaretAndTellsListeners) {
    auto* memo = MakeWithWidget<TFrMemo>();
    memo->Lines()->Add("first");
    std::vector<std::pair<int, int>> told;
    memo->OnLineColChange = [&](TObject*, int line, int col) { told.emplace_back(line, col); };
    memo->Lines()->Add("second line");
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back(), std::make_pair(2, 12)); // after the new line's last character
}

TEST_F(FrMemoTest, ClipboardStateFollowsSelectionAndClipboard) {
    auto* memo = MakeWithWidget<TFrMemo>();
    memo->SetText("abc");
    std::vector<std::pair<bool, bool>> told;
    memo->OnClipboardChange = [&](TObject*, bool cut, bool paste) {
        told.emplace_back(cut, paste);
    };
    Clipboard()->Clear();
    memo->SetCaretLine(1);
    Clipboard()->SetAsText("x");
    memo->SetSelStart(0);
    memo->SetSelLength(2);
    memo->SetCaretColumn(1); // drops the selection
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[0], std::make_pair(false, false));
    EXPECT_EQ(told[1], std::make_pair(false, true));
    memo->SetSelLength(2);
    EXPECT_EQ(memo->SelLength(), 2);
    ReleaseAt(memo, 20, 10); // a mouse button let go tells the state again
    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(told[2], std::make_pair(true, true));
}

// Touchpads send parts of a notch: they add up to whole notches of three lines each.
TEST_F(FrMemoTest, WheelScrollsByWholeNotches) {
    auto* memo = MakeWithWidget<TFrMemo>();
    memo->SetBounds(10, 10, 150, 80);
    memo->SetWordWrap(false);
    for (int i = 1; i <= 60; ++i)
        memo->Lines()->Add("line " + std::to_string(i));
    memo->SetTopLine(20);
    ASSERT_EQ(memo->TopLine(), 20);
    for (int i = 0; i < 7; ++i)
        SendWheel(memo, -15);
    EXPECT_EQ(memo->TopLine(), 20); // seven eighths of a notch
    SendWheel(memo, -15);
    EXPECT_EQ(memo->TopLine(), 23);
    SendWheel(memo, 240);
    EXPECT_EQ(memo->TopLine(), 17);
    memo->SetTopLine(1);
    SendWheel(memo, 360); // up at the top: it stops there
    EXPECT_EQ(memo->TopLine(), 0);

    bool handled = false;
    memo->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool& h) { h = handled = true; };
    SendWheel(memo, -120); // a handler of its own: the memo leaves the wheel to it
    EXPECT_TRUE(handled);
    EXPECT_EQ(memo->TopLine(), 0);
}

TEST_F(FrMemoTest, TabOnEnterMovesTheFocusOn) {
    auto* memo = MakeWithWidget<TFrMemo>();
    auto* next = MakeWithWidget<TEdit>();
    memo->SetText("ab");
    memo->SetTabOnEnter(true);
    memo->SetFocus();
    SendKey(memo->Handle(), Qt::Key_Return, "\r");
    EXPECT_EQ(memo->GetText(), "ab\r\n"); // no line break typed
    EXPECT_TRUE(next->Focused());
}

TEST_F(FrMemoTest, DescriptionKeepsWhatDiffersAndSkipsControlledOrDisabledColours) {
    auto* memo = Make<TFrMemo>();
    memo->SetName("Memo1");
    memo->SetFrameVisible(true);
    memo->SetFrameColor(kLogFrame);
    std::vector<std::string> lines = StoredLines(memo);
    EXPECT_TRUE(Stores(lines, "FrameVisible"));
    EXPECT_TRUE(Stores(lines, "FrameColor"));
    EXPECT_FALSE(Stores(lines, "FocusColor")); // the same as Color
    EXPECT_FALSE(Stores(lines, "FrameStyle"));
    memo->SetReadOnly(true); // Color shows ReadOnlyColor: FocusColor differs from it now
    lines = StoredLines(memo);
    EXPECT_TRUE(Stores(lines, "ReadOnly"));
    EXPECT_TRUE(Stores(lines, "FocusColor"));

    memo->SetEnabled(false); // Color shows DisabledColor now
    lines = StoredLines(memo);
    EXPECT_FALSE(Stores(lines, "Color"));

    auto* controller = new TFrFrameController(form);
    controller->SetFrameColor(clRed);
    memo->SetFrameControllerNotifications(TFrFrameControllerNotifications{fcpFrameColor});
    memo->SetFrameController(controller); // pushes only the frame colour
    EXPECT_EQ(memo->FrameColor(), clRed);
    EXPECT_TRUE(memo->FrameVisible());
    lines = StoredLines(memo);
    EXPECT_FALSE(Stores(lines, "FrameColor"));
    EXPECT_TRUE(Stores(lines, "FrameVisible"));
}

TEST_F(FrMemoTest, ReadsItsDescriptionAndOldFrameProperties) {
    auto* memo = Make<TFrMemo>();
    ReadComponentDescription(R"(object Memo1: TFrMemo
  Left = 4
  Width = 90
  Height = 40
  ReadOnly = True
  ReadOnlyColor = clYellow
  FrameFlat = True
  FrameFocusStyle = fsButtonDown
  FrameFlatStyle = fsRaised
  Lines.Strings = (
    'Журнал'
    'обмена')
end
)",
                             memo);
    EXPECT_TRUE(memo->FrameHotTrack());
    EXPECT_TRUE(memo->FrameVisible());
    EXPECT_EQ(memo->FrameStyle(), fsStatus);
    EXPECT_EQ(memo->FrameHotStyle(), fsButtonDown); // FrameFocusStyle came after FrameFlat
    EXPECT_EQ(memo->Color(), clYellow);             // read-only, after loading
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Get(0), "Журнал");
}

} // namespace
