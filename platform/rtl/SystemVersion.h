#pragma once
// The system's version as the program sees it. Linux has no such record; the program is given a
// fixed one, the NT family at 6.1, so that every "6.0 or later" path is taken. Tests may set
// another to try the version tests. Also the stand-ins of the component object model's start-up
// (nothing to do here: it always succeeds, unless a test says otherwise).

#include <cstdint>
#include <string>

constexpr std::uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr std::uint32_t VER_PLATFORM_WIN32_NT = 2;

struct TOSVersionInfo {
    std::uint32_t PlatformId = VER_PLATFORM_WIN32_NT;
    std::uint32_t MajorVersion = 6;
    std::uint32_t MinorVersion = 1;
    std::uint32_t BuildNumber = 7601;
};

TOSVersionInfo GetVersionEx();
// Replaces the emulated record (tests); returns the previous one.
TOSVersionInfo SetEmulatedVersion(const TOSVersionInfo& info);

// The version of a module file packed high to low (major, minor, build, revision; 16 bits each),
// or false: the program's own file has the project's version; the system's common controls and
// shell modules ("comctl32.dll", "shell32.dll") have the emulated 6.0 and 6.1; no other file has
// a version.
bool GetModuleFileVersion(const std::string& fileName, std::uint64_t& version);

// Start-up of the component object model for the calling thread: true when it succeeded.
bool CoInitialize();
void CoUninitialize();
// Makes the next CoInitialize fail (tests); counts the CoUninitialize calls.
void SetCoInitializeFails(bool fails);
int CoUninitializeCount();
