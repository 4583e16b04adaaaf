#pragma once
// Real links for tests of what a program does with links in the folders it walks. Wine 8's
// CreateSymbolicLinkA makes nothing, so the link is a Unix symbolic link made by /bin/ln, which Wine
// runs when a Windows program starts it. A link to a folder shows FILE_ATTRIBUTE_REPARSE_POINT; a link
// to a file shows as a plain file.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// The Unix path Wine gives a Windows path (kernel32's wine_get_unix_file_name); empty when none.
std::string UnixPathOf(const std::string& windowsPath);

// Makes link (a Windows path, not there yet) a symbolic link to target (a Windows path). True when the
// link is there afterwards.
bool MakeUnixLink(const std::string& target, const std::string& link);

// Removes the link itself (never what it points to). True when it is gone afterwards.
bool RemoveUnixLink(const std::string& link);

// True when path (a Windows path) is a Unix symbolic link, whether or not what it points to exists:
// what Wine shows a Windows program of a link to a file does not tell.
bool IsUnixLink(const std::string& path);

// The attributes as Windows shows them: GetFileAttributesA's, with FILE_ATTRIBUTE_REPARSE_POINT for a
// Unix symbolic link. For a test's seam of the platform's attribute query.
DWORD WINAPI AttributesWithUnixLinks(LPCSTR path);

// Removes the links named (those that are there) when the scope ends, however the test ends.
class UnixLinksRemoved {
public:
    explicit UnixLinksRemoved(std::vector<std::string> links) : links_(std::move(links)) {}
    ~UnixLinksRemoved() {
        for (const std::string& link : links_) {
            if (GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES) RemoveUnixLink(link);
        }
    }
    UnixLinksRemoved(const UnixLinksRemoved&) = delete;
    UnixLinksRemoved& operator=(const UnixLinksRemoved&) = delete;

private:
    std::vector<std::string> links_;
};
