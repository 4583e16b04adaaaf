#include "engine/SystemAccount.h"

namespace {
typedef BOOL(WINAPI* OpenProcessTokenFunction)(HANDLE, DWORD, PHANDLE);
typedef BOOL(WINAPI* GetTokenInformationFunction)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD);

// The token functions exist only on the NT family: they are looked up at run time.
bool TokenUserIsLocalSystem(HMODULE advapi) {
    auto openToken = reinterpret_cast<OpenProcessTokenFunction>(
        reinterpret_cast<void*>(GetProcAddress(advapi, "OpenProcessToken")));
    auto tokenInformation = reinterpret_cast<GetTokenInformationFunction>(
        reinterpret_cast<void*>(GetProcAddress(advapi, "GetTokenInformation")));
    HANDLE token = nullptr;
    if (openToken == nullptr || tokenInformation == nullptr ||
        !openToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return false;
    }
    // TOKEN_USER and its SID; a SID holds at most 15 sub-authorities.
    DWORD buffer[64] = {};
    DWORD needed = 0;
    bool system = tokenInformation(token, TokenUser, buffer, sizeof buffer, &needed) &&
                  IsLocalSystemSid(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid);
    CloseHandle(token);
    return system;
}
}  // namespace

bool (*RunsAsSystemAccount)() = RunsAsSystemAccountToken;

bool RunsAsSystemAccountToken() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version) || version.dwPlatformId != VER_PLATFORM_WIN32_NT) return false;
    HMODULE advapi = GetModuleHandleA("advapi32.dll");
    return advapi != nullptr && TokenUserIsLocalSystem(advapi);
}

// S-1-5-18: the NT authority (5) with the one sub-authority 18. Compared field by field, so that no SID
// function is imported that Windows 98/Me lacks.
bool IsLocalSystemSid(PSID sid) {
    static const BYTE kNtAuthority[6] = {0, 0, 0, 0, 0, 5};
    const SID* fields = static_cast<const SID*>(sid);
    if (fields == nullptr || fields->Revision != SID_REVISION || fields->SubAuthorityCount != 1) return false;
    for (int index = 0; index < 6; ++index) {
        if (fields->IdentifierAuthority.Value[index] != kNtAuthority[index]) return false;
    }
    return fields->SubAuthority[0] == SECURITY_LOCAL_SYSTEM_RID;
}
