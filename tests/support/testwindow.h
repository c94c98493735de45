#pragma once

#include "app/frmday.h"
#include "app/wiring.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// Answers every modal message box with OK, as a user would, and keeps what
// each one said.
class MessageBoxAnswerer : public QObject {
public:
    struct Shown {
        QString text;
        QString title;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QColor face;
        QStringList cutOff; // what of the box lies outside it or is drawn too small for its text
    };

    MessageBoxAnswerer()
    {
        connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswerer::answer);
        timer_.start(5);
    }

    QList<Shown> shown;

private:
    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        shown.append({box->text(), box->windowTitle(), box->icon(), box->standardButtons(),
                      box->palette().color(QPalette::Window), cutOff(box)});
        box->button(QMessageBox::Ok)->click();
    }

    static QStringList cutOff(QMessageBox* box)
    {
        QStringList parts;
        for (QWidget* part : box->findChildren<QWidget*>()) {
            QSize needed = part->minimumSizeHint();
            if (part->hasHeightForWidth())
                needed = QSize(0, part->heightForWidth(part->width()));
            const bool inside = box->rect().contains(QRect(part->mapTo(box, QPoint(0, 0)), part->size()));
            if (part->isVisible() && (!inside || part->width() < needed.width() || part->height() < needed.height()))
                parts.append(part->metaObject()->className());
        }
        return parts;
    }

    QTimer timer_;
};

// A started window, shown and active, as a user first sees it.
class TestWindow {
public:
    TestWindow()
    {
        wireEvents(w);
        w.start();
        active = QTest::qWaitForWindowActive(&w);
    }

    // Keys go where the focus is, as they do from a keyboard.
    void type(const QString& text)
    {
        for (QChar c : text) {
            QWidget* target = QApplication::focusWidget();
            if (c.unicode() < 128) {
                QTest::keyClick(target, c.toLatin1());
                continue;
            }
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5)); }
    // Waits for the window to come back after a message box, then for the focus.
    bool focusReturnsTo(QWidget* widget)
    {
        return QTest::qWaitFor([&] { return QApplication::focusWidget() == widget && w.isActiveWindow(); });
    }

    frmday w;
    bool active = false;
};
