#pragma once
// The metafile export's options form: one check box, "Enhanced", which the format reads and
// writes while the form exists (ticked: an enhanced metafile; else a Windows metafile).

#include "platform/forms/Forms.h"

class TCheckBox;

class TEMFOptions : public TForm {
    Q4_CLASS(TEMFOptions, TForm)
public:
    explicit TEMFOptions(TComponent* owner);
    void AfterConstruction() override;

    TCheckBox* CBEnhanced() const { return enhanced_; }

private:
    TCheckBox* enhanced_ = nullptr;
};
