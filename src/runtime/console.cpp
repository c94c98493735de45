#include "runtime/console.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace runtime {

void tellUser(std::FILE* stream, const QString& text, const QString& title)
{
#ifdef Q_OS_WIN
    const HANDLE sent = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (!sent || sent == INVALID_HANDLE_VALUE) {
        if (!AttachConsole(ATTACH_PARENT_PROCESS) || !std::freopen("CONOUT$", "w", stream)) {
            MessageBoxW(nullptr, reinterpret_cast<LPCWSTR>(text.utf16()), reinterpret_cast<LPCWSTR>(title.utf16()),
                        MB_OK | (stream == stderr ? MB_ICONERROR : MB_ICONINFORMATION));
            return;
        }
    }
#else
    Q_UNUSED(title);
#endif
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace runtime
