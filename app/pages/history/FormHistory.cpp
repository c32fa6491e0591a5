#include "app/pages/history/FormHistory.h"

#include "app/history/HistoryColumnFit.h"
#include "app/history/HistoryPaging.h"
#include "app/history/XlsExport.h"
#include "app/pages/PageCommands.h"
#include "app/pages/history/HistoryConnection.h"
#include "app/worker/CommandCodes.h"
#include "controls/containers/ContainerControls.h"
#include "controls/listview/FrListView.h"
#include "controls/listview/ListViewControls.h"
#include "controls/toolbar/ToolbarRegistration.h"
#include "device/util/InputController.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Dialogs.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Strings.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/Registration.h"

namespace {

constexpr const char* PointerSwitchSection = "FormHistory";
constexpr const char* PointerSwitchKey = "showNSPoint";

} // namespace

const char* const TformHistory::EraseQuestion = "Вы уверены, что хотите стереть историю?";
const char* const TformHistory::EraseWarning = "Её невозможно будет восстановить!";
const char* const TformHistory::EraseConfirmation = "Точно?";
const char* const TformHistory::FormatCaption = "Формат координат XX ° XX ' XX.XX \" X";

TformHistory::TformHistory(TComponent* owner) : TformIncl(owner) {}

void TformHistory::DeclareMethods(TMethodTable& m) {
    m.Add("FrToolButton1Click", &TformHistory::FrToolButton1Click);
    m.Add("FrToolButton2Click", &TformHistory::FrToolButton2Click);
    m.Add("FrToolButton3Click", &TformHistory::FrToolButton3Click);
    m.Add("btNspointClick", &TformHistory::btNspointClick);
    m.Add("etNspointKeyPress", &TformHistory::etNspointKeyPress);
    m.Add("etNspointChange", &TformHistory::etNspointChange);
    m.Add("Button1Click", &TformHistory::Button1Click);
}

template <class T> T* TformHistory::Part(const char* name) const {
    T* part = dynamic_cast<T*>(FindComponent(name));
    if (part == nullptr)
        throw EComponentError(std::string("The history page has no ") + name);
    return part;
}

void TformHistory::Loaded() {
    TformIncl::Loaded();
    // The page base's description is read (and this runs) before the page's own.
    if (FindComponent("lv1") == nullptr)
        return;
    list_ = Part<TCustomListView>("lv1");
    pointerEdit_ = Part<TEdit>("etNspoint");
    readMark_ = Part<TLabel>("lbHistory");
    format_ = Part<TCheckBox>("cbFormat");
    format_->SetCaption(FormatCaption);
    // Every column but the raw record's as wide as its caption and texts; the record's column
    // takes the rest of the list.
    FitHistoryColumns(*list_, 0, list_->Columns()->Count() - 1);
}

void TformHistory::PrepareRead() {
    ClearList();
}

void TformHistory::LoadFromIni(TCustomIniFile& ini) {
    TformIncl::LoadFromIni(ini);
    bool show = false;
    try {
        show = ini.ReadString(PointerSwitchSection, PointerSwitchKey, "0") == "1";
    } catch (const std::exception&) {
        show = false;
    }
    pointerEdit_->SetVisible(show);
    Part<TButton>("btNspoint")->SetVisible(show);
}

void TformHistory::SaveToIni(TCustomIniFile& ini) {
    TformIncl::SaveToIni(ini);
    ini.WriteString(PointerSwitchSection, PointerSwitchKey, pointerEdit_->Visible() ? "1" : "0");
}

TControl* TformHistory::PointerEdit() {
    return pointerEdit_;
}

TControl* TformHistory::ReadMark() {
    return readMark_;
}

THistoryViewState TformHistory::State() {
    THistoryViewState state;
    state.Columns = list_->Columns()->Count();
    state.DegreesFormat = format_->Checked();
    state.PointerText = pointerEdit_->GetText();
    return state;
}

void TformHistory::ClearList() {
    list_->Clear();
}

void TformHistory::Page(uint8_t code) {
    TPageCommands* commands = PageCommandsOf(*this);
    if (commands == nullptr || !commands->Connected())
        return;
    ClearList();
    commands->RunPageCommand(code);
}

void TformHistory::FrToolButton1Click(TObject*) {
    Page(cmdHistoryBack);
}

void TformHistory::FrToolButton2Click(TObject*) {
    Page(cmdHistoryForward);
}

void TformHistory::FrToolButton3Click(TObject*) {
    TPageCommands* commands = PageCommandsOf(*this);
    if (commands == nullptr || !commands->Connected())
        return;
    if (MessageDlg(EraseQuestion, mtConfirmation, {mbYes, mbNo, mbCancel}) != mrYes ||
        MessageDlg(EraseWarning, mtWarning, {mbOK, mbCancel}) != mrOk ||
        MessageDlg(EraseConfirmation, mtConfirmation, {mbYes, mbNo, mbCancel}) != mrYes)
        return;
    commands->RunPageCommand(cmdEraseHistory);
}

void TformHistory::btNspointClick(TObject*) {
    TPageCommands* commands = PageCommandsOf(*this);
    if (commands != nullptr && commands->Connected())
        commands->RunPageCommand(cmdHistoryPointer);
}

void TformHistory::etNspointKeyPress(TObject*, char16_t& key) {
    TInputController::HexKeyPress(key);
}

void TformHistory::etNspointChange(TObject*) {
    int32_t value = 0;
    // A text that is no number is left alone; a pointer beyond the ring empties the edit.
    if (TryStrToInt("$" + pointerEdit_->GetText(), value) && value > THistoryPaging::LastIndex)
        pointerEdit_->SetText("");
}

void TformHistory::Button1Click(TObject*) {
    auto* dialog = Part<TSaveDialog>("SaveDialog1");
    if (!dialog->Execute())
        return;
    try {
        ExportHistoryToXls(HistorySheetOf(*list_), dialog->FileName());
    } catch (const Exception& e) {
        // Nothing was written over: the file is replaced only whole.
        if (Application != nullptr)
            Application->ShowException(e);
    }
}

void RegisterHistoryPage() {
    RegisterStdControls();
    RegisterContainerControls();
    RegisterToolbarControls();
    RegisterListViewControls();
    RegisterClasses<TSaveDialog, TformHistory>();
    RegisterHistoryCommands();
}
