#include "app/application.h"
#include "app/banner.h"
#include "support/testwindow.h"

#include <cstdlib>
#include <new>

#ifdef Q_OS_WIN
#include <QAccessible>
#include <windows.h>
#endif

// Counts the heap allocations of this test program.
static long allocations = 0;

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

void enterDate(TestWindow& t, const QString& day, const QString& month, const QString& year)
{
    for (auto [box, text] : {std::pair{t.w.txtyear, year}, {t.w.txtmonth, month}, {t.w.txtdate, day}}) {
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        t.type(text);
    }
}

QColor bannerColour(const frmday& w)
{
    return w.lbltime->palette().color(QPalette::WindowText);
}

const QString DayPrompt = "Enter The Date .........";

} // namespace

class ResultTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setupApplication(); }
    void show_data();
    void show();
    void refusal_data();
    void refusal();
    void showTwiceKeepsBanner();
    void resultLinesStayCentred();
    void clear_data();
    void clear();
    void bannerMotion();
    void tickAllocatesNothing();
    void ticksMissedOutOfSight_data();
    void ticksMissedOutOfSight();
    void enteringABoxLeavesTheTimerRunning();
    void enterPressesShow_data();
    void enterPressesShow();
    void enterAndSpaceOnButtons();
#ifdef Q_OS_WIN
    void weekdayReachesUiAutomation(); // last: a screen reader, once there, stays
#endif
};

void ResultTest::show_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<double>("showleap");
    QTest::addColumn<double>("totalcode");
    QTest::addColumn<int>("dayindex");
    QTest::addColumn<QString>("dayname");

    // clang-format off
    QTest::newRow("15/8/1947") << "15" << "8" << "1947" << 0.0 << 5.0 << 5 << "FRIDAY";
    QTest::newRow("1/1/2001") << "1" << "1" << "2001" << 0.0 << 1.0 << 1 << "MONDAY";
    QTest::newRow("29/2/2000") << "29" << "2" << "2000" << 1.0 << 9.0 << 2 << "TUESDAY";
    QTest::newRow("1/3/2000") << "1" << "3" << "2000" << 1.0 << 10.0 << 3 << "WEDNESDAY";
    QTest::newRow("1/3/1900") << "1" << "3" << "1900" << 0.0 << 4.0 << 4 << "THURSDAY";
    QTest::newRow("4/10/1582") << "4" << "10" << "1582" << 0.0 << 8.0 << 1 << "MONDAY";
    QTest::newRow("15/10/1582") << "15" << "10" << "1582" << 0.0 << 5.0 << 5 << "FRIDAY";
    QTest::newRow("31/12/4000") << "31" << "12" << "4000" << 1.0 << 14.0 << 0 << "SUNDAY";
    QTest::newRow("1/2/2000, no leap day yet") << "1" << "2" << "2000" << 1.0 << 9.0 << 2 << "TUESDAY";
    QTest::newRow("10/10/1583") << "10" << "10" << "1583" << 0.0 << 8.0 << 1 << "MONDAY";
    QTest::newRow("10/11/1582") << "10" << "11" << "1582" << 0.0 << 10.0 << 3 << "WEDNESDAY";
    QTest::newRow("leading zeros shown as typed") << "05" << "08" << "1947" << 0.0 << 9.0 << 2 << "TUESDAY";
    // clang-format on
}

void ResultTest::show()
{
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(double, showleap);
    QFETCH(double, totalcode);
    QFETCH(int, dayindex);
    QFETCH(QString, dayname);

    TestWindow t;
    MessageBoxAnswerer answerer;
    enterDate(t, day, month, year);
    t.click(t.w.cmdshow);

    QVERIFY(answerer.shown.isEmpty());
    const QString line1 = "The Day  " + day + " / " + month + " / " + year + "   is  ";
    QCOMPARE(t.w.lblshow1->text(), line1);
    QCOMPARE(t.w.lblshow2->text(), dayname);
    QCOMPARE(t.w.lbltime->text(), line1 + dayname);
    QCOMPARE(bannerColour(t.w), QColor(Qt::black));
    QCOMPARE(QApplication::focusWidget(), t.w.cmdshow);

    const FormState& s = t.w.state;
    QCOMPARE(s.showleap.toDouble(), showleap);
    QCOMPARE(s.showleap.kind(), runtime::Variant::Kind::Integer);
    QCOMPARE(s.totalcode.toDouble(), totalcode);
    QCOMPARE(s.totalcode.kind(), runtime::Variant::Kind::Long);
    QCOMPARE(s.dayindex, dayindex);
    QCOMPARE(s.dayname, dayname);
}

void ResultTest::refusal_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("message");

    // clang-format off
    QTest::newRow("31 April") << "31" << "4" << "2001" << "Do you know April,June,Sept. and Nov. have only 30 days";
    QTest::newRow("30 February 2000") << "30" << "2" << "2000" << "Do you know February has only 29 days for a Leap Year";
    QTest::newRow("29 February 1900") << "29" << "2" << "1900" << "Do you know February has only 28 days for a Non-Leap year";
    // clang-format on
    const QString gap = "Do you know the dates from 5/10/1582 to 14/10/1582 are not in the calender";
    // clang-format off
    QTest::newRow("5 October 1582") << "5" << "10" << "1582" << gap;
    QTest::newRow("14 October 1582") << "14" << "10" << "1582" << gap;
    // clang-format on
}

void ResultTest::refusal()
{
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QString, message);

    TestWindow t;
    MessageBoxAnswerer answerer;
    t.click(t.w.cmdshow); // a first result, which the refusal must not disturb
    const FormState before = t.w.state;
    enterDate(t, day, month, year);
    const FormState entered = t.w.state;

    for (int attempt = 1; attempt <= 2; ++attempt) { // the same refusal again
        t.click(t.w.cmdshow);
        QCOMPARE(t.w.lbltime->Left(), BannerAfterRefusal);
        QCOMPARE(answerer.shown.size(), attempt);
        QCOMPARE(answerer.shown.back().text, message + "\n\nOk.....? Try Again....");
        QCOMPARE(answerer.shown.back().title, QString("Critical Error"));
        QCOMPARE(answerer.shown.back().icon, QMessageBox::Critical);

        QVERIFY(t.focusReturnsTo(t.w.txtdate));
        QCOMPARE(t.w.txtdate->selectedText(), day);
        QVERIFY(t.w.lblshow1->text().isEmpty() && t.w.lblshow2->text().isEmpty());
        QCOMPARE(t.w.lbltime->text(), DayPrompt);
        QCOMPARE(bannerColour(t.w), QColor(Qt::red));

        const FormState& s = t.w.state;
        QCOMPARE(s.dayname, before.dayname);
        QCOMPARE(s.totalcode.toDouble(), before.totalcode.toDouble());
        QCOMPARE(s.dayindex, before.dayindex);
        QCOMPARE(s.showleap.toDouble(), before.showleap.toDouble());
        QCOMPARE(s.errorkind, entered.errorkind);
        QCOMPARE(s.dayno, entered.dayno);
    }
}

void ResultTest::showTwiceKeepsBanner()
{
    TestWindow t;
    t.click(t.w.cmdshow);
    const QString banner = t.w.lbltime->text();
    t.w.lbltime->setLeft(2000);
    t.click(t.w.cmdshow);
    QCOMPARE(t.w.lbltime->text(), banner);
    QCOMPARE(t.w.lblshow2->text(), QString("FRIDAY"));
    QCOMPARE(t.w.lbltime->Left(), 2000.0f);
}

void ResultTest::resultLinesStayCentred()
{
    TestWindow t;
    const int middle = t.w.width() / 2;
    auto centred = [&](const QLabel* label) {
        const int centre2 = label->geometry().left() + label->geometry().right() + 1; // twice the centre
        return std::abs(centre2 - 2 * middle) <= 2 && label->width() >= label->sizeHint().width();
    };
    enterDate(t, "3", "9", "1947"); // WEDNESDAY, a short first line
    t.click(t.w.cmdshow);
    QVERIFY(centred(t.w.lblshow1) && centred(t.w.lblshow2));
    enterDate(t, "0031", "0012", "4000"); // a long first line, FRIDAY... SUNDAY
    t.click(t.w.cmdshow);
    QVERIFY(centred(t.w.lblshow1) && centred(t.w.lblshow2));
    t.click(t.w.cmdclear);
    QCOMPARE(t.w.lblshow1->width(), 0);
    QVERIFY(std::abs(t.w.lblshow1->x() - middle) <= 1);
}

void ResultTest::clear_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<bool>("showFirst");

    // clang-format off
    QTest::newRow("after a result") << "29" << "2" << "2000" << true;
    QTest::newRow("after an impossible date") << "31" << "4" << "2001" << false;
    QTest::newRow("at the defaults") << "15" << "8" << "1947" << true;
    // clang-format on
}

void ResultTest::clear()
{
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(bool, showFirst);

    TestWindow t;
    MessageBoxAnswerer answerer;
    enterDate(t, day, month, year);
    if (showFirst)
        t.click(t.w.cmdshow);
    t.w.lbltime->setLeft(3000);
    t.click(t.w.cmdclear);

    QCOMPARE(t.w.txtdate->text(), QString("15"));
    QCOMPARE(t.w.txtmonth->text(), QString("8"));
    QCOMPARE(t.w.txtyear->text(), QString("1947"));
    QCOMPARE(QApplication::focusWidget(), t.w.txtdate);
    QCOMPARE(t.w.txtdate->selectedText(), QString("15"));
    QVERIFY(t.w.lblshow1->text().isEmpty() && t.w.lblshow2->text().isEmpty());
    QCOMPARE(t.w.lbltime->text(), DayPrompt);
    QCOMPARE(t.w.lbltime->Left(), 3000.0f);
    QCOMPARE(t.w.state.errorkind, 0);

    t.click(t.w.cmdshow);
    QCOMPARE(t.w.lblshow2->text(), QString("FRIDAY"));
    QVERIFY(answerer.shown.isEmpty());
}

void ResultTest::bannerMotion()
{
    TestWindow t;
    t.w.Timer1->setEnabled(false); // the test drives the ticks
    t.w.lbltime->setLeft(BannerStart);
    auto tick = [&](int times) {
        for (int i = 0; i < times; ++i)
            Timer1_Timer(t.w);
    };
    tick(50);
    QCOMPARE(t.w.lbltime->Left(), 5750.0f); // still beyond the right edge at 5730
    tick(1);
    QCOMPARE(t.w.lbltime->Left(), 5725.0f);
    tick(559 - 51);
    QCOMPARE(t.w.lbltime->Left(), -6975.0f);
    tick(1);
    QCOMPARE(t.w.lbltime->Left(), 7000.0f);

    t.w.lbltime->setLeft(BannerAfterRefusal);
    tick(679);
    QCOMPARE(t.w.lbltime->Left(), -6975.0f);
    tick(1);
    QCOMPARE(t.w.lbltime->Left(), 7000.0f);

    tick(100);
    QCOMPARE(t.w.lbltime->x(), 300); // 4500 twips at the nearest pixel
    t.press(Qt::Key_Tab);
    QCOMPARE(t.w.lbltime->text(), QString("Enter The Month .............."));
    QCOMPARE(t.w.lbltime->Left(), 4500.0f);
    QVERIFY(t.w.Timer1->Enabled()); // entering a box enables the timer
}

void ResultTest::tickAllocatesNothing()
{
    frmday w; // not shown: Qt's own repaint bookkeeping stays out of the count
    wireEvents(w);
    w.Timer1->setEnabled(false);
    w.lbltime->setLeft(BannerStart);
    const long before = allocations;
    for (int tick = 0; tick < 1000; ++tick)
        w.runEvent(w.Timer1->onTimer); // as the timer delivers it
    QCOMPARE(allocations - before, 0L);
    QCOMPARE(w.lbltime->Left(), -4000.0f); // a wrap after 560 ticks, 440 steps since
}

void ResultTest::ticksMissedOutOfSight_data()
{
    QTest::addColumn<float>("from");
    QTest::addColumn<int>("ticks");
    QTest::newRow("none") << BannerStart << 0;
    QTest::newRow("up to the wrap") << BannerStart << 560;
    QTest::newRow("one past it") << BannerStart << 561;
    QTest::newRow("after a refusal, round twice") << BannerAfterRefusal << 680 + 2 * 560 + 17;
    QTest::newRow("an hour, from mid-way") << 0.0f << 64 * 3600;
}

// The banner comes back into sight where it would stand had it moved tick by
// tick meanwhile.
void ResultTest::ticksMissedOutOfSight()
{
    QFETCH(float, from);
    QFETCH(int, ticks);
    frmday w; // not shown: the ticks go on in the timer's absence
    wireEvents(w);
    w.lbltime->setLeft(from);
    for (int tick = 0; tick < ticks; ++tick)
        Timer1_Timer(w);
    const float tickByTick = w.lbltime->Left();
    w.lbltime->setLeft(from);
    w.runEvent([&] { w.Timer1->onTicksMissed(ticks); });
    QCOMPARE(w.lbltime->Left(), tickByTick);
}

void ResultTest::enteringABoxLeavesTheTimerRunning()
{
    TestWindow t;
    int ticks = 0;
    t.w.Timer1->onTimer = [&] { ++ticks; };
    t.w.Timer1->setEnabled(false);
    t.w.Timer1->setInterval(1000); // long enough to tell a restart
    t.w.Timer1->setEnabled(true);
    QTest::qWait(600);
    t.press(Qt::Key_Tab); // GotFocus enables the running timer
    QTest::qWait(600);
    QCOMPARE(ticks, 1); // at 1000 ms, not at 1600
}

void ResultTest::enterPressesShow_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("line1");

    // clang-format off
    QTest::newRow("day, Return") << "txtdate" << "1" << int(Qt::Key_Return) << "The Day  1 / 8 / 1947   is  ";
    QTest::newRow("month, keypad Enter") << "txtmonth" << "9" << int(Qt::Key_Enter) << "The Day  15 / 9 / 1947   is  ";
    QTest::newRow("year, Return") << "txtyear" << "2000" << int(Qt::Key_Return) << "The Day  15 / 8 / 2000   is  ";
    QTest::newRow("day holding 0 is restored first") << "txtdate" << "0" << int(Qt::Key_Return)
                                                     << "The Day  15 / 8 / 1947   is  ";
    // clang-format on
}

void ResultTest::enterPressesShow()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, line1);

    TestWindow t;
    auto* b = t.w.findChild<runtime::TextBox*>(box);
    b->setFocus(Qt::TabFocusReason);
    t.type(typed);
    t.press(Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(QApplication::focusWidget(), t.w.cmdshow);
    QCOMPARE(t.w.lblshow1->text(), line1);
    QVERIFY(!t.w.lblshow2->text().isEmpty());
    if (typed == "0")
        QCOMPARE(t.w.lblshow2->text(), QString("FRIDAY"));
}

void ResultTest::enterAndSpaceOnButtons()
{
    TestWindow t;
    t.w.cmdshow->setFocus(Qt::TabFocusReason);
    t.press(Qt::Key_Space);
    QCOMPARE(t.w.lblshow2->text(), QString("FRIDAY"));
    t.press(Qt::Key_Escape); // nothing
    QCOMPARE(t.w.lblshow2->text(), QString("FRIDAY"));
    t.w.cmdclear->setFocus(Qt::TabFocusReason);
    t.press(Qt::Key_Return); // Enter presses the focused button, not SHOW
    QVERIFY(t.w.lblshow2->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), t.w.txtdate);
}

#ifdef Q_OS_WIN
namespace {

// The texts the program gives UI Automation to speak, and whose they are:
// announcements, which Qt raises as UI Automation notifications.
QList<std::pair<QObject*, QString>> spoken;

void record(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::Announcement)
        spoken.append({event->object(), static_cast<QAccessibleAnnouncementEvent*>(event)->message()});
}

} // namespace

// Windows' screen readers hear UI Automation: here, what the program tells
// Qt's side of it, and whose it is (windows_uia sees what reaches Windows).
void ResultTest::weekdayReachesUiAutomation()
{
    TestWindow t;
    // Asked for the window's UI Automation tree, as a screen reader asks, Qt
    // starts telling.
    SendMessageW(reinterpret_cast<HWND>(t.w.winId()), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
    QVERIFY(QAccessible::isActive());
    const QAccessible::UpdateHandler program = QAccessible::installUpdateHandler(record);
    t.click(t.w.cmdshow);
    QAccessible::installUpdateHandler(program);

    QCOMPARE(spoken, (QList<std::pair<QObject*, QString>>{{t.w.lblshow2, "FRIDAY"}}));
    QCOMPARE(QAccessible::queryAccessibleInterface(t.w.lblshow2)->role(), QAccessible::StaticText); // read as text
}
#endif

QTEST_MAIN(ResultTest)
#include "tst_result.moc"
