#pragma once
// Where the program keeps its settings files ("current.ini" and the files beside it): the
// program's folder, or the user's configuration folder when the program's folder cannot be
// written (an installed program).

#include <string>
#include <string_view>

// The folder, with a trailing "/". The user's configuration folder is created when it is used.
std::string SettingsFolder();
// A path as written in a form description or a stored setting: "\" separates folders, and a
// path that starts with "." names a file beside the settings ("./windows.ini" or ".\windows.ini"
// lands in SettingsFolder(), never in the working folder). Other relative paths and absolute
// paths only get their separators normalised.
std::string ResolveSettingsPath(std::string_view path);
// True when a new file can be made in `folder` (it exists and we may write there).
bool FolderWritable(std::string_view folder);
