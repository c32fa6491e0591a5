#include "app/queue/Appliers.h"

#include "app/queue/OutArray.h"
#include "app/util/BoolText.h"
#include "controls/buttons/FrCheckBox.h"
#include "controls/buttons/FrRadioButton.h"
#include "controls/containers/FrStatusPane.h"
#include "controls/toolbar/FrToolButton.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Timer.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Strings.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Grids.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ListItems.h"
#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/Memo.h"
#include "platform/stdctrls/Panel.h"
#include "platform/stdctrls/ProgressBar.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/Shape.h"
#include "platform/stdctrls/SpeedButton.h"
#include "platform/stdctrls/SpinEdit.h"
#include "platform/stdctrls/StatusBar.h"
#include "platform/stdctrls/ToolBar.h"
#include "platform/stdctrls/TrackBar.h"
#include "platform/stdctrls/TreeView.h"

namespace {

const char* const RepaintText = "Repaint12345";

template <class T> T* As(TControl* c) {
    return dynamic_cast<T*>(c);
}

template <class T> bool Is(TControl* c) {
    return As<T>(c) != nullptr;
}

// "CLICK" in any letter case clicks (the handler runs on a disabled control too); any other text
// enables or disables.
void ClickOrEnable(TControl* c, const std::string& text) {
    if (SameText(text, "CLICK"))
        c->Click();
    else
        c->SetEnabled(BoolText(text));
}

void ShowOrEnable(TControl* c, const std::string& text) {
    if (text == "Show")
        c->Show();
    else
        c->SetEnabled(BoolText(text));
}

void ApplyToLabel(TControl* c, const std::string& text) {
    if (text == RepaintText) {
        c->Repaint();
        return;
    }
    if (text == "СОЕДИНЕНИЕ УСТАНОВЛЕНО")
        c->Font()->SetColor(clGreen);
    else if (text == "СОЕДИНЕНИЕ РАЗОРВАНО")
        c->Font()->SetColor(clRed);
    c->SetCaption(text);
}

void ApplyToTrackBar(TControl* c, const std::string& text) {
    int32_t position = 0;
    if (TryStrToInt(text, position))
        As<TTrackBar>(c)->SetPosition(position);
}

void ApplyToProgressBar(TControl* c, const std::string& text) {
    if (text == RepaintText)
        c->Repaint();
    else
        As<TProgressBar>(c)->SetPosition(StrToInt(text));
}

struct TValueApplier {
    bool (*Matches)(TControl*);
    void (*Apply)(TControl*, const std::string&);
};

// First match wins; descendants count as their class.
const TValueApplier ValueAppliers[] = {
    {Is<TShape>,
     [](TControl* c, const std::string& t) { As<TShape>(c)->Brush()->SetColor(StringToColor(t)); }},
    {Is<TCustomLabel>, ApplyToLabel},
    {Is<TSpeedButton>,
     [](TControl* c, const std::string& t) { As<TSpeedButton>(c)->SetDown(t != "false"); }},
    {Is<TTrackBar>, ApplyToTrackBar},
    {Is<TCustomComboBox>,
     [](TControl* c, const std::string& t) { As<TCustomComboBox>(c)->SetItemIndex(StrToInt(t)); }},
    {[](TControl* c) { return Is<TEdit>(c) || Is<TCustomMaskEdit>(c); },
     [](TControl* c, const std::string& t) { c->SetText(t); }},
    {Is<TSpinEdit>,
     [](TControl* c, const std::string& t) { As<TSpinEdit>(c)->SetValue(StrToInt(t)); }},
    {Is<TCustomCheckBox>,
     [](TControl* c, const std::string& t) { As<TCustomCheckBox>(c)->SetChecked(BoolText(t)); }},
    {Is<TRadioButton>,
     [](TControl* c, const std::string& t) { As<TRadioButton>(c)->SetChecked(BoolText(t)); }},
    {Is<TFrCheckBox>,
     [](TControl* c, const std::string& t) { As<TFrCheckBox>(c)->SetChecked(BoolText(t)); }},
    {Is<TFrRadioButton>,
     [](TControl* c, const std::string& t) { As<TFrRadioButton>(c)->SetChecked(BoolText(t)); }},
    {Is<TFrToolButton>, [](TControl* c, const std::string& t) { c->SetEnabled(BoolText(t)); }},
    {Is<TButton>, ClickOrEnable},
    {Is<TFrStatusPane>, [](TControl* c, const std::string& t) { c->SetCaption(t); }},
    {Is<TToolButton>, ClickOrEnable},
    {Is<TCustomPanel>, [](TControl* c, const std::string& t) { c->SetCaption(t); }},
    {Is<TProgressBar>, ApplyToProgressBar},
    {Is<TCustomForm>,
     [](TControl* c, const std::string& t) {
         if (t == "Show")
             As<TCustomForm>(c)->Show();
     }},
    {Is<TCustomMemo>,
     [](TControl* c, const std::string& t) { As<TCustomMemo>(c)->Lines()->Add(t); }},
};

} // namespace

void SetControlValue(TControl* control, const std::string& text) {
    if (control == nullptr)
        return;
    for (const TValueApplier& a : ValueAppliers)
        if (a.Matches(control)) {
            a.Apply(control, text);
            return;
        }
    ShowOrEnable(control, text);
}

void SetComponentValue(TComponent* component, const std::string& text) {
    if (auto* timer = dynamic_cast<TTimer*>(component))
        timer->SetEnabled(BoolText(text));
    else if (auto* tree = dynamic_cast<TCustomTreeView*>(component))
        tree->SetEnabled(BoolText(text));
    else if (auto* item = dynamic_cast<TMenuItem*>(component))
        item->SetEnabled(BoolText(text));
}

void AddListViewItem(TCustomListView* listView, const std::string& caption,
                     const TStrings* subItems) {
    if (listView == nullptr)
        return;
    TListItem* item = listView->Items()->Add();
    item->SetImageIndex(-1);
    item->SetCaption(caption);
    if (subItems != nullptr)
        for (int i = 0; i < subItems->Count(); ++i)
            item->SubItems()->Add(subItems->Get(i));
}

void SetControlColor(TControl* control, const std::string& colorText) {
    if (control == nullptr)
        return;
    if (Is<TEdit>(control) || Is<TCustomCheckBox>(control) || Is<TRadioButton>(control) ||
        Is<TSpinEdit>(control))
        control->SetColor(StringToColor(colorText));
    else if (Is<TCustomLabel>(control))
        control->Font()->SetColor(StringToColor(colorText));
}

void SetStatusPanelText(TStatusPanel* panel, const std::string& text) {
    if (panel != nullptr)
        panel->SetText(text);
}

void SetGridCell(TStringGrid* grid, int col, int row, const std::string& text) {
    if (grid != nullptr)
        grid->SetCells(col, row, text);
}

void AddMemoLine(TCustomMemo* memo, const std::string& text, int show) {
    if (memo != nullptr && show != 0)
        memo->Lines()->Add(text);
}

void ApplyOutElement(const TOutElement& element) {
    switch (element.Kind) {
    case okMemoLine: {
        const auto& e = static_cast<const TMemoOut&>(element);
        AddMemoLine(e.Memo, e.Text, e.Show);
        break;
    }
    case okControlValue: {
        const auto& e = static_cast<const TControlOut&>(element);
        SetControlValue(e.Control, e.Text);
        break;
    }
    case okComponentEnabled: {
        const auto& e = static_cast<const TCompOut&>(element);
        SetComponentValue(e.Component, e.Text);
        break;
    }
    case okListRow: {
        const auto& e = static_cast<const TFullListOut&>(element);
        AddListViewItem(e.ListView, e.Caption, e.SubItems.get());
        break;
    }
    case okMessage:
        ShowMessage(static_cast<const TMsgOut&>(element).Text);
        break;
    case okStatusPanel: {
        const auto& e = static_cast<const TStatusOut&>(element);
        SetStatusPanelText(e.Panel, e.Text);
        break;
    }
    case okControlColor: {
        const auto& e = static_cast<const TControlOut&>(element);
        SetControlColor(e.Control, e.Text);
        break;
    }
    case okGridCell: {
        const auto& e = static_cast<const TOutStringGrid&>(element);
        SetGridCell(e.Grid, e.Col, e.Row, e.Text);
        break;
    }
    case okNone:
        break;
    }
}

void DrainOutArray(TOutArray& queue) {
    TOutElement* element = nullptr;
    while (queue.Take(element) != okNone) {
        try {
            ApplyOutElement(*element);
        } catch (const std::exception&) {
            // The element is lost; the control keeps its state and the next one is applied.
        }
    }
}

void OutTimerTick(TTimer& timer, TOutArray& queue) {
    timer.SetEnabled(false);
    if (queue.PeekKind() != okNone)
        DrainOutArray(queue);
    if (Application != nullptr)
        Application->ProcessMessages();
    timer.SetEnabled(true);
}
