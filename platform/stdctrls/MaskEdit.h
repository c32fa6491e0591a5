#pragma once
// The masked edit: an edit whose text follows an edit mask.

#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/EditMask.h"

#include <string>

// An edit whose text follows an edit mask (EditMask.h). Text is the masked text; EditText what
// is shown. Keys are fitted into the mask; a key that fits nowhere is refused.
class TCustomMaskEdit : public TCustomEdit {
    Q4_CLASS(TCustomMaskEdit, TCustomEdit)
public:
    explicit TCustomMaskEdit(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    const std::string& EditMask() const { return mask_.Mask(); }
    void SetEditMask(const std::string& v);
    std::string EditText() const { return mask_.EditText(); }
    void SetEditText(const std::string& v);
    std::string GetText() const override;
    bool IsMasked() const { return mask_.IsMasked(); }
    // Raises EEditMaskError when a required position is empty.
    void ValidateEdit() { mask_.Validate(); }

protected:
    void DoSetText(const std::string& value) override;
    void LineEdited(const std::string& text) override;
    void ShowText() override;
    int WidgetMaxLength() const override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;

private:
    void MaskChanged(int cursor);
    TEditMask mask_;
};

class TMaskEdit : public TCustomMaskEdit {
    Q4_CLASS(TMaskEdit, TCustomMaskEdit)
public:
    explicit TMaskEdit(TComponent* owner) : TCustomMaskEdit(owner) {}
};
