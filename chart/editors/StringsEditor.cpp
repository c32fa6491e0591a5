#include "chart/editors/StringsEditor.h"

#include "chart/editors/EditorMessages.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/util/ChartUtils.h"
#include "platform/forms/Clipbrd.h"
#include "platform/forms/Dialogs.h"
#include "platform/rtl/CodePage.h"
#include "platform/stdctrls/Memo.h"

#include <algorithm>

TStringsEditor::TStringsEditor(TComponent* owner) : TForm(owner) {}

TStringsEditor::~TStringsEditor() = default;

void TStringsEditor::DeclareMethods(TMethodTable& m) {
    m.Add("Button3Click", &TStringsEditor::Button3Click);
    m.Add("Button4Click", &TStringsEditor::Button4Click);
    m.Add("Button5Click", &TStringsEditor::Button5Click);
    m.Add("FormKeyDown", &TStringsEditor::FormKeyDown);
}

void TStringsEditor::AfterConstruction() {
    TForm::AfterConstruction();
    memo_ = FormPart<TMemo>(this, "Memo1");
    const std::string filter = ChartMsg(msgTextFile) + "|*.txt";
    open_ = std::make_unique<TOpenDialog>(nullptr);
    open_->SetDefaultExt("txt");
    open_->SetFilter(filter);
    open_->SetTitle(ChartMsg(msgSelectTextFile));
    open_->SetOptions(open_->Options() + TOpenOptions{ofFileMustExist});
    save_ = std::make_unique<TSaveDialog>(nullptr);
    save_->SetDefaultExt("txt");
    save_->SetFilter(filter);
    save_->SetTitle(ChartMsg(msgSaveAsTextFile));
    save_->SetOptions(save_->Options() + TOpenOptions{ofOverwritePrompt});
}

void TStringsEditor::Button3Click(TObject*) {
    const std::u16string text = Utf8ToUtf16(memo_->GetText());
    const int start = std::clamp(memo_->SelStart(), 0, static_cast<int>(text.size()));
    const int length = std::clamp(memo_->SelLength(), 0, static_cast<int>(text.size()) - start);
    Clipboard()->SetAsText(length > 0 ? Utf16ToUtf8(text.substr(start, length))
                                      : Utf16ToUtf8(text));
}

void TStringsEditor::Button4Click(TObject*) {
    if (open_->Execute())
        memo_->Lines()->LoadFromFile(open_->FileName());
}

void TStringsEditor::Button5Click(TObject*) {
    if (save_->Execute())
        memo_->Lines()->SaveToFile(save_->FileName());
}

void TStringsEditor::FormKeyDown(TObject*, TKeyCode& key, TShiftState) {
    if (key == VK_ESCAPE)
        SetModalResult(mrCancel);
}

bool RunTextEditor(TComponent* owner, TStrings* strings, bool readOnly) {
    auto* editor = TCustomForm::Create<TStringsEditor>(owner);
    if (owner != nullptr && owner->Owner() == nullptr)
        PositionDialog(editor);
    editor->Memo()->Lines()->Assign(*strings);
    editor->Memo()->SetReadOnly(readOnly);
    TranslateControl(editor);
    const bool ok = editor->ShowModal() == mrOk;
    if (ok && !readOnly)
        strings->Assign(*editor->Memo()->Lines());
    editor->Free();
    return ok;
}
