#pragma once
// The common dialogs (open, save, colour, font) and message dialogs. Each has a test hook that
// answers in place of the window, so tests never block.
//
// A file filter is "Description|*.ext;*.ex2|Other|*.x": description and pattern pairs.
// FilterIndex counts from 1.

#include "platform/classes/Component.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Classes.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

Q4_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp,
        ofNoValidate, ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist,
        ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton,
        ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify,
        ofEnableSizing, ofDontAddToRecent, ofForceShowHidden);
using TOpenOptions = TSet<TOpenOption>;

struct TFilterEntry {
    std::string Description;
    // The patterns of the entry ("*.txt", "*.log").
    std::vector<std::string> Patterns;
};
// Splits a filter string into its entries; a trailing description without patterns is dropped.
std::vector<TFilterEntry> ParseDialogFilter(const std::string& filter);

struct TFileDialogRequest {
    bool Save = false;
    std::string Title;
    std::string InitialDir;
    std::string FileName;
    std::string DefaultExt;
    std::vector<TFilterEntry> Filters;
    int FilterIndex = 1;
    TOpenOptions Options;
};
struct TFileDialogAnswer {
    bool Accepted = false;
    std::vector<std::string> Files;
    int FilterIndex = 1;
};
using TFileDialogHook = std::function<TFileDialogAnswer(const TFileDialogRequest&)>;
TFileDialogHook SetFileDialogHook(TFileDialogHook hook);

class TCommonDialog : public TComponent {
    Q4_CLASS(TCommonDialog, TComponent)
public:
    explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}
    static void DeclareProperties(TPropertyList& p);
    // Shows the dialog; true when the user accepted it.
    virtual bool Execute() = 0;
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
};

class TOpenDialog : public TCommonDialog {
    Q4_CLASS(TOpenDialog, TCommonDialog)
public:
    explicit TOpenDialog(TComponent* owner);
    ~TOpenDialog() override;
    static void DeclareProperties(TPropertyList& p);

    bool Execute() override;

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& v) { fileName_ = v; }
    // Every file chosen (one unless ofAllowMultiSelect).
    TStrings* Files() const { return files_.get(); }
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& v) { filter_ = v; }
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int v) { filterIndex_ = v; }
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& v);
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& v) { initialDir_ = v; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& v) { title_ = v; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions v) { options_ = v; }

protected:
    virtual bool IsSave() const { return false; }
    // Checks the answer: default extension, must-exist, overwrite prompt. False refuses it.
    bool AcceptAnswer(TFileDialogAnswer& answer);

private:
    std::string fileName_;
    std::unique_ptr<TStringList> files_;
    std::string filter_;
    int filterIndex_ = 1;
    std::string defaultExt_;
    std::string initialDir_;
    std::string title_;
    TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
    Q4_CLASS(TSaveDialog, TOpenDialog)
public:
    explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

protected:
    bool IsSave() const override { return true; }
};

// Colour dialog: the hook gets the current colour and changes it; false is a cancel.
using TColorDialogHook = std::function<bool(TColor& color)>;
TColorDialogHook SetColorDialogHook(TColorDialogHook hook);

class TColorDialog : public TCommonDialog {
    Q4_CLASS(TColorDialog, TCommonDialog)
public:
    explicit TColorDialog(TComponent* owner) : TCommonDialog(owner) {}
    static void DeclareProperties(TPropertyList& p);
    bool Execute() override;
    TColor Color() const { return color_; }
    void SetColor(TColor v) { color_ = v; }

private:
    TColor color_ = clBlack;
};

// Font dialog: the hook gets a copy of the font and changes it; false is a cancel.
using TFontDialogHook = std::function<bool(TFont& font)>;
TFontDialogHook SetFontDialogHook(TFontDialogHook hook);

class TFontDialog : public TCommonDialog {
    Q4_CLASS(TFontDialog, TCommonDialog)
public:
    explicit TFontDialog(TComponent* owner);
    ~TFontDialog() override;
    static void DeclareProperties(TPropertyList& p);
    bool Execute() override;
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* v) { font_->Assign(v); }

private:
    std::unique_ptr<TFont> font_;
};

// ---- message dialogs ----------------------------------------------------------------------------
Q4_ENUM(TMsgDlgType, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom);
Q4_ENUM(TMsgDlgBtn, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
        mbYesToAll, mbHelp);
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// The modal result each button gives.
TModalResult ModalResultOf(TMsgDlgBtn button);

struct TMessageDlgRequest {
    std::string Text;
    std::string Caption;
    TMsgDlgType Type = mtCustom;
    TMsgDlgButtons Buttons;
    // The dialog's top-left corner on the screen; -1 centres it.
    int X = -1;
    int Y = -1;
};
// Answers a message dialog with a modal result instead of showing it.
using TMessageDlgHook = std::function<TModalResult(const TMessageDlgRequest&)>;
TMessageDlgHook SetMessageDlgHook(TMessageDlgHook hook);

// A dialog with an icon for its type and the buttons asked for; returns the modal result of the
// button pressed (mrCancel, or the only button's, when the window is closed).
TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                        int helpContext = 0);
// The same dialog with its top-left corner at the screen point (x, y).
TModalResult MessageDlgPos(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                           int helpContext, int x, int y);
// The plain message box: the text and an OK button, captioned with the program's title.
void ShowMessage(const std::string& text);
