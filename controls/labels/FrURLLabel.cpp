#include "controls/labels/FrURLLabel.h"

#include "platform/forms/Forms.h"
#include "platform/rtl/ShellOpen.h"

#include <algorithm>
#include <cctype>

TFrURLLabel::TFrURLLabel(TComponent* owner) : TFrLabel(owner) {
    TFontStyles styles = Font()->Style();
    styles.Include(fsUnderline);
    Font()->SetStyle(styles);
    Font()->SetColor(clHighlight);
    SetCursor(crHandPoint);
}

void TFrURLLabel::DeclareProperties(TPropertyList& p) {
    using C = TFrURLLabel;
    p.Add("URL", &C::URL, &C::SetURL);
    p.Add("Visited", &C::Visited, &C::SetVisited).Default(false);
    p.Add("VisitedColor", &C::VisitedColor, &C::SetVisitedColor, TColorTypeInfo())
        .Default(0x800080);
    p.Add("UnvisitedColor", &C::UnvisitedColor, &C::SetUnvisitedColor, TColorTypeInfo())
        .Default(clHighlight);
}

void TFrURLLabel::SetVisited(bool v) {
    visited_ = v;
    ApplyVisitedColor();
}

void TFrURLLabel::SetVisitedColor(TColor v) {
    visitedColor_ = v;
    ApplyVisitedColor();
}

void TFrURLLabel::SetUnvisitedColor(TColor v) {
    unvisitedColor_ = v;
    ApplyVisitedColor();
}

void TFrURLLabel::ApplyVisitedColor() {
    Font()->SetColor(visited_ ? visitedColor_ : unvisitedColor_);
    Invalidate();
}

void TFrURLLabel::Click() {
    TFrLabel::Click();
    auto blank = [](const std::string& s) {
        return std::all_of(s.begin(), s.end(),
                           [](unsigned char c) { return std::isspace(c) != 0; });
    };
    const std::string target = !blank(url_) ? url_ : Caption();
    if (blank(target))
        return;
    const TShellOpenResult result = ShellOpen(target);
    if (result.Ok()) {
        SetVisited(true);
        return;
    }
    if (Application != nullptr)
        Application->MessageBox(result.Message, Application->Title(), MB_OK | MB_ICONERROR);
}
