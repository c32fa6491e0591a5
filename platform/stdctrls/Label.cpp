#include "platform/stdctrls/Label.h"

#include "platform/graphics/GraphicsQt_p.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QFontMetrics>

#include <algorithm>

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
    SetBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

void TCustomLabel::DeclareProperties(TPropertyList& p) {
    p.Add("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment)
        .Default(taLeftJustify);
    p.Add("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize).Default(true);
    p.Add("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl);
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
    QFontMetrics fm(TGraphicsQt::Font(*Font()));
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
        QRect r = fm.boundingRect(QRect(0, 0, std::max(Width(), 1), 100000), Qt::TextWordWrap,
                                  QStr(text));
        newHeight = r.height();
    } else {
        QRect r = fm.boundingRect(QRect(0, 0, 100000, 100000), 0, QStr(text));
        newWidth = r.width();
        newHeight = r.height();
    }
    return true;
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
    if (focusControl_ != nullptr)
        focusControl_->RemoveFreeNotification(this);
    focusControl_ = control;
    if (control != nullptr)
        control->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_)
        focusControl_ = nullptr;
}

namespace {

// Whether key (an upper-case letter or a digit) is the accelerator of caption: the character
// after a single "&".
bool IsAccelerator(TKeyCode key, const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        const char c = caption[i + 1];
        return (c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c) == static_cast<int>(key);
    }
    return false;
}

} // namespace

void TCustomLabel::WndProc(TMessage& message) {
    if (message.Msg == CM_DIALOGCHAR) {
        // The accelerator moves the focus to the bound control.
        if (focusControl_ != nullptr && showAccelChar_ && Enabled() &&
            IsAccelerator(static_cast<TKeyCode>(message.WParam), Caption()) &&
            focusControl_->CanFocus()) {
            focusControl_->SetFocus();
            message.Result = 1;
        }
        return;
    }
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
