#pragma once
// TFrSpacer: a gap between tool-bar controls, optionally with a groove across its middle.
// Turning it swaps its width and height (not while it is read from a form description).

#include "controls/common/FrOrientation.h"
#include "platform/forms/Controls.h"

class TFrSpacer : public TGraphicControl {
    Q4_CLASS(TFrSpacer, TGraphicControl)
public:
    explicit TFrSpacer(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    bool Grooved() const { return grooved_; }
    void SetGrooved(bool v);
    TOrientation Orientation() const { return orientation_; }
    void SetOrientation(TOrientation v);

protected:
    void Paint() override;

private:
    bool grooved_ = false;
    TOrientation orientation_ = orHorizontal;
};
