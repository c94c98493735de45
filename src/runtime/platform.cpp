#include "runtime/platform.h"

#include <QAccessible>
#include <QFont>
#include <QGuiApplication>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace runtime {

bool onWayland()
{
    return QGuiApplication::platformName().startsWith("wayland");
}

void substituteFonts()
{
    // Windows keeps MS Sans Serif as a bitmap font, drawn only at the sizes
    // it holds: its outline twin grows with the window. Linux has neither:
    // Liberation Serif has the metrics of Times New Roman, Liberation Sans
    // stands in for the sans serif.
    struct Substitute {
        const char* face;
        const char* drawnIn;
    };
#ifdef Q_OS_WIN
    constexpr Substitute substitutes[] = {{"MS Sans Serif", "Microsoft Sans Serif"}};
#else
    constexpr Substitute substitutes[]
        = {{"MS Sans Serif", "Liberation Sans"}, {"Times New Roman", "Liberation Serif"}};
#endif
    for (const Substitute& s : substitutes)
        QFont::insertSubstitution(s.face, s.drawnIn);
}

void soundCriticalStop()
{
#ifdef Q_OS_WIN
    // While a screen reader listens, Qt plays it for the box itself.
    if (!QAccessible::isActive())
        MessageBeep(MB_ICONHAND);
#endif
}

} // namespace runtime
