/* Whether the installed Tellwick runs, asked by both installers before they
 * install, upgrade or uninstall: Windows will not replace the file of a
 * running program, and an install or removal around it would change some
 * files and not others. The program runs when a process's image is the
 * installed file itself, whatever path names it. Asked of the processes,
 * not by trying to write the file: that needs no write access (an MSI asks
 * as the installing user, whom Windows does not let write into Program
 * Files), a read-only file is not a running program, and a copy started
 * from elsewhere (the zip) is another file. Other users' copies are found
 * where Windows lets the installer see their processes. */
#include <windows.h> /* before the headers that build on it */

#include <msi.h>
#include <msiquery.h>
#include <tlhelp32.h>

#include <string.h>

/* A file as the file system knows it: its volume and its index there. */
typedef struct FileId {
    DWORD volume, high, low;
} FileId;

static BOOL identify(const wchar_t* path, FileId* id)
{
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE handle = CreateFileW(path, 0, share, NULL, OPEN_EXISTING, 0, NULL);
    if (handle == INVALID_HANDLE_VALUE)
        return FALSE;
    BY_HANDLE_FILE_INFORMATION file;
    BOOL known = GetFileInformationByHandle(handle, &file);
    CloseHandle(handle);
    *id = (FileId){file.dwVolumeSerialNumber, file.nFileIndexHigh, file.nFileIndexLow};
    return known;
}

static BOOL runs(DWORD process, const FileId* program)
{
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (!handle)
        return FALSE; /* another user's, which Windows does not show */
    wchar_t path[MAX_PATH];
    DWORD size = MAX_PATH;
    FileId image;
    BOOL known = QueryFullProcessImageNameW(handle, 0, path, &size) && identify(path, &image);
    CloseHandle(handle);
    return known && memcmp(&image, program, sizeof image) == 0;
}

/* Only the processes of the program's own file name are looked into. */
static BOOL running(const wchar_t* path)
{
    FileId program;
    if (!identify(path, &program))
        return FALSE; /* not installed there */
    const wchar_t* name = path;
    for (const wchar_t* c = path; *c; ++c) {
        if (*c == L'\\' || *c == L'/')
            name = c + 1;
    }
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return FALSE;
    PROCESSENTRY32W entry = {.dwSize = sizeof entry};
    BOOL found = FALSE;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
        found = lstrcmpiW(entry.szExeFile, name) == 0 && runs(entry.th32ProcessID, &program);
    CloseHandle(snapshot);
    return found;
}

/* The MSI's custom action: its property PROGRAM names the program's file,
 * formatted here. While the program runs, the user is asked to close it; an
 * install or uninstall with no user to ask (/qn) fails instead, leaving what
 * was installed as it was. */
__declspec(dllexport) UINT __stdcall WaitUntilClosed(MSIHANDLE install)
{
    wchar_t path[MAX_PATH];
    DWORD size = MAX_PATH;
    MSIHANDLE record = MsiCreateRecord(1);
    UINT result = MsiGetPropertyW(install, L"PROGRAM", path, &size);
    MsiRecordSetStringW(record, 0, path);
    size = MAX_PATH;
    if (result == ERROR_SUCCESS)
        result = MsiFormatRecordW(install, record, path, &size);
    MsiRecordSetStringW(record, 0, L"[ProductName] is running. Close it, then press Retry.");
    while (result == ERROR_SUCCESS && running(path)) {
        int reply = MsiProcessMessage(install, INSTALLMESSAGE_USER | MB_RETRYCANCEL | MB_ICONEXCLAMATION, record);
        if (reply != IDRETRY)
            result = reply == IDCANCEL ? ERROR_INSTALL_USEREXIT : ERROR_INSTALL_FAILURE;
    }
    MsiCloseHandle(record);
    return result;
}

/* The NSIS installer's plugin call, `running::Running PATH`: pops the
 * program's path from NSIS's string stack and pushes 1 while it runs, else
 * 0. */
typedef struct NsisString {
    struct NsisString* next;
    wchar_t text[1]; /* as long as NSIS's strings */
} NsisString;

__declspec(dllexport) void __cdecl Running(HWND window, int length, wchar_t* vars, NsisString** stack, void* extra)
{
    (void)window, (void)vars, (void)extra;
    NsisString* path = *stack;
    if (!path)
        return;
    *stack = path->next;
    BOOL answer = running(path->text);
    GlobalFree(path);
    NsisString* result = GlobalAlloc(GPTR, sizeof(NsisString) + (SIZE_T)length * sizeof(wchar_t));
    if (!result)
        return;
    lstrcpyW(result->text, answer ? L"1" : L"0");
    result->next = *stack;
    *stack = result;
}
