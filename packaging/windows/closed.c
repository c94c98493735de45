/* The MSI's wait for Tellwick to be closed. Windows will not write the file
 * of a running program, and an install or removal around it would change
 * some files and not others. While the program's file cannot be opened for
 * writing, the user is asked to close it; an install with no user to ask (a
 * silent one) fails instead, leaving what was installed as it was. */
#include <windows.h> /* before the headers that build on it */

#include <msi.h>
#include <msiquery.h>

static BOOL running(const wchar_t* path)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return FALSE;
}

/* The MSI's property PROGRAM names the program's file, as [#file key]. */
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
