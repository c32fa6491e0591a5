#pragma once
// The appliers: each changes one control as an output element says, on the user-interface thread.
// Values travel as text and the control's class decides what the text means (first match in a
// fixed order of classes). Shared text rules: Booleans as BoolText (app/util/BoolText.h);
// numbers are decimal and a text that is no number raises (the drain drops that element);
// colours are colour names or colour texts ("clBlue", "$00FF0000").

#include <string>

class TComponent;
class TControl;
class TCustomListView;
class TCustomMemo;
class TOutArray;
class TStatusPanel;
class TStringGrid;
class TStrings;
class TTimer;
struct TOutElement;

// Kind 2.
void SetControlValue(TControl* control, const std::string& text);
// Kind 3: a timer, tree view or menu item is enabled by the Boolean text; others are left alone.
void SetComponentValue(TComponent* component, const std::string& text);
// Kind 7: a new item without image, its caption and sub-items in order.
void AddListViewItem(TCustomListView* listView, const std::string& caption,
                     const TStrings* subItems);
// Kind 11: background of edits, check boxes, radio buttons and spin edits; font of labels.
void SetControlColor(TControl* control, const std::string& colorText);
void SetStatusPanelText(TStatusPanel* panel, const std::string& text);
void SetGridCell(TStringGrid* grid, int col, int row, const std::string& text);
// Kind 1: the line is added as the memo's last line when `show` is not 0.
void AddMemoLine(TCustomMemo* memo, const std::string& text, int show);

// Runs the applier of the element's kind (kind 9 shows a message box); a kind without an
// applier does nothing.
void ApplyOutElement(const TOutElement& element);
// Takes and applies every waiting element; an applier that raises loses only its element.
void DrainOutArray(TOutArray& queue);
// The drain timer's tick: the timer is off while the queue drains and the windows catch up.
void OutTimerTick(TTimer& timer, TOutArray& queue);
