#pragma once
// The form the localiser fuzz targets put their localiser on.

#include "platform/classes/Component.h"

class TFuzzForm : public TComponent {
    Q4_CLASS(TFuzzForm, TComponent)
    explicit TFuzzForm(TComponent* owner) : TComponent(owner) {}
};
