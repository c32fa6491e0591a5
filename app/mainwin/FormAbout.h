#pragma once
// The About window ("О программе"): the program's emblem, name and version, where to get help,
// and OK.

#include "platform/forms/Forms.h"

class TFormAbout : public TForm {
    Q4_CLASS(TFormAbout, TForm)
public:
    explicit TFormAbout(TComponent* owner) : TForm(owner) {}
    static void DeclareMethods(TMethodTable& m);

    void FormCreate(TObject* sender);
};
