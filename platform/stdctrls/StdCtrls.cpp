#include "platform/stdctrls/StdCtrls.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Forms.h"
#include "platform/forms/WidgetBridge.h"
#include "platform/rtl/CodePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
std::string S(const QString& s) {
    return s.toStdString();
}

std::string ApplyCase(const std::string& s, TEditCharCase c) {
    if (c == ecUpperCase)
        return AnsiUpperCase(s);
    if (c == ecLowerCase)
        return AnsiLowerCase(s);
    return s;
}

// Lines joined for a text widget: no break after the last line.
QString JoinLines(const TStrings& lines) {
    QStringList out;
    for (int i = 0; i < lines.Count(); ++i)
        out << Q(lines.Get(i));
    return out.join('\n');
}

} // namespace

// ---- TCustomLabel -------------------------------------------------------------------------------

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
    SetBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

void TCustomLabel::DeclareProperties(TPropertyList& p) {
    p.Add("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment)
        .Default(taLeftJustify);
    p.Add("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize).Default(true);
    p.Add("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout).Default(tlTop);
    p.Add("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar)
        .Default(true);
    p.Add("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent).Default(false);
    p.Add("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap).Default(false);
}

void TCustomLabel::Changed() {
    AdjustSize();
    Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment v) {
    if (v != alignment_) {
        alignment_ = v;
        Invalidate();
    }
}

void TCustomLabel::SetLayout(TTextLayout v) {
    if (v != layout_) {
        layout_ = v;
        Invalidate();
    }
}

void TCustomLabel::SetWordWrap(bool v) {
    if (v != wordWrap_) {
        wordWrap_ = v;
        Changed();
    }
}

void TCustomLabel::SetTransparent(bool v) {
    if (v != transparent_) {
        transparent_ = v;
        Invalidate();
    }
}

void TCustomLabel::SetShowAccelChar(bool v) {
    if (v != showAccelChar_) {
        showAccelChar_ = v;
        Changed();
    }
}

unsigned TCustomLabel::DrawFlags() const {
    unsigned flags = DT_EXPANDTABS;
    if (alignment_ == taRightJustify)
        flags |= DT_RIGHT;
    else if (alignment_ == taCenter)
        flags |= DT_CENTER;
    if (wordWrap_)
        flags |= DT_WORDBREAK;
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    return flags;
}

bool TCustomLabel::CanAutoSize(int& newWidth, int& newHeight) {
    QFontMetrics fm(Font()->QtFont());
    std::string text = Caption();
    if (showAccelChar_) {
        std::string plain;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '&' && i + 1 < text.size())
                ++i;
            plain += text[i];
        }
        text = plain;
    }
    if (text.empty())
        text.push_back(' ');
    if (wordWrap_) {
        QRect r =
            fm.boundingRect(QRect(0, 0, std::max(Width(), 1), 100000), Qt::TextWordWrap, Q(text));
        newHeight = r.height();
    } else {
        QRect r = fm.boundingRect(QRect(0, 0, 100000, 100000), 0, Q(text));
        newWidth = r.width();
        newHeight = r.height();
    }
    return true;
}

void TCustomLabel::WndProc(TMessage& message) {
    TGraphicControl::WndProc(message);
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED)
        Changed();
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustSize();
}

void TCustomLabel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (!transparent_) {
        c->Brush()->SetColor(Color());
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(r);
    }
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    const unsigned flags = DrawFlags();
    if (layout_ != tlTop) {
        TRect calc = r;
        c->TextRect(calc, Caption(), flags | DT_CALCRECT);
        const int h = calc.Height();
        OffsetRect(r, 0, layout_ == tlCenter ? (r.Height() - h) / 2 : r.Height() - h);
    }
    if (!Enabled()) {
        TRect shadow = r;
        OffsetRect(shadow, 1, 1);
        c->Font()->SetColor(clBtnHighlight);
        c->TextRect(shadow, Caption(), flags);
        c->Font()->SetColor(clBtnShadow);
    }
    c->TextRect(r, Caption(), flags);
}

// ---- TCustomEdit --------------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
    SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
}

void TCustomEdit::DeclareProperties(TPropertyList& p) {
    p.Add("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase).Default(ecNormal);
    p.Add("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).Default(0);
    p.Add("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).Default(false);
    p.AddFn<TCustomEdit>(
        "Text", [](TCustomEdit* e) { return e->GetText(); },
        [](TCustomEdit* e, std::string v) { e->SetText(v); });
    p.Add("OnChange", &TCustomEdit::OnChange);
}

void TCustomEdit::SetMaxLength(int v) {
    maxLength_ = std::max(v, 0);
    UpdateWidgetState();
}

void TCustomEdit::SetReadOnly(bool v) {
    readOnly_ = v;
    UpdateWidgetState();
}

void TCustomEdit::SetCharCase(TEditCharCase v) {
    charCase_ = v;
    if (v != ecNormal)
        SetText(ApplyCase(GetText(), v));
}

int TCustomEdit::SelStart() const {
    return selStart_;
}
void TCustomEdit::SetSelStart(int v) {
    selStart_ = std::max(v, 0);
}
int TCustomEdit::SelLength() const {
    return selLength_;
}
void TCustomEdit::SetSelLength(int v) {
    selLength_ = std::max(v, 0);
}

void TCustomEdit::SelectAll() {
    SetSelStart(0);
    SetSelLength(static_cast<int>(Utf8ToUtf16(GetText()).size()));
}

void TCustomEdit::Change() {
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::DoSetText(const std::string& value) {
    TWinControl::DoSetText(ApplyCase(value, charCase_));
    modified_ = false;
    ShowText();
    Change();
}

void TCustomEdit::UserChangedText(const std::string& text) {
    TWinControl::DoSetText(text);
    modified_ = true;
    Change();
}

void TCustomEdit::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
}

// ---- TEdit --------------------------------------------------------------------------------------

QWidget* TEdit::CreateWidget() {
    auto* w = new TWidgetBridge<QLineEdit>(this);
    QObject::connect(w, &QLineEdit::textEdited, guard_.get(), [this](const QString& text) {
        SafeCall(this, [&] {
            std::string t = ApplyCase(S(text), charCase_);
            if (t != S(text))
                ShowText();
            UserChangedText(t);
        });
    });
    return w;
}

QLineEdit* TEdit::LineEdit() {
    return static_cast<QLineEdit*>(Handle());
}

void TEdit::ShowText() {
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QLineEdit*>(Handle());
    const QString text = Q(GetText());
    if (w->text() != text) {
        QSignalBlocker block(w);
        w->setText(text);
    }
}

void TEdit::UpdateWidgetState() {
    TCustomEdit::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QLineEdit*>(Handle());
    w->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
    w->setReadOnly(readOnly_);
    ShowText();
}

int TEdit::SelStart() const {
    return HandleAllocated() ? const_cast<TEdit*>(this)->LineEdit()->cursorPosition() : selStart_;
}

void TEdit::SetSelStart(int v) {
    TCustomEdit::SetSelStart(v);
    if (HandleAllocated())
        LineEdit()->setCursorPosition(v);
}

int TEdit::SelLength() const {
    return HandleAllocated()
               ? static_cast<int>(const_cast<TEdit*>(this)->LineEdit()->selectedText().size())
               : selLength_;
}

void TEdit::SetSelLength(int v) {
    TCustomEdit::SetSelLength(v);
    if (HandleAllocated())
        LineEdit()->setSelection(SelStart(), v);
}

// ---- TCustomMaskEdit ----------------------------------------------------------------------------

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

void TCustomMaskEdit::DeclareProperties(TPropertyList& p) {
    // The mask comes before the text, so that a description's text is fitted into it.
    p.Add("EditMask", &TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask);
    p.AddFn<TCustomMaskEdit>(
        "Text", [](TCustomMaskEdit* e) { return e->GetText(); },
        [](TCustomMaskEdit* e, std::string v) { e->SetText(v); });
}

void TCustomMaskEdit::SetEditMask(const std::string& v) {
    mask_.SetMask(v);
    TWinControl::DoSetText(mask_.Text());
    ShowText();
}

void TCustomMaskEdit::SetEditText(const std::string& v) {
    const std::string before = mask_.Text();
    mask_.SetEditText(v);
    TWinControl::DoSetText(mask_.Text());
    ShowText();
    if (mask_.Text() != before)
        Change();
}

std::string TCustomMaskEdit::GetText() const {
    return mask_.Text();
}

void TCustomMaskEdit::DoSetText(const std::string& value) {
    mask_.SetText(ApplyCase(value, charCase_));
    TWinControl::DoSetText(mask_.Text());
    modified_ = false;
    ShowText();
    Change();
}

QWidget* TCustomMaskEdit::CreateWidget() {
    auto* w = new TWidgetBridge<QLineEdit>(this);
    QObject::connect(w, &QLineEdit::textEdited, guard_.get(), [this, w](const QString& text) {
        // Only reached without a mask: masked keys are handled before the widget sees them.
        SafeCall(this, [&] {
            if (mask_.IsMasked()) {
                ShowText();
                return;
            }
            (void)w;
            mask_.SetText(S(text));
            UserChangedText(S(text));
        });
    });
    return w;
}

QLineEdit* TCustomMaskEdit::LineEdit() {
    return static_cast<QLineEdit*>(Handle());
}

void TCustomMaskEdit::ShowText() {
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QLineEdit*>(Handle());
    const QString text = Q(mask_.EditText());
    if (w->text() != text) {
        const int pos = w->cursorPosition();
        QSignalBlocker block(w);
        w->setText(text);
        w->setCursorPosition(std::min(pos, static_cast<int>(text.size())));
    }
}

void TCustomMaskEdit::UpdateWidgetState() {
    TCustomEdit::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QLineEdit*>(Handle());
    w->setMaxLength(mask_.IsMasked() ? mask_.Length() : (maxLength_ > 0 ? maxLength_ : 32767));
    w->setReadOnly(readOnly_);
    ShowText();
}

int TCustomMaskEdit::SelStart() const {
    return HandleAllocated() ? const_cast<TCustomMaskEdit*>(this)->LineEdit()->cursorPosition()
                             : selStart_;
}

void TCustomMaskEdit::SetSelStart(int v) {
    TCustomEdit::SetSelStart(v);
    if (HandleAllocated())
        LineEdit()->setCursorPosition(v);
}

void TCustomMaskEdit::MaskChanged(int cursor) {
    TWinControl::DoSetText(mask_.Text());
    modified_ = true;
    ShowText();
    SetSelStart(cursor);
    Change();
}

void TCustomMaskEdit::KeyDown(TKeyCode& key, TShiftState shift) {
    TCustomEdit::KeyDown(key, shift);
    if (key == 0 || !mask_.IsMasked() || readOnly_)
        return;
    if (key == VK_DELETE) {
        const int start = SelStart();
        int count = HandleAllocated() ? static_cast<int>(LineEdit()->selectedText().size()) : 0;
        if (HandleAllocated() && LineEdit()->hasSelectedText())
            SetSelStart(LineEdit()->selectionStart());
        mask_.Clear(HandleAllocated() && LineEdit()->hasSelectedText()
                        ? LineEdit()->selectionStart()
                        : start,
                    std::max(count, 1));
        MaskChanged(start);
        key = 0;
    }
}

void TCustomMaskEdit::KeyPress(char16_t& key) {
    TCustomEdit::KeyPress(key); // OnKeyPress may filter or change the key
    if (key == 0 || !mask_.IsMasked())
        return;
    if (key == 0x0D || key == 0x1B)
        return;
    if (readOnly_) {
        key = 0;
        return;
    }
    int cursor = SelStart();
    if (key == 0x08) {
        if (mask_.Backspace(cursor))
            MaskChanged(cursor);
    } else if (key >= 0x20) {
        char32_t c = key;
        if (mask_.TypeChar(cursor, c))
            MaskChanged(cursor);
    }
    key = 0;
}

// ---- TCustomMemo --------------------------------------------------------------------------------

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
    if (v)
        lines_->Assign(*v);
    else
        lines_->Clear();
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
            lines_->SetText(S(w->toPlainText()));
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

// ---- buttons ------------------------------------------------------------------------------------

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 75, 25);
}

void TButton::DeclareProperties(TPropertyList& p) {
    p.Add("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
    p.Add("Default", &TButton::Default, &TButton::SetDefault).Default(false);
    p.Add("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(0);
}

void TButton::SetDefault(bool v) {
    default_ = v;
    UpdateWidgetState();
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm())
        form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

void TButton::WndProc(TMessage& message) {
    if (message.Msg == CM_DIALOGKEY && Enabled() && Visible()) {
        const auto key = static_cast<TKeyCode>(message.WParam);
        if ((key == VK_RETURN && default_) || (key == VK_ESCAPE && cancel_)) {
            Click();
            message.Result = 1;
            return;
        }
    }
    TButtonControl::WndProc(message);
}

QWidget* TButton::CreateWidget() {
    auto* w = new TWidgetBridge<QPushButton>(this);
    w->setAutoDefault(false);
    QObject::connect(w, &QPushButton::clicked, guard_.get(),
                     [this] { SafeCall(this, [&] { Click(); }); });
    return w;
}

void TButton::UpdateWidgetState() {
    TButtonControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QPushButton*>(Handle());
    w->setText(Q(Caption()));
    w->setDefault(default_);
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::DeclareProperties(TPropertyList& p) {
    p.Add("Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment)
        .Default(taRightJustify);
    p.Add("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed)
        .Default(false);
    p.Add("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked).Stored(false);
    p.Add("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState).Default(cbUnchecked);
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
    if (v == state_)
        return;
    state_ = v;
    UpdateWidgetState();
    if (!InLoading())
        Click();
}

void TCustomCheckBox::SetAlignment(TAlignment v) {
    alignment_ = v;
    UpdateWidgetState();
}

void TCustomCheckBox::Toggle() {
    switch (state_) {
    case cbUnchecked:
        SetState(allowGrayed_ ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

QWidget* TCustomCheckBox::CreateWidget() {
    auto* w = new TWidgetBridge<QCheckBox>(this);
    QObject::connect(w, &QCheckBox::clicked, guard_.get(), [this] {
        SafeCall(this, [&] {
            Toggle();
            UpdateWidgetState(); // the widget shows our state, not its own idea of the next one
        });
    });
    return w;
}

void TCustomCheckBox::UpdateWidgetState() {
    TButtonControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QCheckBox*>(Handle());
    QSignalBlocker block(w);
    w->setText(Q(Caption()));
    w->setTristate(allowGrayed_ || state_ == cbGrayed);
    w->setCheckState(state_ == cbChecked  ? Qt::Checked
                     : state_ == cbGrayed ? Qt::PartiallyChecked
                                          : Qt::Unchecked);
    w->setLayoutDirection(alignment_ == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::DeclareProperties(TPropertyList& p) {
    p.Add("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment)
        .Default(taRightJustify);
    p.Add("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(false);
}

void TRadioButton::SetChecked(bool v) {
    if (v == checked_)
        return;
    checked_ = v;
    SetTabStop(v);
    UpdateWidgetState();
    if (!v)
        return;
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i));
                other && other != this)
                other->SetChecked(false);
    if (!InLoading())
        Click();
}

void TRadioButton::SetAlignment(TAlignment v) {
    alignment_ = v;
    UpdateWidgetState();
}

QWidget* TRadioButton::CreateWidget() {
    auto* w = new TWidgetBridge<QRadioButton>(this);
    w->setAutoExclusive(false);
    QObject::connect(w, &QRadioButton::clicked, guard_.get(), [this] {
        SafeCall(this, [&] {
            if (checked_)
                Click(); // a click on the checked button still reports
            else
                SetChecked(true);
            UpdateWidgetState();
        });
    });
    return w;
}

void TRadioButton::UpdateWidgetState() {
    TButtonControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QRadioButton*>(Handle());
    QSignalBlocker block(w);
    w->setText(Q(Caption()));
    w->setChecked(checked_);
    w->setLayoutDirection(alignment_ == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

// ---- TCustomComboBox ----------------------------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TStringList>()) {
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetColor(clWindow);
    SetControlStyle(ControlStyle() - TControlStyle{csSetCaption}); // its text is stored as Text
    SetControlStyle(ControlStyle() - TControlStyle{csSetCaption}); // its text is stored as Text
    items_->OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomComboBox::~TCustomComboBox() {
    items_->OnChange = nullptr;
}

void TCustomComboBox::DeclareProperties(TPropertyList& p) {
    p.Add("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount)
        .Default(8);
    p.Add("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength).Default(0);
    p.Add("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted).Default(false);
    p.Add("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle).Default(csDropDown);
    p.Add("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems);
    p.AddFn<TCustomComboBox>(
         "ItemIndex", [](TCustomComboBox* c) { return c->ItemIndex(); },
         [](TCustomComboBox* c, int v) { c->SetItemIndex(v); })
        .Default(-1);
    p.AddFn<TCustomComboBox>(
        "Text", [](TCustomComboBox* c) { return c->GetText(); },
        [](TCustomComboBox* c, std::string v) { c->SetText(v); });
    p.Add("OnChange", &TCustomComboBox::OnChange);
    p.Add("OnSelect", &TCustomComboBox::OnSelect);
    p.Add("OnDropDown", &TCustomComboBox::OnDropDown);
    p.Add("OnCloseUp", &TCustomComboBox::OnCloseUp);
}

void TCustomComboBox::SetItems(TStrings* v) {
    if (v)
        items_->Assign(*v);
    else
        items_->Clear();
}

void TCustomComboBox::ItemsChanged() {
    // The selection keeps its text when items move (a sorted list) and ends when it goes.
    const std::string text = TWinControl::GetText();
    if (itemIndex_ >= items_->Count() || (itemIndex_ >= 0 && items_->Get(itemIndex_) != text)) {
        itemIndex_ = -1;
        for (int i = 0; i < items_->Count(); ++i)
            if (items_->Get(i) == text && !text.empty()) {
                itemIndex_ = i;
                break;
            }
    }
    FillWidget();
}

void TCustomComboBox::SetItemIndex(int v) {
    if (v < -1 || v >= items_->Count())
        v = -1;
    itemIndex_ = v;
    TWinControl::DoSetText(v >= 0 ? items_->Get(v) : std::string());
    FillWidget();
}

std::string TCustomComboBox::GetText() const {
    return TWinControl::GetText();
}

void TCustomComboBox::DoSetText(const std::string& value) {
    // The text selects the item that equals it; a list-only combo takes only an item's text.
    int found = -1;
    for (int i = 0; i < items_->Count(); ++i)
        if (items_->Get(i) == value) {
            found = i;
            break;
        }
    if (style_ == csDropDownList && found < 0 && !value.empty())
        return;
    itemIndex_ = found;
    TWinControl::DoSetText(value);
    FillWidget();
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
    style_ = v;
    UpdateWidgetState();
}

void TCustomComboBox::SetSorted(bool v) {
    items_->SetSorted(v);
}

void TCustomComboBox::SetDropDownCount(int v) {
    dropDownCount_ = std::max(v, 1);
    UpdateWidgetState();
}

void TCustomComboBox::SetMaxLength(int v) {
    maxLength_ = std::max(v, 0);
    UpdateWidgetState();
}

void TCustomComboBox::Clear() {
    items_->Clear();
    SetItemIndex(-1);
}

void TCustomComboBox::Change() {
    if (OnChange)
        OnChange(this);
}

void TCustomComboBox::UserSelected(int index) {
    SetItemIndex(index);
    Click();
    if (OnSelect)
        OnSelect(this);
    Change();
}

QComboBox* TCustomComboBox::ComboBox() {
    return static_cast<QComboBox*>(Handle());
}

namespace {

// The combo widget tells its control when the list drops down and closes up.
class TComboWidget : public TWidgetBridge<QComboBox> {
public:
    TComboWidget(TWinControl* control, std::function<void(bool)> dropped)
        : TWidgetBridge<QComboBox>(control), dropped_(std::move(dropped)) {}
    void showPopup() override {
        if (LinkedControl())
            dropped_(true);
        QComboBox::showPopup();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        if (LinkedControl())
            dropped_(false);
    }

private:
    std::function<void(bool)> dropped_;
};

} // namespace

void TCustomComboBox::DroppedDown(bool down) {
    SafeCall(this, [&] {
        if (down && OnDropDown)
            OnDropDown(this);
        if (!down && OnCloseUp)
            OnCloseUp(this);
    });
}

QWidget* TCustomComboBox::CreateWidget() {
    auto* w = new TComboWidget(this, [this](bool down) { DroppedDown(down); });
    w->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(w, QOverload<int>::of(&QComboBox::activated), guard_.get(),
                     [this](int index) { SafeCall(this, [&] { UserSelected(index); }); });
    return w;
}

void TCustomComboBox::FillWidget() {
    if (!HandleAllocated() || filling_)
        return;
    filling_ = true;
    auto* w = static_cast<QComboBox*>(Handle());
    QSignalBlocker block(w);
    QStringList list;
    for (int i = 0; i < items_->Count(); ++i)
        list << Q(items_->Get(i));
    bool same = w->count() == list.size();
    for (int i = 0; same && i < list.size(); ++i)
        same = w->itemText(i) == list[i];
    if (!same) {
        w->clear();
        w->addItems(list);
    }
    w->setCurrentIndex(itemIndex_);
    if (w->isEditable() && w->lineEdit()->text() != Q(TWinControl::GetText()))
        w->lineEdit()->setText(Q(TWinControl::GetText()));
    filling_ = false;
}

void TCustomComboBox::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QComboBox*>(Handle());
    const bool editable = style_ == csDropDown || style_ == csSimple;
    if (w->isEditable() != editable) {
        QSignalBlocker block(w);
        w->setEditable(editable);
        if (editable) {
            w->lineEdit()->setFrame(false);
            QObject::connect(w->lineEdit(), &QLineEdit::textEdited, guard_.get(),
                             [this](const QString& text) {
                                 SafeCall(this, [&] {
                                     int found = -1;
                                     for (int i = 0; i < items_->Count(); ++i)
                                         if (Q(items_->Get(i)) == text)
                                             found = i;
                                     itemIndex_ = found;
                                     TWinControl::DoSetText(S(text));
                                     Change();
                                 });
                             });
        }
    }
    w->setMaxVisibleItems(dropDownCount_);
    if (editable)
        w->lineEdit()->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
    FillWidget();
}

// ---- TCustomListBox -----------------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TStringList>()) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
    items_->OnChange = [this](TObject*) {
        if (itemIndex_ >= items_->Count())
            itemIndex_ = -1;
        FillWidget();
    };
}

TCustomListBox::~TCustomListBox() {
    items_->OnChange = nullptr;
}

void TCustomListBox::DeclareProperties(TPropertyList& p) {
    p.Add("Items", &TCustomListBox::Items, &TCustomListBox::SetItems);
    p.Add("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).Default(false);
}

void TCustomListBox::SetItems(TStrings* v) {
    if (v)
        items_->Assign(*v);
    else
        items_->Clear();
}

void TCustomListBox::SetItemIndex(int v) {
    if (v < -1 || v >= items_->Count())
        v = -1;
    itemIndex_ = v;
    FillWidget();
}

void TCustomListBox::SetSorted(bool v) {
    items_->SetSorted(v);
}

QListWidget* TCustomListBox::ListWidget() {
    return static_cast<QListWidget*>(Handle());
}

QWidget* TCustomListBox::CreateWidget() {
    auto* w = new TWidgetBridge<QListWidget>(this);
    QObject::connect(w, &QListWidget::currentRowChanged, guard_.get(), [this](int row) {
        if (filling_)
            return;
        SafeCall(this, [&] {
            itemIndex_ = row;
            Click();
        });
    });
    filling_ = false;
    return w;
}

void TCustomListBox::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    FillWidget();
}

void TCustomListBox::FillWidget() {
    if (!HandleAllocated() || filling_)
        return;
    filling_ = true;
    auto* w = static_cast<QListWidget*>(Handle());
    w->clear();
    for (int i = 0; i < items_->Count(); ++i)
        w->addItem(Q(items_->Get(i)));
    w->setCurrentRow(itemIndex_);
    filling_ = false;
}

// ---- TCustomGroupBox ----------------------------------------------------------------------------

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque});
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AlignControls(TControl* changed, TRect& rect) {
    QFontMetrics fm(Font()->QtFont());
    rect.Top += fm.height();
    rect.Left += 2;
    rect.Right = std::max(rect.Left, rect.Right - 2);
    rect.Bottom = std::max(rect.Top, rect.Bottom - 2);
    TCustomControl::AlignControls(changed, rect);
}

void TCustomGroupBox::WndProc(TMessage& message) {
    TCustomControl::WndProc(message);
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED)
        Invalidate();
}

void TCustomGroupBox::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(Rect(0, 0, Width(), Height()));
    c->Font()->Assign(Font());
    const int textHeight = c->TextHeight("0");
    const TRect frame = Rect(0, textHeight / 2, Width(), Height());
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clBtnHighlight);
    c->Rectangle(frame.Left + 1, frame.Top + 1, frame.Right, frame.Bottom);
    c->Pen()->SetColor(clBtnShadow);
    c->Rectangle(frame.Left, frame.Top, frame.Right - 1, frame.Bottom - 1);
    if (!Caption().empty()) {
        TRect tr = Rect(8, 0, 8 + c->TextWidth(Caption()) + 2, textHeight);
        c->Brush()->SetColor(Color());
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(tr);
        c->Brush()->SetStyle(bsClear);
        OffsetRect(tr, 1, 0);
        c->TextRect(tr, Caption(), DT_SINGLELINE);
    }
}

void RegisterStdControls() {
    RegisterClasses<TLabel, TEdit, TMaskEdit, TMemo, TButton, TCheckBox, TRadioButton, TComboBox,
                    TListBox, TGroupBox>();
}

void TCustomEdit::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    }
    TWinControl::WndProc(message);
}

void TCustomComboBox::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    }
    TWinControl::WndProc(message);
}

void TCustomListBox::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    }
    TWinControl::WndProc(message);
}
