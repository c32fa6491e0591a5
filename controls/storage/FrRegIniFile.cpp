#include "controls/storage/FrRegIniFile.h"

#include "platform/classes/Properties.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Diagnostics.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/SettingsFolder.h"
#include "platform/rtl/SpecialFolders.h"
#include "platform/rtl/Strings.h"

namespace {

constexpr std::uint32_t kAccessBits[] = {0x1,  0x2,     0x4,     0x8,     0x10,
                                         0x20, 0x20019, 0x20006, 0x20019, 0xF003F};
constexpr int kSpecialFolders[] = {0, CSIDL_APPDATA, CSIDL_LOCAL_APPDATA, CSIDL_PERSONAL,
                                   CSIDL_COMMON_APPDATA};

bool IsNumber(const std::string& text) {
    int32_t v;
    return TryStrToInt(Trim(text), v);
}

} // namespace

void SetRegIniFileReference(TComponent* holder, TFrRegIniFile*& field, TFrRegIniFile* value) {
    if (value == field)
        return;
    if (field != nullptr)
        field->RemoveFreeNotification(holder);
    field = value;
    if (field != nullptr)
        field->FreeNotification(holder);
}

std::uint32_t RegAccessMask(TFrRegAccess access) {
    std::uint32_t mask = 0;
    for (int i = keyQueryValue; i <= keyAllAccess; ++i)
        if (access.Contains(static_cast<TFrRegAccessKey>(i)))
            mask |= kAccessBits[i];
    return mask;
}

TFrRegIniFile::TFrRegIniFile(TComponent* owner) : TComponent(owner) {}

TFrRegIniFile::~TFrRegIniFile() = default;

void TFrRegIniFile::DeclareProperties(TPropertyList& p) {
    p.Add("Path", &TFrRegIniFile::Path, &TFrRegIniFile::SetPath);
    p.Add("PathType", &TFrRegIniFile::PathType, &TFrRegIniFile::SetPathType).Default(ptIniFile);
    p.Add("RegKey", &TFrRegIniFile::RegKey, &TFrRegIniFile::SetRegKey).Default(hkeyCurrentUser);
    p.Add("RegAccess", &TFrRegIniFile::RegAccess, &TFrRegIniFile::SetRegAccess)
        .Default(TFrRegAccess{keyAllAccess});
    p.Add("SpecialFolder", &TFrRegIniFile::SpecialFolder, &TFrRegIniFile::SetSpecialFolder)
        .Default(sfNone);
}

template <class T> void TFrRegIniFile::Changed(T& field, const T& value) {
    if (field == value)
        return;
    field = value;
    refreshNeeded_ = true;
}

void TFrRegIniFile::SetPath(const std::string& value) {
    Changed(path_, value);
}
void TFrRegIniFile::SetPathType(TFrPathType value) {
    Changed(pathType_, value);
}
void TFrRegIniFile::SetRegKey(TFrRegKey value) {
    Changed(regKey_, value);
}
void TFrRegIniFile::SetRegAccess(TFrRegAccess value) {
    Changed(regAccess_, value);
}
void TFrRegIniFile::SetSpecialFolder(TFrSpecialFolder value) {
    Changed(specialFolder_, value);
}

TCustomIniFile* TFrRegIniFile::Storage() const {
    if (iniFile_)
        return iniFile_.get();
    return regIniFile_.get();
}

std::string TFrRegIniFile::ResolveIniPath(std::string p) const {
    if (specialFolder_ != sfNone) {
        std::string folder = GetSpecialFolderPath(kSpecialFolders[specialFolder_]);
        if (!folder.empty()) {
            folder = IncludeTrailingPathDelimiter(IncludeTrailingPathDelimiter(folder) +
                                                  ExtractFilePath(NormalizePath(p)));
            if (!ForceDirectories(folder))
                DiagnosticLine("settings folder " + folder + " cannot be created");
            return folder + ChangeFileExt(ExtractFileName(p), ".ini");
        }
    }
    if (p.empty())
        return SettingsFolder() + ChangeFileExt(ExtractFileName(ProgramFileName()), ".ini");
    if (ExtractFilePath(p).empty())
        return SettingsFolder() + ChangeFileExt(p, ".ini");
    return ResolveSettingsPath(p);
}

void TFrRegIniFile::OpenIniFile(const std::string& p) {
    try {
        iniFile_ = std::make_unique<TIniFile>(p);
    } catch (const Exception& e) {
        DiagnosticLine("settings file " + p + " cannot be read (" + e.Message() +
                       "); defaults are used");
        return;
    }
    ReportStrayLines();
}

// Lines that are neither sections, keys, comments nor blank are kept as they are, but a person
// editing the file should hear about them.
void TFrRegIniFile::ReportStrayLines() {
    TStringList lines;
    iniFile_->GetStrings(lines);
    int stray = 0, first = 0;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string t = Trim(lines[i]);
        if (t.empty() || t[0] == ';' || t[0] == '#' || t[0] == '[' ||
            t.find('=') != std::string::npos)
            continue;
        if (stray++ == 0)
            first = i + 1;
    }
    if (stray > 0)
        DiagnosticLine("settings file " + iniFile_->FileName() + ": " + std::to_string(stray) +
                       " line(s) that are neither sections nor keys are ignored (first: line " +
                       std::to_string(first) + ")");
}

void TFrRegIniFile::OpenStorage() {
    if (!refreshNeeded_)
        return;
    iniFile_.reset();
    regIniFile_.reset();
    std::string p = path_;
    if (pathType_ == ptIniFile) {
        p = ResolveIniPath(p);
        OpenIniFile(p);
    } else if (pathType_ == ptRegistry) {
        if (p.empty()) {
            std::string title = Application != nullptr ? Application->Title() : std::string();
            if (title.empty())
                title = ChangeFileExt(ExtractFileName(ProgramFileName()), "");
            p = "\\Software\\Temp\\" + title;
        }
        regIniFile_ = std::make_unique<TRegistryIniFile>("", RegAccessMask(regAccess_));
        regIniFile_->SetRootKey(HKEY_CLASSES_ROOT + static_cast<HKEY>(regKey_));
        regIniFile_->OpenKey(p, true);
    }
    path_ = p;
    refreshNeeded_ = false;
}

int TFrRegIniFile::ReadInteger(const std::string& section, const std::string& name, int def) {
    OpenStorage();
    TCustomIniFile* storage = Storage();
    if (storage == nullptr)
        return def;
    std::string text;
    try {
        text = storage->ReadString(section, name, "");
    } catch (const EStreamError& e) {
        DiagnosticLine("settings file " + path_ + " cannot be read (" + e.Message() +
                       "); defaults are used");
        return def;
    }
    if (text.empty())
        return def;
    if (!IsNumber(text)) {
        DiagnosticLine("settings file " + path_ + ": [" + section + "] " + name + "=" + text +
                       " is not a number; " + std::to_string(def) + " is used");
        return def;
    }
    return storage->ReadInteger(section, name, def);
}

bool TFrRegIniFile::ReadBool(const std::string& section, const std::string& name, bool def) {
    return ReadInteger(section, name, def ? 1 : 0) != 0;
}

void TFrRegIniFile::WriteInteger(const std::string& section, const std::string& name, int value) {
    OpenStorage();
    TCustomIniFile* storage = Storage();
    if (storage == nullptr)
        throw EIniFileException("Unable to write to " + path_ + " (it could not be read)");
    storage->WriteInteger(section, name, value);
}

void TFrRegIniFile::WriteBool(const std::string& section, const std::string& name, bool value) {
    WriteInteger(section, name, value ? 1 : 0);
}
