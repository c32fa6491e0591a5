#include "tests/chart/editors/EditorTestSupport.h"

#include "chart/draw/DrawLibrary.h"
#include "chart/editors/EditorRegistration.h"
#include "chart/imaging/Filters.h"
#include "platform/graphics/Snapshot_p.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/support/ProjectFonts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <algorithm>
#include <memory>

namespace edtest {

namespace {

TModalResult& Answer() {
    static TModalResult answer = mrYes;
    return answer;
}

TMessageDlgRequest& LastRequest() {
    static TMessageDlgRequest request;
    return request;
}

TColor& NextColor() {
    static TColor color = clNone;
    return color;
}

std::function<void(TFont&)>& NextFont() {
    static std::function<void(TFont&)> change;
    return change;
}

class EditorEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        UseProjectFontsOnly("chart-editor-fonts");
        static int argc = 1;
        static char program[] = "test_chart_editors";
        static char* argv[] = {program, nullptr};
        app_ = std::make_unique<TApplication>(argc, argv);
        SetMessageBoxHook([](const TMessageBoxRequest& r) {
            Messages().push_back(r.Text);
            return IDOK;
        });
        SetMessageDlgHook([](const TMessageDlgRequest& r) {
            Messages().push_back(r.Text);
            LastRequest() = r;
            return Answer();
        });
        SetColorDialogHook([](TColor& color) {
            if (NextColor() == clNone)
                return false;
            color = NextColor();
            return true;
        });
        SetFontDialogHook([](TFont& font) {
            if (!NextFont())
                return false;
            NextFont()(font);
            return true;
        });
        StartChartLibrary();
        StartChartImaging();
        RegisterChartEditorClasses();
    }
    void TearDown() override {
        StopChartImaging();
        StopChartLibrary();
        app_.reset();
    }

private:
    std::unique_ptr<TApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kEditors =
    ::testing::AddGlobalTestEnvironment(new EditorEnvironment);

void SendMouse(QWidget* w, QEvent::Type type, QPoint at) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

std::vector<std::string>& Messages() {
    static std::vector<std::string> messages;
    return messages;
}

void AnswerMessages(TModalResult answer) {
    Answer() = answer;
}

const TMessageDlgRequest& LastMessageRequest() {
    return LastRequest();
}

void PickColor(TColor color) {
    NextColor() = color;
}

void PickFont(std::function<void(TFont&)> change) {
    NextFont() = std::move(change);
}

TModalResult RunModal(TCustomForm* form, const std::function<void(TCustomForm*)>& act) {
    TModalHook old = SetModalHook([&](TCustomForm* f) {
        if (f != form)
            return;
        act(f);
        if (f->ModalResult() == mrNone)
            ADD_FAILURE() << "the test left " << f->ClassName() << " open";
        if (f->ModalResult() == mrNone)
            f->SetModalResult(mrAbort);
    });
    const TModalResult result = form->ShowModal();
    SetModalHook(old);
    return result;
}

void ClickAt(TWinControl* control, int x, int y) {
    QWidget* w = control->Handle();
    SendMouse(w, QEvent::MouseButtonPress, {x, y});
    SendMouse(w, QEvent::MouseButtonRelease, {x, y});
    QApplication::processEvents();
}

void ClickControl(TWinControl* control) {
    // Near the left end: a check box takes clicks only on its box and caption.
    ClickAt(control, std::min(control->Width() / 2, 10), control->Height() / 2);
}

void PressKey(TWinControl* control, int qtKey, const std::string& text) {
    QWidget* w = control->Handle();
    const QString typed = QString::fromStdString(text);
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, typed);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier, typed);
    QApplication::sendEvent(w, &release);
    QApplication::processEvents();
}

void TypeInto(TWinControl* control, const std::string& text) {
    QWidget* w = control->Handle();
    QKeyEvent all(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QApplication::sendEvent(w, &all);
    for (char ch : text) {
        const int key = ch >= '0' && ch <= '9' ? Qt::Key_0 + (ch - '0')
                        : ch == '-'            ? Qt::Key_Minus
                        : ch == ' '            ? Qt::Key_Space
                        : ch == ':'            ? Qt::Key_Colon
                        : ch == '.'            ? Qt::Key_Period
                                               : Qt::Key_A;
        const QString typed = QString(QChar(ch));
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, typed);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, typed);
        QApplication::sendEvent(w, &release);
    }
    QApplication::processEvents();
}

void ChooseItem(TWinControl* combo, int index) {
    const int current = static_cast<TCustomComboBox*>(combo)->ItemIndex();
    for (int i = current; i < index; ++i)
        PressKey(combo, Qt::Key_Down);
    for (int i = current; i > index; --i)
        PressKey(combo, Qt::Key_Up);
}

void ClickListItem(TWinControl* list, int index) {
    auto* box = static_cast<TCustomListBox*>(list);
    QListWidget* w = WidgetOf(box);
    const QRect r = w->visualItemRect(w->item(index));
    SendMouse(w->viewport(), QEvent::MouseButtonPress, r.center());
    SendMouse(w->viewport(), QEvent::MouseButtonRelease, r.center());
    QApplication::processEvents();
}

void ClickTab(TPageControl* pages, int index) {
    // Tabs beyond the row's end are scrolled into view with its arrows first, as a user would.
    for (int clicks = 0; clicks < pages->PageCount(); ++clicks) {
        const TRect tab = pages->TabRect(index);
        const TRect left = pages->ScrollArrowRect(-1);
        if (left.Width() <= 0 || (tab.Width() > 0 && tab.Right <= left.Left - 2))
            break;
        const TRect arrow = pages->ScrollArrowRect(tab.Width() > 0 ? 1 : -1);
        ClickAt(pages, (arrow.Left + arrow.Right) / 2, (arrow.Top + arrow.Bottom) / 2);
    }
    const TRect r = pages->TabRect(index);
    ClickAt(pages, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

std::string Shoot(TCustomForm* form, const std::string& name) {
    QDir().mkpath(QStringLiteral(Q4_BINARY_DIR "/chart-editors"));
    QApplication::processEvents();
    const QImage shot = form->Handle()->grab().toImage();
    return SaveSnapshot(shot, std::string(Q4_BINARY_DIR "/chart-editors/") + name + ".png");
}

} // namespace edtest
