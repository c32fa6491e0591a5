#pragma once
// The text editor ("Text Editor"): a list of lines edited in a memo, copied to the clipboard,
// loaded from and saved to text files. The list takes the memo's lines only on OK.

#include "platform/forms/Forms.h"

#include <memory>

class TMemo;
class TOpenDialog;
class TSaveDialog;
class TStrings;

class TStringsEditor : public TForm {
    Q4_CLASS(TStringsEditor, TForm)
public:
    explicit TStringsEditor(TComponent* owner);
    ~TStringsEditor() override;
    static void DeclareMethods(TMethodTable& m);
    void AfterConstruction() override;

    TMemo* Memo() const { return memo_; }
    TOpenDialog* OpenDialog() const { return open_.get(); }
    TSaveDialog* SaveDialog() const { return save_.get(); }

    void Button3Click(TObject* sender);
    void Button4Click(TObject* sender);
    void Button5Click(TObject* sender);
    void FormKeyDown(TObject* sender, TKeyCode& key, TShiftState shift);

private:
    TMemo* memo_ = nullptr;
    std::unique_ptr<TOpenDialog> open_;
    std::unique_ptr<TSaveDialog> save_;
};

// Edits strings in the text editor; a read-only editor never changes them. True on OK.
bool RunTextEditor(TComponent* owner, TStrings* strings, bool readOnly = false);
