// Dates per second through the real window: the boxes' texts assigned (their
// Change handlers run) and SHOW clicked, for every day number 1 to 31 of
// every month of the years 1 to N (default 4000). Prints one line of figures.
#include "app/application.h"
#include "app/frmday.h"
#include "app/wiring.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setupApplication();
    const int years = argc > 1 ? std::atoi(argv[1]) : 4000;

    frmday w;
    wireEvents(w);
    w.start();
    QApplication::processEvents();
    w.setMessageSink([](const QString&, const QString&) {});

    QElapsedTimer clock;
    clock.start();
    long dates = 0;
    for (int year = 1; year <= years; ++year) {
        w.txtyear->setText(QString::number(year));
        for (int month = 1; month <= 12; ++month) {
            w.txtmonth->setText(QString::number(month));
            for (int day = 1; day <= 31; ++day, ++dates) {
                w.txtdate->setText(QString::number(day));
                w.cmdshow->click();
            }
        }
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    std::printf("show_throughput dates=%ld seconds=%.2f dates_per_second=%.0f\n", dates, seconds, dates / seconds);
    return 0;
}
