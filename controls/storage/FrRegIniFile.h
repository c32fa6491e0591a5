#pragma once
// TFrRegIniFile: one place where components keep small settings, in an ini file or under a key
// of the registry stand-in, chosen by PathType. The storage opens on the first read or write and
// again after any property change; opening writes the resolved path back into Path.
//
// Paths: a name without a folder ("abc") and an empty name (the program's name) land in the
// settings folder beside "current.ini" with the extension ".ini"; a name that starts with "."
// (".\windows.ini") lands there too; "\" separates folders. With a special folder the file goes
// to that folder (plus the name's own folder part), which is created.
//
// Reading never fails: a file that cannot be read, or a value that is not a number, gives the
// default and a diagnostic line. Writing raises EIniFileException or ERegistryException (the file
// is then unchanged: every write replaces the whole file at once).

#include "platform/classes/Component.h"

#include <memory>
#include <string>

class TCustomIniFile;
class TIniFile;
class TRegistryIniFile;
class TFrRegIniFile;

Q4_ENUM(TFrPathType, ptIniFile, ptRegistry);
Q4_ENUM(TFrRegKey, hkeyClassesRoot, hkeyCurrentUser, hkeyLocalMachine, hkeyUsers,
        hkeyPerformanceData, hkeyCurrentConfig, hkeyDynData);
Q4_ENUM(TFrRegAccessKey, keyQueryValue, keySetValue, keyCreateSubKey, keyEnumerateSubKeys,
        keyNotify, keyCreateLink, keyRead, keyWrite, keyExecute, keyAllAccess);
using TFrRegAccess = TSet<TFrRegAccessKey>;
Q4_ENUM(TFrSpecialFolder, sfNone, sfUserAppDataRoaming, sfUserAppDataLocal, sfUserDocuments,
        sfProgramData);

// Points `field` of `holder` at another storage component, keeping the free notification that
// clears the field when the storage is destroyed.
void SetRegIniFileReference(TComponent* holder, TFrRegIniFile*& field, TFrRegIniFile* value);

// The access mask of a set of access rights.
std::uint32_t RegAccessMask(TFrRegAccess access);

class TFrRegIniFile : public TComponent {
    Q4_CLASS(TFrRegIniFile, TComponent)
public:
    explicit TFrRegIniFile(TComponent* owner);
    ~TFrRegIniFile() override;
    static void DeclareProperties(TPropertyList& p);

    const std::string& Path() const { return path_; }
    virtual void SetPath(const std::string& value);
    TFrPathType PathType() const { return pathType_; }
    virtual void SetPathType(TFrPathType value);
    TFrRegKey RegKey() const { return regKey_; }
    virtual void SetRegKey(TFrRegKey value);
    TFrRegAccess RegAccess() const { return regAccess_; }
    virtual void SetRegAccess(TFrRegAccess value);
    TFrSpecialFolder SpecialFolder() const { return specialFolder_; }
    virtual void SetSpecialFolder(TFrSpecialFolder value);

    bool ReadBool(const std::string& section, const std::string& name, bool def);
    void WriteBool(const std::string& section, const std::string& name, bool value);
    int ReadInteger(const std::string& section, const std::string& name, int def);
    void WriteInteger(const std::string& section, const std::string& name, int value);

    // The open storage object (after a read or write), or null.
    TCustomIniFile* Storage() const;

protected:
    void OpenStorage();

private:
    std::string ResolveIniPath(std::string p) const;
    void OpenIniFile(const std::string& p);
    void ReportStrayLines();
    template <class T> void Changed(T& field, const T& value);

    std::string path_;
    TFrPathType pathType_ = ptIniFile;
    TFrRegKey regKey_ = hkeyCurrentUser;
    TFrRegAccess regAccess_{keyAllAccess};
    TFrSpecialFolder specialFolder_ = sfNone;
    std::unique_ptr<TIniFile> iniFile_;
    std::unique_ptr<TRegistryIniFile> regIniFile_;
    bool refreshNeeded_ = true;
};
