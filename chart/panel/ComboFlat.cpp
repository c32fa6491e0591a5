#include "chart/panel/ComboFlat.h"

#include "chart/draw/DrawLibrary.h"
#include "platform/forms/Messages.h"

TComboFlat::TComboFlat(TComponent* owner) : TComboBox(owner) {
    SetHeight(21);
    SetItemHeight(13);
    SetStyle(csDropDownList);
    // On a Japanese desktop the box writes in the chart library's font.
    if (UserLanguageIsJapanese()) {
        Font()->SetName(DefaultChartFontName());
        Font()->SetSize(DefaultChartFontSize());
    }
}

void TComboFlat::DeclareProperties(TPropertyList& p) {
    p.Add("DropDownWidth", &TComboFlat::StoredDropDownWidth, &TComboFlat::SetStoredDropDownWidth)
        .Stored(&TComboFlat::DropDownWidthStored);
}

std::string TComboFlat::CurrentText() const {
    return ItemIndex() < 0 ? std::string() : Items()->Get(ItemIndex());
}

TObject* TComboFlat::CurrentObject() const {
    return ItemIndex() < 0 ? nullptr : Items()->Objects(ItemIndex());
}

void TComboFlat::SetMouseInside(bool inside) {
    if (inside == mouseInside_)
        return;
    mouseInside_ = inside;
    Invalidate();
}

void TComboFlat::WndProc(TMessage& message) {
    TComboBox::WndProc(message);
    switch (message.Msg) {
    case CM_MOUSEENTER:
        SetMouseInside(true);
        break;
    case CM_MOUSELEAVE:
    case CM_ENTER:
    case CM_EXIT:
        SetMouseInside(false);
        Invalidate(); // the focus changed the look too
        break;
    default:
        break;
    }
}

bool TComboFlat::PaintsOver() const {
    return !mouseInside_ && !Focused();
}

void TComboFlat::PaintOver(TCanvas& canvas, const TRect& client) {
    // A flat frame two pixels deep over the box's own border.
    canvas.Pen()->SetColor(clBtnFace);
    canvas.Pen()->SetStyle(psSolid);
    canvas.Pen()->SetWidth(1);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Rectangle(client);
    TRect inner = client;
    InflateRect(inner, -1, -1);
    canvas.Rectangle(inner);
    // The button area in the window colour, set off by one line.
    const int left = client.Right - ButtonWidth - 2;
    canvas.Pen()->SetColor(clWindow);
    canvas.Rectangle(left, client.Top + 1, client.Right - 1, client.Bottom - 1);
    canvas.MoveTo(client.Right - 2, client.Top);
    canvas.LineTo(client.Right - 2, client.Bottom);
}
