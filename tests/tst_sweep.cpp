// Every day number 1 to 31 of every month of every year 1 to 4000, entered
// through the window's boxes and SHOW, against the proleptic Gregorian
// calendar of std::chrono.
#include "app/application.h"
#include "support/testwindow.h"

#include <chrono>
#include <cstdio>

namespace {

const char* const DayNames[] = {"SUNDAY", "MONDAY", "TUESDAY", "WEDNESDAY", "THURSDAY", "FRIDAY", "SATURDAY"};

QString expectedRefusal(const std::chrono::year_month_day& date)
{
    using namespace std::chrono;
    if (date.month() != February)
        return "Do you know April,June,Sept. and Nov. have only 30 days";
    return date.year().is_leap() ? "Do you know February has only 29 days for a Leap Year"
                                 : "Do you know February has only 28 days for a Non-Leap year";
}

bool inGap(int year, int month, int day)
{
    return year == 1582 && month == 10 && day >= 5 && day <= 14;
}

} // namespace

class SweepTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setupApplication(); }
    void everyDateOfYears1To4000();
};

void SweepTest::everyDateOfYears1To4000()
{
    TestWindow t;
    QString refusal;
    int refusals = 0;
    t.w.setMessageSink([&](const QString& prompt, const QString&) {
        refusal = prompt.section("\r\n", 0, 0);
        ++refusals;
    });

    long shown = 0, refused = 0, gap = 0;
    for (int year = 1; year <= 4000; ++year) {
        t.w.txtyear->setText(QString::number(year));
        for (int month = 1; month <= 12; ++month) {
            t.w.txtmonth->setText(QString::number(month));
            for (int day = 1; day <= 31; ++day) {
                t.w.txtdate->setText(QString::number(day));
                const int before = refusals;
                t.w.cmdshow->click();

                using namespace std::chrono;
                const year_month_day date{std::chrono::year(year), std::chrono::month(month), std::chrono::day(day)};
                QString wanted;
                if (!date.ok())
                    wanted = expectedRefusal(date);
                else if (inGap(year, month, day))
                    wanted = "Do you know the dates from 5/10/1582 to 14/10/1582 are not in the calender";
                if (!wanted.isEmpty()) {
                    if (refusals != before + 1 || refusal != wanted)
                        QFAIL(qPrintable(QString("%1/%2/%3: wanted the refusal \"%4\", got \"%5\"")
                                             .arg(day)
                                             .arg(month)
                                             .arg(year)
                                             .arg(wanted, refusal)));
                    date.ok() ? ++gap : ++refused;
                    continue;
                }
                const char* name = DayNames[weekday(sys_days(date)).c_encoding()];
                if (refusals != before || t.w.lblshow2->text() != QLatin1String(name))
                    QFAIL(qPrintable(QString("%1/%2/%3: wanted %4, got \"%5\"")
                                         .arg(day)
                                         .arg(month)
                                         .arg(year)
                                         .arg(name, t.w.lblshow2->text())));
                ++shown;
            }
        }
    }
    std::printf("checked %ld dates: %ld weekdays right, %ld days the month cannot have refused, %ld gap days "
                "refused\n",
                shown + refused + gap, shown, refused, gap);
    QCOMPARE(shown + gap, 1460970L);
    QCOMPARE(gap, 10L);
}

QTEST_MAIN(SweepTest)
#include "tst_sweep.moc"
