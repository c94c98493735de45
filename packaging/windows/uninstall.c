/* The per-user install's Uninstall.exe, which its Apps & features entry
 * starts, with /S when silent. It runs NSIS's uninstaller, kept beside it,
 * in place (_?=), so that it waits for it and its status is the uninstall's
 * outcome: 2 when refused or when a file could not be removed. Run in place,
 * NSIS's uninstaller holds its own file open and cannot remove it, this
 * program or the folder; once it has removed everything else, this program
 * does: that file, then its own, which Windows lets a running program move
 * among the temporary files (which Windows clears), then the folder, and
 * the user's programs folder that holds it if nothing else is left there.
 * Its status is 0 only when all is gone. */
#include <windows.h> /* before the headers that build on it */

#include <knownfolders.h>
#include <shlobj.h>

#include <wchar.h>

#define NSIS_UNINSTALLER L"Uninstall-Tellwick.exe"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR arguments, int show)
{
    (void)instance, (void)previous, (void)show;
    wchar_t self[MAX_PATH], folder[MAX_PATH], uninstaller[MAX_PATH], command[3 * MAX_PATH];
    DWORD length = GetModuleFileNameW(NULL, self, MAX_PATH);
    if (length == 0 || length == MAX_PATH)
        return 1;
    wcscpy(folder, self);
    *wcsrchr(folder, L'\\') = L'\0';
    swprintf(uninstaller, MAX_PATH, L"%ls\\%ls", folder, NSIS_UNINSTALLER);
    swprintf(command, 3 * MAX_PATH, L"\"%ls\" %ls _?=%ls", uninstaller, arguments, folder); /* _?= last */

    STARTUPINFOW startup = {.cb = sizeof startup};
    PROCESS_INFORMATION process;
    if (!CreateProcessW(uninstaller, command, NULL, NULL, FALSE, 0, NULL, folder, &startup, &process))
        return 1;
    DWORD status = 1;
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (status != 0)
        return (int)status;

    wchar_t temporary[MAX_PATH], moved[MAX_PATH];
    SetCurrentDirectoryW(L"\\"); /* not the folder, which is to go */
    if (!DeleteFileW(uninstaller) || !GetTempPathW(MAX_PATH, temporary)
        || !GetTempFileNameW(temporary, L"tel", 0, moved) || !MoveFileExW(self, moved, MOVEFILE_REPLACE_EXISTING)
        || !RemoveDirectoryW(folder))
        return 1;
    /* The user's programs folder, where the installer puts Tellwick. */
    PWSTR local;
    if (SUCCEEDED(SHGetKnownFolderPath(&FOLDERID_LocalAppData, 0, NULL, &local))) {
        wchar_t programs[MAX_PATH];
        swprintf(programs, MAX_PATH, L"%ls\\Programs", local);
        *wcsrchr(folder, L'\\') = L'\0';
        if (_wcsicmp(folder, programs) == 0)
            RemoveDirectoryW(folder); /* only when empty: the install may have made it */
        CoTaskMemFree(local);
    }
    return 0;
}
