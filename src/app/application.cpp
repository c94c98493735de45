#include "app/application.h"

#include "app/appinfo.h"
#include "runtime/accessibility.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace {

// The icon, in every size the build put in. Qt decodes each size as it is
// added, and an X11 window hands its desktop every size at once: the first
// frame would wait for all of them. The icon comes once a window has drawn
// its first frame.
class IconAfterFirstFrame : public QObject {
public:
    IconAfterFirstFrame()
        : QObject(qApp)
    {
        qApp->installEventFilter(this);
    }

private:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && object->isWidgetType() && static_cast<QWidget*>(object)->isWindow()) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                setIcon();
                deleteLater();
            });
        }
        return false;
    }

    static void setIcon()
    {
        // Qt's own PNG reader, asked for by name: left to guess, or even told
        // the format, a reader loads every image plugin to ask it first.
        QIcon icon;
        for (const QString& file : QDir(":/icons").entryList()) {
            QImageReader png(":/icons/" + file, "png");
            png.setAutoDetectImageFormat(false);
            icon.addPixmap(QPixmap::fromImage(png.read()));
        }
        QApplication::setWindowIcon(icon);
    }
};

// The faces the desktop draws the layout's fonts with, set as Qt's font
// substitutes, which the layout asks for before its own faces.
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

} // namespace

void setupApplication()
{
    QCoreApplication::setApplicationName(appinfo::Name);
    QCoreApplication::setApplicationVersion(appinfo::Version);
    QGuiApplication::setDesktopFileName(appinfo::Id);

    new IconAfterFirstFrame;

    substituteFonts();
    runtime::installAccessibility();
}
