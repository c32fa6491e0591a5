#pragma once
// The chart editor tests: an offscreen application with the project's fonts and the chart
// library started, message boxes answered and recorded, the colour and font dialogs answered by
// the test, modal dialogs driven from inside their loop, and the user's keys and clicks sent to
// the controls' widgets.

#include "platform/forms/Dialogs.h"
#include "platform/forms/Forms.h"

#include <functional>
#include <string>
#include <vector>

class TPageControl;
class TWinControl;

namespace edtest {

// Texts of the message boxes and dialogs shown since the last ClearMessages.
std::vector<std::string>& Messages();
// The answer the next message dialogs give (mrYes by default).
void AnswerMessages(TModalResult answer);
// The last message dialog's request.
const TMessageDlgRequest& LastMessageRequest();

// The colour the colour dialog picks (clNone: it is cancelled).
void PickColor(TColor color);
// What the font dialog does to its font (none: it is cancelled).
void PickFont(std::function<void(TFont&)> change);

// Shows form modally, runs act inside the loop and returns the result.
TModalResult RunModal(TCustomForm* form, const std::function<void(TCustomForm*)>& act);

// The user's mouse click at the middle of a windowed control (or at (x, y) of it).
void ClickControl(TWinControl* control);
void ClickAt(TWinControl* control, int x, int y);
// A key pressed on a control's widget, with the text it types.
void PressKey(TWinControl* control, int qtKey, const std::string& text = {});
// Replaces a spin edit's or edit's text as typed: select all, then the characters.
void TypeInto(TWinControl* control, const std::string& text);
// Chooses a combo box item as the user does with the arrow keys.
void ChooseItem(TWinControl* combo, int index);
// Clicks item index of a list box.
void ClickListItem(TWinControl* list, int index);
// Clicks the tab of page index of a page control.
void ClickTab(TPageControl* pages, int index);

// A button of class B with caption, 120 x 30 at (10, 10) on a new 200 x 80 form (freed by the
// caller through the form).
template <class B> B* ButtonOnNewForm(TForm*& form, const std::string& caption) {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 200, 80);
    auto* button = new B(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 120, 30);
    button->SetCaption(caption);
    return button;
}

// Writes the shown form to <build>/chart-editors/<name>.png; answers the path.
std::string Shoot(TCustomForm* form, const std::string& name);

} // namespace edtest
