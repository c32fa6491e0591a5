#include "platform/forms/Dialogs.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

#include <filesystem>

namespace {
TFileDialogHook& FileHook() {
    static TFileDialogHook hook;
    return hook;
}
TColorDialogHook& ColorHook() {
    static TColorDialogHook hook;
    return hook;
}
TFontDialogHook& FontHook() {
    static TFontDialogHook hook;
    return hook;
}
TMessageDlgHook& MessageDlgHook() {
    static TMessageDlgHook hook;
    return hook;
}

std::string Trimmed(const std::string& s) {
    size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos)
        return {};
    size_t b = s.find_last_not_of(' ');
    return s.substr(a, b - a + 1);
}

QString QtFilter(const std::vector<TFilterEntry>& filters) {
    QStringList parts;
    for (const TFilterEntry& f : filters) {
        QStringList pats;
        for (const std::string& p : f.Patterns)
            pats << QString::fromStdString(p);
        parts << QString::fromStdString(f.Description) + " (" + pats.join(' ') + ")";
    }
    return parts.join(";;");
}
} // namespace

std::vector<TFilterEntry> ParseDialogFilter(const std::string& filter) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t bar = filter.find('|', start);
        fields.push_back(filter.substr(start, bar == std::string::npos ? bar : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    std::vector<TFilterEntry> out;
    for (size_t i = 0; i + 1 < fields.size(); i += 2) {
        TFilterEntry e;
        e.Description = fields[i];
        std::string pats = fields[i + 1];
        size_t s = 0;
        for (;;) {
            size_t semi = pats.find(';', s);
            std::string p = Trimmed(pats.substr(s, semi == std::string::npos ? semi : semi - s));
            if (!p.empty())
                e.Patterns.push_back(p);
            if (semi == std::string::npos)
                break;
            s = semi + 1;
        }
        if (!e.Patterns.empty())
            out.push_back(std::move(e));
    }
    return out;
}

TFileDialogHook SetFileDialogHook(TFileDialogHook hook) {
    TFileDialogHook old = std::move(FileHook());
    FileHook() = std::move(hook);
    return old;
}

TColorDialogHook SetColorDialogHook(TColorDialogHook hook) {
    TColorDialogHook old = std::move(ColorHook());
    ColorHook() = std::move(hook);
    return old;
}

TFontDialogHook SetFontDialogHook(TFontDialogHook hook) {
    TFontDialogHook old = std::move(FontHook());
    FontHook() = std::move(hook);
    return old;
}

TMessageDlgHook SetMessageDlgHook(TMessageDlgHook hook) {
    TMessageDlgHook old = std::move(MessageDlgHook());
    MessageDlgHook() = std::move(hook);
    return old;
}

void TCommonDialog::DeclareProperties(TPropertyList& p) {
    p.Add("OnClose", &TCommonDialog::OnClose);
    p.Add("OnShow", &TCommonDialog::OnShow);
}

// ---- TOpenDialog --------------------------------------------------------------------------------

TOpenDialog::TOpenDialog(TComponent* owner)
    : TCommonDialog(owner), files_(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

void TOpenDialog::DeclareProperties(TPropertyList& p) {
    p.Add("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
    p.Add("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
    p.Add("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
    p.Add("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex).Default(1);
    p.Add("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
    p.Add("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions)
        .Default(TOpenOptions{ofHideReadOnly, ofEnableSizing});
    p.Add("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
}

void TOpenDialog::SetDefaultExt(const std::string& v) {
    // Kept without the dot: "txt".
    defaultExt_ = (!v.empty() && v[0] == '.') ? v.substr(1) : v;
}

bool TOpenDialog::AcceptAnswer(TFileDialogAnswer& answer) {
    if (!answer.Accepted || answer.Files.empty())
        return false;
    namespace fs = std::filesystem;
    for (std::string& file : answer.Files) {
        fs::path path(file);
        if (!defaultExt_.empty() && !path.has_extension())
            file += "." + defaultExt_;
        fs::path checked(file);
        std::error_code ec;
        bool exists = fs::exists(checked, ec);
        if (options_.Contains(ofFileMustExist) && !exists) {
            ShowMessage(file + "\nФайл не найден.\nПроверьте правильность имени файла.");
            return false;
        }
        if (options_.Contains(ofPathMustExist) && checked.has_parent_path() &&
            !fs::is_directory(checked.parent_path(), ec)) {
            ShowMessage(checked.parent_path().string() +
                        "\nПуть не существует.\nПроверьте правильность пути.");
            return false;
        }
        if (IsSave() && options_.Contains(ofOverwritePrompt) && exists) {
            std::string caption = title_.empty() ? "Сохранить как" : title_;
            int r = Application != nullptr
                        ? Application->MessageBox(file + " уже существует.\nЗаменить?", caption,
                                                  MB_YESNO | MB_ICONWARNING)
                        : IDYES;
            if (r != IDYES)
                return false;
        }
    }
    return true;
}

bool TOpenDialog::Execute() {
    TFileDialogRequest req;
    req.Save = IsSave();
    req.Title = title_;
    req.InitialDir = initialDir_;
    req.FileName = fileName_;
    req.DefaultExt = defaultExt_;
    req.Filters = ParseDialogFilter(filter_);
    req.FilterIndex = filterIndex_;
    req.Options = options_;
    if (OnShow)
        OnShow(this);
    TFileDialogAnswer answer;
    if (FileHook()) {
        answer = FileHook()(req);
    } else {
        QFileDialog dlg;
        dlg.setWindowTitle(QString::fromStdString(title_));
        dlg.setAcceptMode(req.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        if (req.Save)
            dlg.setFileMode(QFileDialog::AnyFile);
        else
            dlg.setFileMode(options_.Contains(ofAllowMultiSelect) ? QFileDialog::ExistingFiles
                            : options_.Contains(ofFileMustExist)  ? QFileDialog::ExistingFile
                                                                  : QFileDialog::AnyFile);
        // The overwrite question is asked below, the same way with or without a window.
        dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
        QString qf = QtFilter(req.Filters);
        if (!qf.isEmpty())
            dlg.setNameFilter(qf);
        QStringList names = qf.split(";;");
        if (filterIndex_ >= 1 && filterIndex_ <= names.size())
            dlg.selectNameFilter(names[filterIndex_ - 1]);
        if (!initialDir_.empty())
            dlg.setDirectory(QString::fromStdString(initialDir_));
        if (!fileName_.empty())
            dlg.selectFile(QString::fromStdString(fileName_));
        if (Application != nullptr)
            Application->ModalStarted();
        answer.Accepted = dlg.exec() == QDialog::Accepted;
        if (Application != nullptr)
            Application->ModalFinished();
        for (const QString& f : dlg.selectedFiles())
            answer.Files.push_back(f.toStdString());
        answer.FilterIndex = static_cast<int>(names.indexOf(dlg.selectedNameFilter())) + 1;
        if (answer.FilterIndex < 1)
            answer.FilterIndex = filterIndex_;
    }
    bool ok = AcceptAnswer(answer);
    if (ok) {
        files_->Clear();
        for (const std::string& f : answer.Files)
            files_->Add(f);
        fileName_ = answer.Files.front();
        filterIndex_ = answer.FilterIndex;
    }
    if (OnClose)
        OnClose(this);
    return ok;
}

// ---- colour and font ----------------------------------------------------------------------------

void TColorDialog::DeclareProperties(TPropertyList& p) {
    p.Add("Color", &TColorDialog::Color, &TColorDialog::SetColor, TColorTypeInfo());
}

bool TColorDialog::Execute() {
    if (OnShow)
        OnShow(this);
    bool ok;
    if (ColorHook()) {
        TColor c = color_;
        ok = ColorHook()(c);
        if (ok)
            color_ = c;
    } else {
        TColor rgb = ColorToRGB(color_);
        QColor chosen =
            QColorDialog::getColor(QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
        ok = chosen.isValid();
        if (ok)
            color_ = RGB(chosen.red(), chosen.green(), chosen.blue());
    }
    if (OnClose)
        OnClose(this);
    return ok;
}

TFontDialog::TFontDialog(TComponent* owner)
    : TCommonDialog(owner), font_(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

void TFontDialog::DeclareProperties(TPropertyList& p) {
    p.Add("Font", &TFontDialog::Font, &TFontDialog::SetFont);
}

bool TFontDialog::Execute() {
    if (OnShow)
        OnShow(this);
    bool ok = false;
    if (FontHook()) {
        TFont copy;
        copy.Assign(*font_);
        ok = FontHook()(copy);
        if (ok)
            font_->Assign(copy);
    } else {
        QFont chosen = QFontDialog::getFont(&ok, TGraphicsQt::Font(*font_));
        if (ok) {
            font_->BeginUpdate();
            font_->SetName(chosen.family().toStdString());
            font_->SetSize(chosen.pointSize() > 0 ? chosen.pointSize() : font_->Size());
            TFontStyles st;
            if (chosen.bold())
                st.Include(fsBold);
            if (chosen.italic())
                st.Include(fsItalic);
            if (chosen.underline())
                st.Include(fsUnderline);
            if (chosen.strikeOut())
                st.Include(fsStrikeOut);
            font_->SetStyle(st);
            font_->EndUpdate();
        }
    }
    if (OnClose)
        OnClose(this);
    return ok;
}

// ---- message dialogs ----------------------------------------------------------------------------

TModalResult ModalResultOf(TMsgDlgBtn b) {
    switch (b) {
    case mbYes:
        return mrYes;
    case mbNo:
        return mrNo;
    case mbOK:
        return mrOk;
    case mbCancel:
        return mrCancel;
    case mbAbort:
        return mrAbort;
    case mbRetry:
        return mrRetry;
    case mbIgnore:
        return mrIgnore;
    case mbAll:
        return mrAll;
    case mbNoToAll:
        return mrNoToAll;
    case mbYesToAll:
        return mrYesToAll;
    case mbHelp:
        return mrNone;
    }
    return mrNone;
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                        int helpContext) {
    return MessageDlgPos(text, type, buttons, helpContext, -1, -1);
}

TModalResult MessageDlgPos(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int,
                           int x, int y) {
    static const char* const kCaptions[] = {"Warning", "Error", "Information", "Confirmation", ""};
    TMessageDlgRequest req;
    req.Text = text;
    req.Type = type;
    req.Buttons = buttons;
    req.X = x;
    req.Y = y;
    req.Caption = kCaptions[type];
    if (type == mtCustom && Application != nullptr)
        req.Caption = Application->Title();
    if (MessageDlgHook())
        return MessageDlgHook()(req);

    QMessageBox box;
    box.setText(QString::fromStdString(text));
    box.setWindowTitle(QString::fromStdString(req.Caption));
    static const QMessageBox::Icon kIcons[] = {QMessageBox::Warning, QMessageBox::Critical,
                                               QMessageBox::Information, QMessageBox::Question,
                                               QMessageBox::NoIcon};
    box.setIcon(kIcons[type]);
    static const char* const kButtons[] = {"&Yes",       "&No",         "OK",      "Cancel",
                                           "&Abort",     "&Retry",      "&Ignore", "&All",
                                           "N&o to All", "Yes to &All", "&Help"};
    std::vector<std::pair<QAbstractButton*, TModalResult>> made;
    TModalResult onlyResult = mrCancel;
    int count = 0;
    for (int b = mbYes; b <= mbHelp; ++b) {
        auto btn = static_cast<TMsgDlgBtn>(b);
        if (!buttons.Contains(btn))
            continue;
        QPushButton* pb = box.addButton(QString::fromUtf8(kButtons[b]), QMessageBox::ActionRole);
        made.emplace_back(pb, ModalResultOf(btn));
        onlyResult = ModalResultOf(btn);
        ++count;
        if (btn == mbCancel || (btn == mbOK && !buttons.Contains(mbCancel)))
            box.setEscapeButton(pb);
    }
    if (x >= 0 && y >= 0)
        box.move(x, y);
    if (Application != nullptr)
        Application->ModalStarted();
    box.exec();
    if (Application != nullptr)
        Application->ModalFinished();
    for (auto& [button, result] : made)
        if (box.clickedButton() == button)
            return result;
    return count == 1 ? onlyResult : mrCancel;
}

void ShowMessage(const std::string& text) {
    std::string caption = Application != nullptr ? Application->Title() : std::string();
    if (Application != nullptr)
        Application->MessageBox(text, caption, MB_OK);
}
