#include "platform/stdctrls/Memo.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/stdctrls/StringsProperty.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace {

// The memo's lines. Each change notes what it was, so that a single line added, replaced or
// deleted (a log gaining a line) reaches the widget as that one edit instead of the whole text.
class TMemoLines final : public TStringList {
public:
    enum class TKind { Insert, Put, Delete, Other };
    struct TEdit {
        TKind kind = TKind::Other;
        int index = 0;
    };

    void Insert(int index, const std::string& s) override {
        Note(TKind::Insert, index, s);
        TStringList::Insert(index, s);
    }
    int AddObject(const std::string& s, TObject* object) override {
        Note(Sorted() ? TKind::Other : TKind::Insert, Count(), s);
        return TStringList::AddObject(s, object);
    }
    void Put(int index, const std::string& s) override {
        Note(TKind::Put, index, s);
        TStringList::Put(index, s);
    }
    void Delete(int index) override {
        Note(TKind::Delete, index, {});
        TStringList::Delete(index);
    }
    // The one edit since the last call, or Other when there were none or several.
    TEdit TakeEdit() {
        const TEdit edit = edits_ == 1 ? edit_ : TEdit{};
        edits_ = 0;
        return edit;
    }

private:
    void Note(TKind kind, int index, const std::string& s) {
        // A line with a break in it is more than one line of the widget.
        if (s.find_first_of("\r\n") != std::string::npos)
            kind = TKind::Other;
        edit_ = {kind, index};
        ++edits_;
    }

    TEdit edit_;
    int edits_ = 0;
};

// Lines joined for a text widget: no break after the last line.
QString JoinLines(const TStrings& lines) {
    QStringList out;
    for (int i = 0; i < lines.Count(); ++i)
        out << QStr(lines.Get(i));
    return out.join('\n');
}

} // namespace

TCustomMemo::TCustomMemo(TComponent* owner)
    : TCustomEdit(owner), lines_(std::make_unique<TMemoLines>()) {
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
    if (syncing_) {
        static_cast<TMemoLines*>(lines_.get())->TakeEdit();
        return;
    }
    if (!ShowLineEdit())
        ShowText();
    Change();
}

bool TCustomMemo::ShowLineEdit() {
    using K = TMemoLines::TKind;
    const TMemoLines::TEdit edit = static_cast<TMemoLines*>(lines_.get())->TakeEdit();
    if (!HandleAllocated())
        return true;
    auto* w = static_cast<QPlainTextEdit*>(Handle());
    QTextDocument* doc = w->document();
    const int count = lines_->Count();
    // The widget held the lines as they were before this edit.
    const int before = count + (edit.kind == K::Insert ? -1 : edit.kind == K::Delete ? 1 : 0);
    if (edit.kind == K::Other || before < 1 || count < 1 || doc->blockCount() != before)
        return false;
    QSignalBlocker block(w);
    QTextCursor c(doc);
    const QTextBlock at = doc->findBlockByNumber(std::min(edit.index, before - 1));
    switch (edit.kind) {
    case K::Insert:
        if (edit.index >= before) {
            c.movePosition(QTextCursor::End);
            c.insertBlock();
            c.insertText(QStr(lines_->Get(edit.index)));
        } else {
            c.setPosition(at.position());
            c.insertText(QStr(lines_->Get(edit.index)));
            c.insertBlock();
            c.movePosition(QTextCursor::PreviousCharacter);
        }
        break;
    case K::Put:
        c.setPosition(at.position());
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        c.insertText(QStr(lines_->Get(edit.index)));
        break;
    default: // Delete: the line and one break go
        if (edit.index + 1 < before) {
            c.setPosition(at.position());
            c.setPosition(at.next().position(), QTextCursor::KeepAnchor);
        } else {
            c.setPosition(at.previous().position() + at.previous().length() - 1);
            c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        }
        c.removeSelectedText();
        break;
    }
    // As when text is typed there: the caret follows the edit and the view shows it.
    w->setTextCursor(c);
    return true;
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

bool TCustomMemo::PressingEnter() const {
    return pressedKey_ == Qt::Key_Return || pressedKey_ == Qt::Key_Enter;
}

void TCustomMemo::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        // Enter stays with the memo only while it wants returns; Escape and Tab go on to the
        // form unless asked for.
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (wantTabs_ ? DLGC_WANTTAB : 0) |
                         (wantReturns_ && PressingEnter() ? DLGC_WANTALLKEYS : 0);
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
    ApplyViewColors(w, Color(), Font()->Color());
    w->setLineWrapMode(wordWrap_ && scrollBars_ != ssHorizontal && scrollBars_ != ssBoth
                           ? QPlainTextEdit::WidgetWidth
                           : QPlainTextEdit::NoWrap);
    const bool h = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
    const bool v = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
    w->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    w->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    ShowText();
}

// ---- caret, selection and scrolling -------------------------------------------------------------

int TCustomMemo::SelStart() const {
    if (!HandleAllocated())
        return selStart_;
    return static_cast<QPlainTextEdit*>(const_cast<TCustomMemo*>(this)->Handle())
        ->textCursor()
        .selectionStart();
}

void TCustomMemo::SetSelStart(int v) {
    selStart_ = std::max(v, 0);
    selLength_ = 0;
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QPlainTextEdit*>(Handle());
    QTextCursor c = w->textCursor();
    c.setPosition(std::min(selStart_, w->document()->characterCount() - 1));
    w->setTextCursor(c);
}

int TCustomMemo::SelLength() const {
    if (!HandleAllocated())
        return selLength_;
    const QTextCursor c =
        static_cast<QPlainTextEdit*>(const_cast<TCustomMemo*>(this)->Handle())->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TCustomMemo::SetSelLength(int v) {
    selLength_ = std::max(v, 0);
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QPlainTextEdit*>(Handle());
    QTextCursor c = w->textCursor();
    const int last = w->document()->characterCount() - 1;
    const int start = std::min(c.selectionStart(), last);
    c.setPosition(start);
    c.setPosition(std::min(start + selLength_, last), QTextCursor::KeepAnchor);
    w->setTextCursor(c);
}

TPoint TCustomMemo::CaretPos() const {
    if (!HandleAllocated())
        return {0, 0};
    const QTextCursor c =
        static_cast<QPlainTextEdit*>(const_cast<TCustomMemo*>(this)->Handle())->textCursor();
    return {c.positionInBlock(), c.blockNumber()};
}

void TCustomMemo::SetCaretPos(TPoint p) {
    auto* w = static_cast<QPlainTextEdit*>(Handle());
    const QTextBlock block =
        w->document()->findBlockByNumber(std::clamp(p.Y, 0, w->document()->blockCount() - 1));
    QTextCursor c = w->textCursor();
    c.setPosition(block.position() + std::clamp(p.X, 0, block.length() - 1));
    w->setTextCursor(c);
}

int TCustomMemo::LineFromChar(int index) const {
    const QTextDocument* doc =
        static_cast<QPlainTextEdit*>(const_cast<TCustomMemo*>(this)->Handle())->document();
    const QTextBlock block = doc->findBlock(std::clamp(index, 0, doc->characterCount() - 1));
    return block.isValid() ? block.blockNumber() : doc->blockCount() - 1;
}

int TCustomMemo::LineIndex(int line) const {
    const QTextBlock block = static_cast<QPlainTextEdit*>(const_cast<TCustomMemo*>(this)->Handle())
                                 ->document()
                                 ->findBlockByNumber(line);
    return line >= 0 && block.isValid() ? block.position() : -1;
}

int TCustomMemo::LineLength(int line) const {
    const QTextBlock block = static_cast<QPlainTextEdit*>(const_cast<TCustomMemo*>(this)->Handle())
                                 ->document()
                                 ->findBlockByNumber(line);
    return line >= 0 && block.isValid() ? block.length() - 1 : 0;
}

// The vertical scroll bar of the widget counts the lines of the view (wrapped lines too).
int TCustomMemo::TopLine() const {
    auto* w = static_cast<QPlainTextEdit*>(const_cast<TCustomMemo*>(this)->Handle());
    const int shown = w->verticalScrollBar()->value();
    int visual = 0;
    for (QTextBlock b = w->document()->firstBlock(); b.isValid(); b = b.next()) {
        visual += std::max(1, b.lineCount());
        if (visual > shown)
            return b.blockNumber();
    }
    return std::max(0, w->document()->blockCount() - 1);
}

void TCustomMemo::SetTopLine(int line) {
    auto* w = static_cast<QPlainTextEdit*>(Handle());
    int visual = 0;
    for (QTextBlock b = w->document()->firstBlock(); b.isValid() && b.blockNumber() < line;
         b = b.next())
        visual += std::max(1, b.lineCount());
    w->verticalScrollBar()->setValue(visual);
}

int TCustomMemo::ScrollLines(int count) {
    QScrollBar* bar = static_cast<QPlainTextEdit*>(Handle())->verticalScrollBar();
    const int before = bar->value();
    bar->setValue(before + count);
    return bar->value() - before;
}

int TCustomMemo::ScrollPages(int count) {
    QScrollBar* bar = static_cast<QPlainTextEdit*>(Handle())->verticalScrollBar();
    return ScrollLines(count * std::max(1, bar->pageStep()));
}
