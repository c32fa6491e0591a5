#include "platform/rtl/Registry.h"

#include "platform/rtl/Classes.h"
#include "platform/rtl/Diagnostics.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/SettingsFolder.h"
#include "platform/rtl/Strings.h"

#include <unistd.h>

namespace {

std::string StripLeadingSeparators(std::string path) {
    size_t start = 0;
    while (start < path.size() && path[start] == '\\')
        ++start;
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path.substr(start);
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

} // namespace

std::string RegistryRootName(HKEY root) {
    static const char* const names[] = {
        "HKEY_CLASSES_ROOT",     "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE", "HKEY_USERS",
        "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"};
    if (root < HKEY_CLASSES_ROOT || root > HKEY_DYN_DATA)
        return {};
    return names[root - HKEY_CLASSES_ROOT];
}

std::string RegistryRootFile(HKEY root) {
    return UserConfigFolder() + "registry/" + RegistryRootName(root) + ".ini";
}

TRegistryIniFile::TRegistryIniFile(std::string keyPath, std::uint32_t access)
    : TCustomIniFile(std::string()), access_(access) {
    AttachRoot();
    OpenKey(keyPath, true);
}

TRegistryIniFile::~TRegistryIniFile() = default;

void TRegistryIniFile::SetRootKey(HKEY root) {
    if (root == root_)
        return;
    root_ = root;
    path_.clear();
    AttachRoot();
}

void TRegistryIniFile::AttachRoot() {
    file_.reset();
    writableChecked_ = false;
    fileName_ = RegistryRootFile(root_);
    readOnly_ = RegistryRootName(root_).empty();
    if (readOnly_)
        return;
    try {
        file_ = std::make_unique<TIniFile>(fileName_);
    } catch (const Exception& e) {
        DiagnosticLine("registry file " + fileName_ + " cannot be read (" + e.Message() +
                       "); defaults are used");
        readOnly_ = true;
    }
}

void TRegistryIniFile::CheckWritable(std::string_view name) {
    if (!writableChecked_ && !readOnly_) {
        // The folder is made on the first write, so that reading leaves no trace.
        writableChecked_ = true;
        const std::string folder = ExtractFilePath(fileName_);
        readOnly_ = !ForceDirectories(folder) || !FolderWritable(folder) ||
                    (FileExists(fileName_) && ::access(fileName_.c_str(), W_OK) != 0);
        if (readOnly_)
            DiagnosticLine("registry file " + fileName_ +
                           " cannot be written; its keys are read-only");
    }
    if (readOnly_ || !file_ || (access_ & KEY_SET_VALUE) == 0)
        throw ERegistryException("Failed to set data for '" + std::string(name) + "' (" +
                                 fileName_ + " is read-only)");
}

bool TRegistryIniFile::KeyExists(const std::string& path) {
    if (!file_)
        return false;
    TStringList sections;
    file_->ReadSections(sections);
    for (int i = 0; i < sections.Count(); ++i)
        if (SameText(sections[i], path) || StartsWithNoCase(sections[i], path + "\\"))
            return true;
    return false;
}

bool TRegistryIniFile::OpenKey(const std::string& keyPath, bool canCreate) {
    const std::string path = StripLeadingSeparators(keyPath);
    if (!canCreate && !path.empty() && !KeyExists(path))
        return false;
    path_ = path;
    return true;
}

std::string TRegistryIniFile::SubKey(std::string_view section) const {
    const std::string sub = StripLeadingSeparators(std::string(section));
    if (path_.empty())
        return sub;
    return sub.empty() ? path_ : path_ + "\\" + sub;
}

std::string TRegistryIniFile::ReadString(std::string_view section, std::string_view key,
                                         std::string_view def) {
    if (!file_)
        return std::string(def);
    try {
        return file_->ReadString(SubKey(section), key, def);
    } catch (const EStreamError& e) {
        DiagnosticLine("registry file " + fileName_ + " cannot be read (" + e.Message() +
                       "); defaults are used");
        return std::string(def);
    }
}

void TRegistryIniFile::WriteString(std::string_view section, std::string_view key,
                                   std::string_view value) {
    CheckWritable(key);
    try {
        file_->WriteString(SubKey(section), key, value);
    } catch (const EIniFileException& e) {
        throw ERegistryException("Failed to set data for '" + std::string(key) + "' (" +
                                 e.Message() + ")");
    }
}

void TRegistryIniFile::ReadSection(std::string_view section, TStrings& keys) {
    keys.Clear();
    if (file_)
        file_->ReadSection(SubKey(section), keys);
}

void TRegistryIniFile::ReadSections(TStrings& sections) {
    sections.Clear();
    if (!file_)
        return;
    TStringList all;
    file_->ReadSections(all);
    const std::string prefix = path_.empty() ? std::string() : path_ + "\\";
    for (int i = 0; i < all.Count(); ++i) {
        if (!StartsWithNoCase(all[i], prefix) || all[i].size() == prefix.size())
            continue;
        std::string rest = all[i].substr(prefix.size());
        rest = rest.substr(0, rest.find('\\'));
        if (sections.IndexOf(rest) < 0)
            sections.Add(rest);
    }
}

void TRegistryIniFile::ReadSectionValues(std::string_view section, TStrings& values) {
    values.Clear();
    if (file_)
        file_->ReadSectionValues(SubKey(section), values);
}

void TRegistryIniFile::EraseSection(std::string_view section) {
    CheckWritable(section);
    file_->EraseSection(SubKey(section));
}

void TRegistryIniFile::DeleteKey(std::string_view section, std::string_view key) {
    CheckWritable(key);
    file_->DeleteKey(SubKey(section), key);
}
