// Started by the tests: makes a QApplication with the arguments given and
// prints on its first line those that Qt left. Given none, it prints next,
// one a line, each word in the Qt libraries it has loaded that looks like an
// option of Qt's ("-name"), where the system lists what a process has loaded.
#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <cstdio>

int main(int argc, char* argv[])
{
    const bool none = argc == 1;
    QApplication app(argc, argv); // takes its own out of argc and argv
    QStringList left;
    for (int i = 1; i < argc; ++i)
        left << QString::fromLocal8Bit(argv[i]);
    std::puts(qPrintable(left.join(' ')));

    QFile maps("/proc/self/maps");
    if (!none || !maps.open(QIODevice::ReadOnly))
        return 0;
    QSet<QString> libraries;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const QString path = QString::fromLocal8Bit(line.mid(line.indexOf('/')));
        if (line.contains('/') && (path.contains("/libQt6") || path.contains("/plugins/")))
            libraries.insert(path);
    }
    // Qt compares each argument with its options as C strings.
    const QRegularExpression option("(?<=\\x00)-[a-z][a-z0-9_]+(?=\\x00)");
    QSet<QString> words;
    for (const QString& path : libraries) {
        QFile library(path);
        if (library.open(QIODevice::ReadOnly)) {
            for (const auto& match : option.globalMatch(QString::fromLatin1(library.readAll())))
                words.insert(match.captured());
        }
    }
    for (const QString& word : words)
        std::puts(qPrintable(word));
    return 0;
}
