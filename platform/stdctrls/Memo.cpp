#include "platform/stdctrls/Memo.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/stdctrls/StringsProperty.h"
#include "platform/stdctrls/WidgetSupport.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStringList>

namespace {

// Lines joined for a text widget: no break after the last line.
QString JoinLines(const TStrings& lines) {
    QStringList out;
    for (int i = 0; i < lines.Count(); ++i)
        out << QStr(lines.Get(i));
    return out.join('\n');
}

} // namespace

TCustomMemo::TCustomMemo(TComponent* owner)
    : TCustomEdit(owner), lines_(std::make_unique<TStringList>()) {
    SetBounds(0, 0, 185, 89);
    lines_->OnChange = [this](TObject*) { LinesChanged(); };
}

TCustomMemo::~TCustomMemo() {
    lines_->OnChange = nullptr;
}

void TCustomMemo::DeclareProperties(TPropertyList& p) {
    p.Add("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines);
    p.Add("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars).Default(ssNone);
    p.Add("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap).Default(true);
    p.Add("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns).Default(true);
    p.Add("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs).Default(false);
    p.AddFn<TCustomMemo>(
         "Text", [](TCustomMemo* m) { return m->GetText(); }, nullptr)
        .Stored(false);
}

void TCustomMemo::SetLines(TStrings* v) {
    AssignStrings(*lines_, v);
}

std::string TCustomMemo::GetText() const {
    return lines_->Text();
}

void TCustomMemo::LinesChanged() {
    if (syncing_)
        return;
    ShowText();
    Change();
}

void TCustomMemo::DoSetText(const std::string& value) {
    syncing_ = true;
    lines_->SetText(value);
    syncing_ = false;
    modified_ = false;
    ShowText();
    Change();
}

namespace {
// The memo's widget notes the key being pressed, so that the memo can tell the form which of the
// dialog keys it keeps (the form asks without naming the key).
class TMemoWidget : public TWidgetBridge<QPlainTextEdit> {
public:
    TMemoWidget(TWinControl* control, int& pressedKey)
        : TWidgetBridge<QPlainTextEdit>(control), pressedKey_(pressedKey) {}

protected:
    bool event(QEvent* e) override {
        if (e->type() != QEvent::KeyPress)
            return TWidgetBridge<QPlainTextEdit>::event(e);
        pressedKey_ = static_cast<QKeyEvent*>(e)->key();
        const bool done = TWidgetBridge<QPlainTextEdit>::event(e);
        // A handler of the key may have freed the memo (and with it the noted key).
        if (LinkedControl() != nullptr)
            pressedKey_ = 0;
        return done;
    }

private:
    int& pressedKey_;
};
} // namespace

QWidget* TCustomMemo::CreateWidget() {
    auto* w = new TMemoWidget(this, pressedKey_);
    QObject::connect(w, &QPlainTextEdit::textChanged, guard_.get(), [this, w] {
        SafeCall(this, [&] {
            syncing_ = true;
            lines_->SetText(StdStr(w->toPlainText()));
            syncing_ = false;
            modified_ = true;
            Change();
        });
    });
    return w;
}

QPlainTextEdit* TCustomMemo::TextEdit() {
    return static_cast<QPlainTextEdit*>(Handle());
}

void TCustomMemo::ShowText() {
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QPlainTextEdit*>(Handle());
    const QString text = JoinLines(*lines_);
    if (w->toPlainText() != text) {
        QSignalBlocker block(w);
        w->setPlainText(text);
    }
}

void TCustomMemo::SetScrollBars(TScrollStyle v) {
    scrollBars_ = v;
    UpdateWidgetState();
}

void TCustomMemo::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        // Enter stays with the memo only while it wants returns; Escape and Tab go on to the
        // form unless asked for.
        const bool enter = pressedKey_ == Qt::Key_Return || pressedKey_ == Qt::Key_Enter;
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (wantTabs_ ? DLGC_WANTTAB : 0) |
                         (wantReturns_ && enter ? DLGC_WANTALLKEYS : 0);
        return;
    }
    TCustomEdit::WndProc(message);
}

void TCustomMemo::KeyDown(TKeyCode& key, TShiftState shift) {
    TCustomEdit::KeyDown(key, shift);
    // A key the form left alone (no default button, Tab with Ctrl) still never enters the text.
    if ((key == VK_RETURN && !wantReturns_) || (key == VK_TAB && !wantTabs_))
        key = 0;
}

void TCustomMemo::SetWordWrap(bool v) {
    wordWrap_ = v;
    UpdateWidgetState();
}

void TCustomMemo::UpdateWidgetState() {
    TCustomEdit::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QPlainTextEdit*>(Handle());
    w->setReadOnly(readOnly_);
    w->setLineWrapMode(wordWrap_ && scrollBars_ != ssHorizontal && scrollBars_ != ssBoth
                           ? QPlainTextEdit::WidgetWidth
                           : QPlainTextEdit::NoWrap);
    const bool h = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
    const bool v = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
    w->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    w->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    ShowText();
}
