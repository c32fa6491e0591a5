#pragma once
// Files and paths. Every path helper accepts "\" as well as "/" as a separator, so that
// Windows-style names from form descriptions and stored settings (".\windows.ini") work; paths
// handed to the system use "/".

#include <cstdint>
#include <string>
#include <string_view>

constexpr char PathDelim = '/';

bool IsPathDelimiterChar(char c);
// "\" becomes "/": ".\windows.ini" -> "./windows.ini".
std::string NormalizePath(std::string_view path);

// Parts of a file name. ExtractFilePath keeps the final delimiter, ExtractFileDir drops it;
// ExtractFileExt includes the dot ("" when the name has none).
std::string ExtractFilePath(std::string_view fileName);
std::string ExtractFileDir(std::string_view fileName);
std::string ExtractFileName(std::string_view fileName);
std::string ExtractFileExt(std::string_view fileName);
// Replaces (or adds, or with "" removes) the extension of the name part.
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);
// An absolute, normalised path: relative names are taken from the current directory, "." and
// ".." are resolved by name (symbolic links are not followed).
std::string ExpandFileName(std::string_view fileName);

bool FileExists(std::string_view fileName); // a file that is not a directory
bool DirectoryExists(std::string_view path);
// Creates the directory and any missing parents; true when it exists afterwards.
bool ForceDirectories(std::string_view path);
bool CreateDir(std::string_view path);
bool RemoveDir(std::string_view path);
bool DeleteFile(std::string_view fileName);
bool RenameFile(std::string_view oldName, std::string_view newName);
// Size in bytes, or -1 when the file does not exist.
int64_t FileSize(std::string_view fileName);
std::string GetCurrentDir();
bool SetCurrentDir(std::string_view path);

// The running program's file and folder (with a trailing "/"). SetProgramFileName overrides
// the value (tests, or a launcher that knows better); an empty name restores the real one.
std::string ProgramFileName();
std::string ProgramFolder();
void SetProgramFileName(std::string_view fileName);
// The user's configuration folder for this program ("$XDG_CONFIG_HOME/quorvan4/", by default
// "~/.config/quorvan4/"), with a trailing "/". Not created here.
std::string UserConfigFolder();

// Replaces `fileName` with `bytes` so that the old contents survive any failure: the bytes go
// to a temporary file in the same folder, which is flushed to disk and then renamed over the
// old file. A symbolic link is followed and its target replaced. The old file's permissions
// are kept. Raises EInOutError naming the file and the reason; the temporary file is removed.
void WriteFileAtomic(std::string_view fileName, std::string_view bytes);
// The whole file as bytes; EFOpenError when it cannot be read.
std::string ReadFileBytes(std::string_view fileName);
