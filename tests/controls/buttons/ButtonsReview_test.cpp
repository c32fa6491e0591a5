#include "controls/buttons/FrBitBtn.h"
#include "controls/buttons/FrButton.h"
#include "controls/buttons/FrDialogButtons.h"

#include "ButtonsTestSupport.h"
#include "tests/controls/support/WindowPixels.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

using namespace buttontest;

// Every kind of button in its states, as the program's windows use them, written to a PNG (and
// one three times the size) for a look by eye.
class ButtonsReview : public FormFixture {
protected:
    template <class T> T* Place(int left, int top, const std::string& caption, int width = 90) {
        T* b = MakeWithWidget<T>();
        b->SetBounds(left, top, width, 25);
        b->SetCaption(caption);
        return b;
    }
};

TEST_F(ButtonsReview, EveryButtonOnOneForm) {
    form->SetClientWidth(600);
    form->SetClientHeight(260);
    form->SetColor(clBtnFace);
    std::vector<TFrButton*> captioned;
    // Row 1: the classic push button: normal, default, disabled, down in a group, raised text.
    captioned.push_back(Place<TFrButton>(8, 8, "Сохранить"));
    TFrButton* def = Place<TFrButton>(106, 8, "По умолчанию");
    def->SetDefault(true);
    captioned.push_back(def);
    TFrButton* off = Place<TFrButton>(204, 8, "Недоступна");
    off->SetEnabled(false);
    TFrButton* down = Place<TFrButton>(302, 8, "Режим");
    down->SetGroupIndex(1);
    down->SetDown(true);
    TFrButton* raised = Place<TFrButton>(400, 8, "Объём");
    raised->SetTextStyle(tsRaised);
    TFrButton* shadow = Place<TFrButton>(498, 8, "Тень");
    shadow->SetTextStyle(tsShadow);
    shadow->SetFont(form->Font());
    shadow->Font()->SetColor(clNavy);

    // Row 2: the hot-tracking look with the program's colours; one hovered, one focused.
    for (int i = 0; i < 4; ++i) {
        auto* b = Place<TFrBitBtn>(8 + i * 98, 44, i == 0 ? "Очистить" : "Повторить");
        b->SetHotTrack(true);
        b->SetColor(static_cast<TColor>(0xF0F4F4));
        b->SetFrameColor(static_cast<TColor>(0x743C00));
        if (i > 0)
            b->SetKind(bkRetry);
        if (i > 0)
            b->SetCaption("Повторить");
        if (i == 1)
            SendEnter(b);
        if (i == 2)
            b->SetFocus();
        if (i == 3)
            b->SetEnabled(false);
        if (i == 0)
            captioned.push_back(b);
    }

    // Rows 3 and 4: every standard kind with our glyphs, Russian captions on two of them.
    const TBitBtnKind kinds[] = {bkOK,    bkCancel, bkHelp,  bkYes,    bkNo,
                                 bkClose, bkAbort,  bkRetry, bkIgnore, bkAll};
    for (int i = 0; i < 10; ++i) {
        auto* b = Place<TFrBitBtn>(8 + (i % 5) * 98, 80 + (i / 5) * 34, "");
        b->SetKind(kinds[i]);
        if (kinds[i] == bkCancel)
            b->SetCaption("Отмена");
        if (kinds[i] == bkClose)
            b->SetCaption("&Закрыть");
        captioned.push_back(b);
    }
    // Row 5: layouts and a disabled kind.
    const TButtonLayout layouts[] = {blGlyphRight, blGlyphTop, blGlyphBottom};
    for (int i = 0; i < 3; ++i) {
        auto* b = Place<TFrBitBtn>(8 + i * 98, 150, "Справка");
        b->SetKind(bkHelp);
        b->SetCaption("Справка");
        b->SetLayout(layouts[i]);
        b->SetMargin(-1);
        b->SetHeight(i == 0 ? 25 : 44);
    }
    auto* greyed = Place<TFrBitBtn>(302, 150, "");
    greyed->SetKind(bkOK);
    greyed->SetEnabled(false);

    auto* bar = MakeWithWidget<TFrDialogButtons>();
    bar->SetButtonCaption(2, "Отмена");
    bar->SetShowGlyphs(true);
    bar->SetButtonVisible(3, true);
    bar->SetShowDivider(true);

    // No caption runs into a button's edge: the text stays inside the client area less 3.
    for (TFrButton* b : captioned) {
        auto img = Grab(b);
        int left = b->Width(), right = -1;
        for (int y = 0; y < b->Height(); ++y)
            for (int x = 0; x < b->Width(); ++x)
                if (At(*img, x, y) == ColorToRGB(clBtnText) && y > 3 && y < b->Height() - 4) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        EXPECT_GE(left, 3) << b->Caption();
        EXPECT_LT(right, b->Width() - 3) << b->Caption();
    }

    auto img = Grab(form);
    Snapshot(*img);
    const QImage big =
        controlstest::Grab(form).scaled(form->ClientWidth() * 3, form->ClientHeight() * 3);
    controlstest::SnapshotOf(big, "-x3");
}

} // namespace
