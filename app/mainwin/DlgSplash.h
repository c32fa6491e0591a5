#pragma once
// The connection-progress window ("Подключение"): the current step of the connect sequence in its
// bold panel, and "Отмена". It has no code of its own: the worker thread writes the steps through
// the output queue and closes it with OK by a queued click on its hidden button.

#include "platform/forms/Forms.h"

class TControl;

class TdlgSplash : public TForm {
    Q4_CLASS(TdlgSplash, TForm)
public:
    explicit TdlgSplash(TComponent* owner) : TForm(owner) {}

    TControl* StepPanel() const;  // Panel2
    TControl* DoneButton() const; // Button1
    TControl* CancelButton() const;
};
