#pragma once
// The registry stand-in: a hierarchical key/value store kept in ini files under the user's
// configuration folder, one file per root ("registry/HKEY_CURRENT_USER.ini"). A key path is kept
// verbatim as a section name ("Software\Temp\Program\Section"); a value is a "Name=Value" line.
// A root whose file or folder the program cannot write is read-only: reading gives what is there
// (or defaults), writing raises ERegistryException, and opening never fails for that reason.
// Reading never creates anything; the folder is made by the first write.

#include "platform/rtl/Exception.h"
#include "platform/rtl/IniFiles.h"

#include <cstdint>
#include <memory>
#include <string>

using HKEY = std::uint32_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;
constexpr HKEY HKEY_PERFORMANCE_DATA = 0x80000004u;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;
constexpr HKEY HKEY_DYN_DATA = 0x80000006u;

constexpr std::uint32_t KEY_QUERY_VALUE = 0x1;
constexpr std::uint32_t KEY_SET_VALUE = 0x2;
constexpr std::uint32_t KEY_READ = 0x20019;
constexpr std::uint32_t KEY_WRITE = 0x20006;
constexpr std::uint32_t KEY_ALL_ACCESS = 0xF003F;

Q4_EXCEPTION(ERegistryException, Exception);

// "HKEY_CURRENT_USER" and so on; empty for an unknown root.
std::string RegistryRootName(HKEY root);
// The ini file that holds a root.
std::string RegistryRootFile(HKEY root);

// An ini-style view of one registry key: a "section" is a sub-key of the open key, a "key" of
// the ini interface is a value name.
class TRegistryIniFile : public TCustomIniFile {
public:
    // Opens (creating) `keyPath` under HKEY_CURRENT_USER.
    explicit TRegistryIniFile(std::string keyPath, std::uint32_t access = KEY_ALL_ACCESS);
    ~TRegistryIniFile() override;

    HKEY RootKey() const { return root_; }
    // Changing the root closes the open key.
    void SetRootKey(HKEY root);
    std::uint32_t Access() const { return access_; }
    // Opens `keyPath` (a leading "\" is ignored); without `canCreate` only a key that holds
    // values or sub-keys opens. A path is always creatable: keys exist once something is
    // written below them.
    bool OpenKey(const std::string& keyPath, bool canCreate);
    const std::string& CurrentPath() const { return path_; }
    // True once the root is known to be unwritable (found out on the first write).
    bool ReadOnly() const { return readOnly_; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) override;
    void WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;
    void ReadSection(std::string_view section, TStrings& keys) override;
    void ReadSections(TStrings& sections) override;
    void ReadSectionValues(std::string_view section, TStrings& values) override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view key) override;
    void UpdateFile() override {}

private:
    void AttachRoot();
    std::string SubKey(std::string_view section) const;
    void CheckWritable(std::string_view name);
    bool KeyExists(const std::string& path);

    HKEY root_ = HKEY_CURRENT_USER;
    std::uint32_t access_;
    std::string path_;
    std::unique_ptr<TIniFile> file_;
    bool readOnly_ = false;
    bool writableChecked_ = false;
};
