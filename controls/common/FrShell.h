#pragma once
// What the framed controls learn about the system at start-up: whether the component object
// model started for the user-interface thread (it is stopped again at exit only then), the
// system's version, and the versions of the common controls and shell modules (0 when a
// version cannot be read).

#include <cstdint>
#include <string>

bool IsNTPlatform();
// The module file's version packed high to low, or false.
bool GetModuleFileVersion(const std::string& fileName, std::uint64_t& version);
std::uint64_t CommonControlsVersion();
std::uint64_t ShellVersion();

// The start-up record: made once when the program starts.
class TFrComStartup {
public:
    TFrComStartup();
    ~TFrComStartup();
    TFrComStartup(const TFrComStartup&) = delete;
    TFrComStartup& operator=(const TFrComStartup&) = delete;
    bool Succeeded() const { return succeeded_; }

private:
    bool succeeded_;
};
