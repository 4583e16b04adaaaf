#pragma once
// Helpers shared by the tests: paths handed over by ctest, scratch directories and files, and the
// current directory for the length of a scope.

#include <windows.h>

#include <string>

// A Unix path of the build tree (as ctest passes it) in the form the Win32 API takes under Wine.
std::string WinePath(const std::string& unixPath);

// Directories of the build tree: the laid-out demo medium with the wizard, and the test executables.
std::string MediumDir();
std::string TestDir();
std::string SourceDir();

// Full path of the running executable's directory, with a trailing backslash.
std::string ExeDir();

// Writes text to a file, creating the directories on the way. Returns false on failure.
bool WriteTextFile(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
std::string ReadTextFile(const std::string& path);
bool CopyFileTo(const std::string& from, const std::string& to);
// Deletes a file if it is there, read-only or not.
void RemoveFile(const std::string& path);

// The system's directories: where the port monitors go, and the Windows directory.
std::string SystemDirectoryPath();
std::string WindowsDirectoryPath();

// A fresh, empty directory under the system's temporary directory, removed with everything in it
// when the object goes.
class TempDir {
public:
    explicit TempDir(const char* tag = "qelvan");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }  // no trailing backslash
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Makes dir the process's current directory until the scope ends.
class CurrentDirectoryScope {
public:
    explicit CurrentDirectoryScope(const std::string& dir);
    ~CurrentDirectoryScope();
    CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
    CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

private:
    std::string saved_;
};

void RemoveTree(const std::string& path);

// Makes nested folders below base so that the last one's full path (no closing backslash) is exactly
// length characters long, as a medium copied deep into a folder tree; empty when that cannot be made.
std::string MakeDeepDirectory(const std::string& base, size_t length);

// Runs a program (a full command line) in dir (empty: the current directory), waits at most
// timeoutMs, and returns what it wrote to its standard output. exitCode receives its exit code, or
// STILL_ACTIVE when it was stopped for taking too long.
std::string RunAndCapture(const std::string& commandLine, DWORD& exitCode, const std::string& dir = "",
                          DWORD timeoutMs = 60000);

// Makes the named program see the given Windows version ("win98", "nt40", "winxp", ...) from its next
// start; an empty version removes the setting.
void SetWindowsVersionFor(const std::string& exeName, const std::string& version);
