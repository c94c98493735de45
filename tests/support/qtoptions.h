#pragma once

#include "app/commandline.h"

#include <QGuiApplication>
#include <QProcess>

// Where the program's list of Qt's options and what the Qt in use takes out
// of the arguments on the platform the test runs on disagree, one line each:
// an option of the list Qt does not take in the form the list says, or a
// word of Qt's libraries that Qt takes and the list lacks. Those of X11 are
// asked on X11 alone, the others everywhere.
inline QStringList qtOptionsDisagreements(bool x11)
{
    auto left = [](const QStringList& arguments) {
        QProcess probe;
        probe.start(QT_OPTIONS, arguments);
        probe.waitForFinished(10000);
        return QString::fromLocal8Bit(probe.readAllStandardOutput()).split('\n');
    };
    QStringList disagreements;
    auto expect = [&](const QStringList& arguments, const QString& wanted) {
        if (const QString got = left(arguments).value(0).trimmed(); got != wanted)
            disagreements << QString("%1: Qt left '%2'").arg(arguments.join(' '), got);
    };

    QStringList listed;
    for (const QtOption& o : qtOptions()) {
        listed << QString("-") + o.name;
        if (o.x11 != x11)
            continue;
        // A value Qt can take without failing: the platform in use, the display in use.
        const QString value = listed.back() == "-platform" ? QGuiApplication::platformName()
            : listed.back() == "-display"                  ? qEnvironmentVariable("DISPLAY")
                                                           : "x";
        expect({listed.back(), value}, o.value == QtOption::Alone ? value : "");
        if (o.value != QtOption::Alone) {
            const QString joined = listed.back() + "=" + value;
            expect({joined}, o.value == QtOption::SeparateOrJoined ? "" : joined);
        }
    }
    for (const QString& word : left({}).mid(1)) {
        if (!word.isEmpty() && !listed.contains(word))
            expect({word, "x"}, word + " x");
    }
    return disagreements;
}
