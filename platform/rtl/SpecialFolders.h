#pragma once
// The shell's special folders, by their classic identifiers, on the user's XDG folders.

#include <string>

constexpr int CSIDL_PERSONAL = 5;        // documents: "~/Documents"
constexpr int CSIDL_APPDATA = 26;        // roaming settings: "$XDG_CONFIG_HOME" (~/.config)
constexpr int CSIDL_LOCAL_APPDATA = 28;  // local data: "$XDG_DATA_HOME" (~/.local/share)
constexpr int CSIDL_COMMON_APPDATA = 35; // data of every user: "/var/lib/quorvan4" when it
                                         // can be written, else the local data folder

// The folder without a trailing "/"; empty for an identifier we do not know.
std::string GetSpecialFolderPath(int csidl);
