#pragma once
// The file-system services of mailer: whether a file is there, reading one whole, copying
// one, and the program's own folder. Paths of any length, with "\" or "/" separators.
#include <optional>
#include <string>

namespace mailer {

// True when a file (not a folder) exists at the path; relative paths count from the
// current folder. The empty path names no file.
bool FileExists(const std::wstring& path);

// Every byte of the file, also while another process holds it open for writing; nothing when
// it cannot be opened (missing, or held by a process that shares nothing) or read.
std::optional<std::string> ReadWholeFile(const std::wstring& path);

// Copies a file over any file of the target's name.
bool CopyFileOver(const std::wstring& source, const std::wstring& target);

// The folder of the running program, without a trailing "\" except at a drive root.
std::wstring ProgramFolder();

// The path as the wide file functions take it: full, and in the long-path form when long.
std::wstring FileSystemPath(const std::wstring& path);

}  // namespace mailer
