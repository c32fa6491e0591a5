// What the framed check box and radio button do when clicked, keyed and set by the program.

#include "controls/buttons/FrCheckBox.h"
#include "controls/buttons/FrRadioButton.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMouseEvent>

#include <string>
#include <vector>

namespace {

void KeyDownOnly(QWidget* w, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers);
    QApplication::sendEvent(w, &press);
}

void KeyUpOnly(QWidget* w, int qtKey) {
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

void AltKey(QWidget* w, int qtKey, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::AltModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::AltModifier, text);
    QApplication::sendEvent(w, &release);
}

class GlyphBehaviour : public FormFixture {
protected:
    // A control on the form that records its click events by name.
    template <class T> T* Place(const std::string& name, int top, TWinControl* parent = nullptr) {
        T* c = MakeWithWidget<T>();
        if (parent != nullptr)
            c->SetParent(parent);
        c->SetName(name);
        c->SetBounds(10, top, 115, 17);
        c->OnClick = [this, name](TObject*) { clicks.push_back(name); };
        return c;
    }
    std::vector<std::string> clicks;
};

TEST_F(GlyphBehaviour, MouseClicksCycleTheCheckBox) {
    auto* box = Place<TFrCheckBox>("cb", 10);
    struct Case {
        bool allowGrayed;
        TCheckBoxState from, to;
    } cases[] = {
        {true, cbUnchecked, cbGrayed},  {true, cbGrayed, cbChecked},
        {true, cbChecked, cbUnchecked}, {false, cbUnchecked, cbChecked},
        {false, cbGrayed, cbChecked},   {false, cbChecked, cbUnchecked},
    };
    for (const Case& c : cases) {
        box->SetAllowGrayed(c.allowGrayed);
        box->SetState(c.from);
        clicks.clear();
        ClickAt(box, 5, 5);
        EXPECT_EQ(box->State(), c.to) << c.allowGrayed << " " << c.from;
        EXPECT_EQ(clicks, std::vector<std::string>{"cb"});
    }
    // A press that leaves the control before the release clicks nothing.
    clicks.clear();
    PressAt(box, 5, 5);
    ReleaseAt(box, 300, 5);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(GlyphBehaviour, SpaceTogglesAndEscapeCancelsIt) {
    auto* box = Place<TFrCheckBox>("cb", 10);
    box->SetFocus();
    ASSERT_TRUE(box->Focused());
    KeyDownOnly(box->Handle(), Qt::Key_Space);
    EXPECT_TRUE(box->ShowDownVersion()) << "Space shows the box pressed";
    EXPECT_EQ(box->State(), cbUnchecked) << "nothing happens before the key comes up";
    KeyUpOnly(box->Handle(), Qt::Key_Space);
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_FALSE(box->ShowDownVersion());

    KeyDownOnly(box->Handle(), Qt::Key_Space);
    KeyDownOnly(box->Handle(), Qt::Key_Escape);
    KeyUpOnly(box->Handle(), Qt::Key_Space);
    EXPECT_EQ(box->State(), cbChecked) << "Escape dropped the press";
    EXPECT_EQ(clicks, std::vector<std::string>{"cb"});
}

TEST_F(GlyphBehaviour, ReadOnlyCheckBoxRefusesTheUserButNotTheProgram) {
    auto* box = Place<TFrCheckBox>("cb", 10);
    auto* other = Place<TFrCheckBox>("other", 40);
    box->SetCaption("&Alarm");
    box->SetReadOnly(true);
    ClickAt(box, 5, 5);
    box->SetFocus();
    SendKey(box->Handle(), Qt::Key_Space, " ");
    other->SetFocus();
    AltKey(other->Handle(), Qt::Key_A, "a");
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_TRUE(box->Focused()) << "the accelerator still focuses it";
    EXPECT_TRUE(clicks.empty());

    box->SetChecked(true);
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(clicks, std::vector<std::string>{"cb"});

    // Not read-only, the accelerator focuses and toggles.
    box->SetReadOnly(false);
    other->SetFocus();
    AltKey(other->Handle(), Qt::Key_A, "a");
    EXPECT_TRUE(box->Focused());
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(GlyphBehaviour, CheckedAndStateReadAndSetEachOther) {
    auto* box = Place<TFrCheckBox>("cb", 10);
    struct Case {
        TCheckBoxState state;
        bool checked;
        LRESULT query;
    } cases[] = {{cbUnchecked, false, 0}, {cbChecked, true, 1}, {cbGrayed, false, 2}};
    for (const Case& c : cases) {
        box->SetState(c.state);
        EXPECT_EQ(box->GetChecked(), c.checked) << c.state;
        EXPECT_EQ(box->Perform(BM_GETCHECK), c.query) << c.state;
    }
    // Programmatic changes fire the click event, once per change; the same value fires nothing.
    clicks.clear();
    box->SetChecked(true);
    box->SetChecked(true);
    box->SetState(cbUnchecked);
    EXPECT_EQ(clicks, (std::vector<std::string>{"cb", "cb"}));
}

TEST_F(GlyphBehaviour, ActionLinkSetsCheckedWithoutAClick) {
    auto* box = Place<TFrCheckBox>("cb", 10);
    auto* radio = Place<TFrRadioButton>("rb", 40);
    TFrCheckedActionLink boxLink(box, false), radioLink(radio, false);
    boxLink.SetChecked(true);
    radioLink.SetChecked(true);
    EXPECT_TRUE(box->GetChecked());
    EXPECT_TRUE(radio->GetChecked());
    EXPECT_TRUE(clicks.empty());
    EXPECT_FALSE(box->ClicksDisabled());
    boxLink.SetChecked(false);
    EXPECT_FALSE(box->GetChecked());
    EXPECT_TRUE(clicks.empty());
    // Once the action has pushed, the box's own changes click again.
    box->SetChecked(true);
    EXPECT_EQ(clicks, std::vector<std::string>{"cb"});

    // The action supplies Checked: a description leaves it out while the link lives.
    const TPropInfo* checked = GetPropInfo(box, "Checked");
    ASSERT_NE(checked, nullptr);
    EXPECT_FALSE(checked->IsStored(box));
    {
        TFrCheckBox* unlinked = Place<TFrCheckBox>("unlinked", 70);
        unlinked->SetChecked(true);
        EXPECT_TRUE(checked->IsStored(unlinked));
    }
    // An action change copies the action's value, unless defaults are checked and the box is
    // already checked.
    box->ActionChecked(false, true);
    EXPECT_TRUE(box->GetChecked());
    box->ActionChecked(false, false);
    EXPECT_FALSE(box->GetChecked());
}

TEST_F(GlyphBehaviour, CheckingARadioButtonUnchecksItsSiblings) {
    auto* a = Place<TFrRadioButton>("a", 10);
    auto* b = Place<TFrRadioButton>("b", 30);
    auto* box = Place<TFrCheckBox>("box", 50);
    auto* panel = MakeWithWidget<TWinControl>();
    panel->SetBounds(150, 0, 200, 100);
    auto* elsewhere = Place<TFrRadioButton>("elsewhere", 10, panel);
    box->SetChecked(true);
    elsewhere->SetChecked(true);
    a->SetChecked(true);
    EXPECT_TRUE(a->TabStop());
    EXPECT_FALSE(b->TabStop());
    clicks.clear();

    ClickAt(b, 5, 5);
    EXPECT_TRUE(b->GetChecked());
    EXPECT_FALSE(a->GetChecked());
    EXPECT_FALSE(a->TabStop());
    EXPECT_TRUE(b->TabStop());
    EXPECT_TRUE(box->GetChecked()) << "a check box is no radio sibling";
    EXPECT_TRUE(elsewhere->GetChecked()) << "another parent, another group";
    EXPECT_EQ(clicks, std::vector<std::string>{"b"}) << "one click: the button checked";

    // Clicking the checked one again changes nothing.
    clicks.clear();
    ClickAt(b, 5, 5);
    EXPECT_TRUE(b->GetChecked());
    EXPECT_TRUE(clicks.empty());
}

TEST_F(GlyphBehaviour, RadioButtonDoubleClickRaisesItsEvent) {
    auto* radio = Place<TFrRadioButton>("rb", 10);
    int doubles = 0;
    radio->OnDblClick = [&](TObject*) { ++doubles; };
    ClickAt(radio, 5, 5);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(radio->Handle(), &dbl);
    ReleaseAt(radio, 5, 5);
    EXPECT_EQ(doubles, 1);
    EXPECT_TRUE(radio->GetChecked());
    EXPECT_EQ(clicks, std::vector<std::string>{"rb"});
}

TEST_F(GlyphBehaviour, ReadOnlyIsSharedByTheRadioButtonsOfAParent) {
    auto* a = Place<TFrRadioButton>("a", 10);
    auto* b = Place<TFrRadioButton>("b", 30);
    a->SetReadOnly(true);
    EXPECT_TRUE(b->ReadOnly());
    ClickAt(b, 5, 5);
    EXPECT_FALSE(b->GetChecked());
    b->SetChecked(true); // the program still can
    EXPECT_TRUE(b->GetChecked());
    b->SetReadOnly(false);
    EXPECT_FALSE(a->ReadOnly());
}

TEST_F(GlyphBehaviour, RadioButtonFocusedByKeyboardIsChecked) {
    auto* first = Place<TFrCheckBox>("first", 10);
    auto* radio = Place<TFrRadioButton>("radio", 30);
    radio->SetCaption("&Item");
    first->SetFocus();
    AltKey(first->Handle(), Qt::Key_I, "i");
    EXPECT_TRUE(radio->Focused());
    EXPECT_TRUE(radio->GetChecked());
    EXPECT_EQ(clicks, std::vector<std::string>{"radio"});

    // The down arrow on it fires its click event and goes no further.
    clicks.clear();
    SendKey(radio->Handle(), Qt::Key_Down);
    EXPECT_EQ(clicks, std::vector<std::string>{"radio"});
    EXPECT_TRUE(radio->Focused());

    // The down arrow while another control has the focus is no business of the radio button.
    auto* other = Place<TFrRadioButton>("other", 50);
    clicks.clear();
    first->SetFocus();
    SendKey(first->Handle(), Qt::Key_Down);
    EXPECT_TRUE(clicks.empty());
    EXPECT_FALSE(other->GetChecked());

    // Read-only, focus alone does not check it.
    radio->SetChecked(false);
    radio->SetReadOnly(true);
    first->SetFocus();
    radio->SetFocus();
    EXPECT_FALSE(radio->GetChecked());
}

TEST_F(GlyphBehaviour, TabOnEnterMovesToTheNextControl) {
    auto* box = Place<TFrCheckBox>("box", 10);
    auto* next = Place<TFrCheckBox>("next", 30);
    box->SetFocus();
    SendKey(box->Handle(), Qt::Key_Return);
    EXPECT_TRUE(box->Focused()) << "without TabOnEnter, Enter stays";
    box->SetTabOnEnter(true);
    SendKey(box->Handle(), Qt::Key_Return);
    EXPECT_TRUE(next->Focused());
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(GlyphBehaviour, FrameControllerColoursTheGlyph) {
    auto* box = Place<TFrCheckBox>("box", 10);
    auto* controller = new TFrFrameController(form);
    controller->SetColor(clYellow);
    controller->SetFrameColor(clNavy);
    controller->SetFrameHotColor(clRed);
    box->SetFrameController(controller);
    EXPECT_FALSE(box->HotTrack()) << "nothing until the controller's frame is visible";
    auto n = box->FrameControllerNotifications();
    n.Exclude(fcpFocusColor);
    box->SetFrameControllerNotifications(n);
    controller->SetFrameHotTrack(true); // also makes the frame visible
    EXPECT_TRUE(box->HotTrack());
    EXPECT_EQ(box->FillColor(), clYellow);
    EXPECT_EQ(box->FrameColor(), clNavy);
    EXPECT_EQ(box->FocusColor(), clWindow) << "left out of the notifications";
    EXPECT_EQ(box->HotTrackStyle(), htsFrame);
    EXPECT_EQ(box->HotTrackColor(), clRed);
    controller->Free();
    EXPECT_EQ(box->FrameController(), nullptr);
}

} // namespace
