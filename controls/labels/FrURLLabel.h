#pragma once
// TFrURLLabel: a label that opens its address (or, without one, its caption) with the desktop's
// program when clicked, in an underlined link colour that turns to the visited colour once opened.
// A failure to open is told to the user in a message box; nothing else happens.

#include "controls/labels/FrLabel.h"

class TFrURLLabel : public TFrLabel {
    Q4_CLASS(TFrURLLabel, TFrLabel)
public:
    explicit TFrURLLabel(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    const std::string& URL() const { return url_; }
    void SetURL(const std::string& v) { url_ = v; }
    bool Visited() const { return visited_; }
    void SetVisited(bool v);
    TColor VisitedColor() const { return visitedColor_; }
    void SetVisitedColor(TColor v);
    TColor UnvisitedColor() const { return unvisitedColor_; }
    void SetUnvisitedColor(TColor v);

    // The click event, then the address is opened.
    void Click() override;

private:
    void ApplyVisitedColor();

    std::string url_;
    bool visited_ = false;
    TColor visitedColor_ = 0x800080;
    TColor unvisitedColor_ = clHighlight;
};
