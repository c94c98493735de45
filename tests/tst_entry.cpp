#include "app/application.h"
#include "runtime/variant.h"
#include "support/calendar.h"
#include "support/testwindow.h"

#include <QAccessible>
#include <QClipboard>
#include <QMimeData>

using runtime::TextBox;
using runtime::Variant;

namespace {

TextBox* box(TestWindow& t, const QString& name)
{
    return t.w.findChild<TextBox*>(name);
}

// Gives the box the focus as Tab would, its whole text selected.
TextBox* enter(TestWindow& t, const QString& name)
{
    TextBox* b = box(t, name);
    b->setFocus(Qt::TabFocusReason);
    return b;
}

void selectAllAndType(TestWindow& t, const QString& name, const QString& digits)
{
    TextBox* b = enter(t, name);
    b->selectAll();
    t.type(digits);
}

} // namespace

class EntryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setupApplication(); }
    void keyFilter_data();
    void keyFilter();
    void emptiedBoxRefills_data();
    void emptiedBoxRefills();
    void valueAboveLimitIsRefused_data();
    void valueAboveLimitIsRefused();
    void leavingZeroRestoresDefault_data();
    void leavingZeroRestoresDefault();
    void leadingZerosAreKept();
    void yearCodes_data();
    void yearCodes();
    void monthCodes_data();
    void monthCodes();
    void dayCount_data();
    void dayCount();
    void focusPutsPromptOnBanner();
    void clickSelectsWholeText();
    void switchingAwayIsNotLeavingTheBox_data();
    void switchingAwayIsNotLeavingTheBox();
    void focusGivenWhileInactiveLeavesThePreviousBoxOnArrival();
    void pastes_data();
    void pastes();
};

void EntryTest::keyFilter_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");

    // clang-format off
    QTest::newRow("digits pass") << "123" << "123";
    QTest::newRow("letters are dropped") << "1a2b" << "12";
    QTest::newRow("space, sign and point are dropped") << "1 -+.,2" << "12";
    QTest::newRow("non-ASCII digit is dropped") << QString::fromUtf8("1\u0663") << "1";
    // clang-format on
}

void EntryTest::keyFilter()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);

    TestWindow t;
    selectAllAndType(t, "txtyear", keys);
    QCOMPARE(t.w.txtyear->text(), text);

    // Control characters never reach the box: not even Ctrl+V's paste.
    QApplication::clipboard()->setText("7");
    for (Qt::Key key : {Qt::Key_V, Qt::Key_A, Qt::Key_Z, Qt::Key_X, Qt::Key_H})
        t.press(key, Qt::ControlModifier);
    t.press(Qt::Key_Backspace, Qt::ControlModifier);
    t.press(Qt::Key_Escape);
    QCOMPARE(t.w.txtyear->text(), text);
}

void EntryTest::emptiedBoxRefills_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("refill");

    QTest::newRow("day, Backspace") << "txtdate" << int(Qt::Key_Backspace) << "15";
    QTest::newRow("month, Delete") << "txtmonth" << int(Qt::Key_Delete) << "8";
    QTest::newRow("year, Backspace") << "txtyear" << int(Qt::Key_Backspace) << "1947";
}

void EntryTest::emptiedBoxRefills()
{
    QFETCH(QString, name);
    QFETCH(int, key);
    QFETCH(QString, refill);

    TestWindow t;
    MessageBoxAnswerer answerer;
    selectAllAndType(t, name, "5");
    TextBox* b = box(t, name);
    b->setCursorPosition(key == Qt::Key_Delete ? 0 : 1);
    t.press(Qt::Key(key));
    QCOMPARE(b->text(), refill);
    QCOMPARE(b->selectedText(), refill);
    QCOMPARE(QApplication::focusWidget(), b);
    QVERIFY(answerer.shown.isEmpty());

    const FormState& s = t.w.state;
    QCOMPARE(s.dayno, 15);
    QCOMPARE(s.daycode.toDouble(), 1.0);
    QCOMPARE(s.monthno.toDouble(), 8.0);
    QCOMPARE(s.monthcode.toDouble(), 2.0);
    QCOMPARE(s.yearno, 1947);
    QCOMPARE(s.yearcode.toDouble(), 2.0);
}

void EntryTest::valueAboveLimitIsRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("limit");

    // clang-format off
    QTest::newRow("day 155") << "txtdate" << "155" << "Enter a number less than 32" << "31";
    QTest::newRow("day 32") << "txtdate" << "32" << "Enter a number less than 32" << "31";
    QTest::newRow("month 13") << "txtmonth" << "13" << "Enter a number less than 13" << "12";
    QTest::newRow("year 5000") << "txtyear" << "5000" << "Enter a number less than 4000" << "4000";
    QTest::newRow("year 40001") << "txtyear" << "40001" << "Enter a number less than 4000" << "4000";
    // clang-format on
}

void EntryTest::valueAboveLimitIsRefused()
{
    QFETCH(QString, name);
    QFETCH(QString, keys);
    QFETCH(QString, message);
    QFETCH(QString, limit);

    TestWindow t;
    MessageBoxAnswerer answerer;
    selectAllAndType(t, name, keys);

    QCOMPARE(answerer.shown.size(), 1);
    const auto& shown = answerer.shown.front();
    QCOMPARE(shown.text, message + "\n\nOk.....? Try Again...."); // a blank line between
    QCOMPARE(shown.title, QString("Critical Error"));
    QCOMPARE(shown.icon, QMessageBox::Critical);
    QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    TextBox* b = box(t, name);
    QVERIFY(t.focusReturnsTo(b));
    QCOMPARE(b->text(), limit);
    QCOMPARE(b->selectedText(), limit);

    const FormState& s = t.w.state;
    if (name == "txtdate") {
        QCOMPARE(s.dayno, 31);
        QCOMPARE(s.daycode.toDouble(), 3.0);
    } else if (name == "txtmonth") {
        QCOMPARE(s.monthno.toDouble(), 12.0);
        QCOMPARE(s.monthcode.toDouble(), 5.0);
    } else {
        QCOMPARE(s.yearno, 4000);
        QCOMPARE(s.yearcode.toDouble(), 5.0);
        QCOMPARE(s.leapflag.toDouble(), 1.0);
    }
    // The next digit typed replaces the limit.
    t.type("1");
    QCOMPARE(b->text(), QString("1"));
}

void EntryTest::leavingZeroRestoresDefault_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("left");

    // clang-format off
    QTest::newRow("day 0") << "txtdate" << "0" << "15";
    QTest::newRow("day 00") << "txtdate" << "00" << "15";
    QTest::newRow("month 0") << "txtmonth" << "0" << "8";
    QTest::newRow("year 0000") << "txtyear" << "0000" << "1947";
    QTest::newRow("day 07 stays") << "txtdate" << "07" << "07";
    // clang-format on
}

void EntryTest::leavingZeroRestoresDefault()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, left);

    TestWindow t;
    selectAllAndType(t, name, typed);
    QCOMPARE(box(t, name)->text(), typed); // zero stays while the box has the focus
    t.press(Qt::Key_Tab);
    QCOMPARE(box(t, name)->text(), left);
    // The restore went through Change: the state follows the text left.
    QCOMPARE(t.w.state.dayno, t.w.txtdate->text().toInt());
    QCOMPARE(t.w.state.monthno.toDouble(), 8.0);
    QCOMPARE(t.w.state.yearno, 1947);
}

void EntryTest::leadingZerosAreKept()
{
    TestWindow t;
    selectAllAndType(t, "txtdate", "0031");
    QCOMPARE(t.w.txtdate->text(), QString("0031"));
    QCOMPARE(t.w.state.dayno, 31);
    QCOMPARE(t.w.state.daycode.toDouble(), 3.0);
    selectAllAndType(t, "txtmonth", "07");
    QCOMPARE(t.w.txtmonth->text(), QString("07"));
    QCOMPARE(t.w.state.monthno.toDouble(), 7.0);
    QCOMPARE(t.w.state.monthcode.toDouble(), 6.0);
}

void EntryTest::yearCodes_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<double>("yearcode");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("leapflag");

    const int Int = int(Variant::Kind::Integer), Lng = int(Variant::Kind::Long);
    QTest::newRow("0") << "0" << -1.0 << Lng << 1.0;
    QTest::newRow("1") << "1" << 0.0 << Int << 0.0;
    QTest::newRow("400") << "400" << 5.0 << Lng << 1.0;
    QTest::newRow("401") << "401" << 0.0 << Int << 0.0;
    QTest::newRow("1582") << "1582" << 4.0 << Lng << 0.0;
    QTest::newRow("1600") << "1600" << 5.0 << Lng << 1.0;
    QTest::newRow("1900") << "1900" << 0.0 << Lng << 0.0;
    QTest::newRow("1947") << "1947" << 2.0 << Lng << 0.0;
    QTest::newRow("2000") << "2000" << 5.0 << Lng << 1.0;
    QTest::newRow("2001") << "2001" << 0.0 << Int << 0.0;
    QTest::newRow("2004") << "2004" << 3.0 << Lng << 1.0;
    QTest::newRow("4000") << "4000" << 5.0 << Lng << 1.0;
}

void EntryTest::yearCodes()
{
    QFETCH(QString, year);
    QFETCH(double, yearcode);
    QFETCH(int, kind);
    QFETCH(double, leapflag);

    TestWindow t;
    selectAllAndType(t, "txtyear", year);
    const FormState& s = t.w.state;
    QCOMPARE(s.yearno, year.toInt());
    QCOMPARE(s.yearcode.toDouble(), yearcode);
    QCOMPARE(int(s.yearcode.kind()), kind);
    QCOMPARE(s.leapflag.toDouble(), leapflag);
    QCOMPARE(s.leapflag.kind(), Variant::Kind::Integer);
}

void EntryTest::monthCodes_data()
{
    QTest::addColumn<QString>("month");
    QTest::addColumn<double>("monthcode");

    for (int m = 1; m <= 12; ++m)
        QTest::addRow("%d", m) << QString::number(m) << double(calendar::monthCode(m));
    QTest::newRow("0 keeps the last code") << "0" << 6.0;
}

void EntryTest::monthCodes()
{
    QFETCH(QString, month);
    QFETCH(double, monthcode);

    TestWindow t;
    selectAllAndType(t, "txtmonth", "7"); // code 6
    selectAllAndType(t, "txtmonth", month);
    QCOMPARE(t.w.state.monthno.toDouble(), month.toDouble());
    QCOMPARE(t.w.state.monthno.kind(), Variant::Kind::Double);
    QCOMPARE(t.w.state.monthcode.toDouble(), monthcode);
    QCOMPARE(t.w.state.monthcode.kind(), Variant::Kind::Integer);
}

void EntryTest::dayCount_data()
{
    QTest::addColumn<QStringList>("steps"); // "box=digits", typed in this order
    QTest::addColumn<int>("errorkind");

    QTest::newRow("31 April") << QStringList{"txtdate=31", "txtmonth=4"} << 1;
    QTest::newRow("April, then 31") << QStringList{"txtmonth=4", "txtdate=31"} << 1;
    QTest::newRow("31 November") << QStringList{"txtmonth=11", "txtdate=31"} << 1;
    QTest::newRow("31 September, then 30") << QStringList{"txtdate=31", "txtmonth=9", "txtdate=30"} << 0;
    QTest::newRow("31 April, then May") << QStringList{"txtdate=31", "txtmonth=4", "txtmonth=5"} << 0;
    QTest::newRow("31 December") << QStringList{"txtdate=31", "txtmonth=12"} << 0;
    QTest::newRow("30 February 2000") << QStringList{"txtyear=2000", "txtdate=30", "txtmonth=2"} << 2;
    QTest::newRow("31 February 2000") << QStringList{"txtyear=2000", "txtmonth=2", "txtdate=31"} << 2;
    QTest::newRow("30 February 1947") << QStringList{"txtdate=30", "txtmonth=2"} << 3;
    QTest::newRow("29 February 2000") << QStringList{"txtdate=29", "txtmonth=2", "txtyear=2000"} << 0;
    QTest::newRow("29 February 2000, then 1900")
        << QStringList{"txtdate=29", "txtmonth=2", "txtyear=2000", "txtyear=1900"} << 3;
    QTest::newRow("29 February 1900, then March")
        << QStringList{"txtdate=29", "txtmonth=2", "txtyear=1900", "txtmonth=3"} << 0;
    QTest::newRow("29 February 2001") << QStringList{"txtyear=2001", "txtmonth=2", "txtdate=29"} << 3;
    QTest::newRow("28 February 1900") << QStringList{"txtyear=1900", "txtmonth=2", "txtdate=28"} << 0;
    QTest::newRow("day 0 of February") << QStringList{"txtmonth=2", "txtdate=0"} << 0;
    QTest::newRow("29 of month 0") << QStringList{"txtdate=29", "txtmonth=0"} << 0;
}

void EntryTest::dayCount()
{
    QFETCH(QStringList, steps);
    QFETCH(int, errorkind);

    TestWindow t;
    for (const QString& step : steps) {
        const QStringList parts = step.split('=');
        selectAllAndType(t, parts[0], parts[1]);
    }
    QCOMPARE(t.w.state.errorkind, errorkind);
}

void EntryTest::focusPutsPromptOnBanner()
{
    TestWindow t;
    const QString day = "Enter The Date .........", month = "Enter The Month ..............",
                  year = "Enter The Year ................";
    const QColor red(255, 0, 0), blue(0, 0, 255), green(0, 255, 0);
    const struct {
        Qt::Key key;
        QString prompt;
        QColor colour;
    } steps[] = {{Qt::Key_Tab, month, blue},
                 {Qt::Key_Tab, year, green},
                 {Qt::Key_Backtab, month, blue},
                 {Qt::Key_Backtab, day, red}};

    t.w.lbltime->setLeft(1234);
    for (const auto& step : steps) {
        t.press(step.key);
        QCOMPARE(t.w.lbltime->text(), step.prompt);
        QCOMPARE(t.w.lbltime->palette().color(QPalette::WindowText), step.colour);
        QCOMPARE(qobject_cast<QLineEdit*>(QApplication::focusWidget())->selectedText(),
                 qobject_cast<QLineEdit*>(QApplication::focusWidget())->text());
    }
    QCOMPARE(t.w.lbltime->Left(), 1234.0f); // the prompt changes, the banner does not move
}

void EntryTest::clickSelectsWholeText()
{
    TestWindow t;
    t.click(t.w.txtyear);
    QCOMPARE(QApplication::focusWidget(), t.w.txtyear);
    QCOMPARE(t.w.txtyear->selectedText(), QString("1947"));
    QCOMPARE(t.w.lbltime->text(), QString("Enter The Year ................"));
    t.type("5");
    QCOMPARE(t.w.txtyear->text(), QString("5"));
    // A second click, in a box that has the focus, places the caret as usual.
    t.click(t.w.txtyear);
    QVERIFY(!t.w.txtyear->hasSelectedText());
}

void EntryTest::switchingAwayIsNotLeavingTheBox_data()
{
    QTest::addColumn<bool>("popup");
    QTest::newRow("another window") << false;
    QTest::newRow("the box's context menu") << true;
}

void EntryTest::switchingAwayIsNotLeavingTheBox()
{
    QFETCH(bool, popup);

    TestWindow t;
    selectAllAndType(t, "txtmonth", "0");
    t.w.lbltime->setCaption("unchanged");
    QWidget other;
    if (popup) {
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), t.w.txtmonth->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(t.w.txtmonth, &menu);
        QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget(); }));
    } else {
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    QCOMPARE(t.w.txtmonth->text(), QString("0")); // no LostFocus: the zero stays
    if (popup)
        QApplication::activePopupWidget()->close();
    else
        t.w.activateWindow();
    QVERIFY(t.focusReturnsTo(t.w.txtmonth));
    QCOMPARE(t.w.lbltime->text(), QString("unchanged")); // no GotFocus either
    t.press(Qt::Key_Tab); // leaving it for real restores the default
    QCOMPARE(t.w.txtmonth->text(), QString("8"));
}

void EntryTest::focusGivenWhileInactiveLeavesThePreviousBoxOnArrival()
{
    TestWindow t;
    selectAllAndType(t, "txtmonth", "0");
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    t.w.txtdate->setText(""); // the day box refills itself and takes the focus
    QCOMPARE(t.w.txtmonth->text(), QString("0"));
    t.w.activateWindow();
    QVERIFY(t.focusReturnsTo(t.w.txtdate));
    QCOMPARE(t.w.txtmonth->text(), QString("8")); // the month box was left, holding zero
}

void EntryTest::pastes_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("month");
    QTest::addColumn<int>("messages");

    for (const char* how : {"Shift+Insert", "menu", "drop", "screen reader"}) {
        // clang-format off
        QTest::addRow("%s letters refused", how) << how << "1a" << "8" << 0;
        QTest::addRow("%s sign refused", how) << how << "-5" << "8" << 0;
        QTest::addRow("%s fraction refused", how) << how << "2.5" << "8" << 0;
        QTest::addRow("%s non-ASCII refused", how) << how << QString::fromUtf8("\u0663") << "8" << 0;
        // clang-format on
        // A paste replaces the selected "8"; a drop goes in where it lands.
        const bool drop = QString(how) == "drop";
        QTest::addRow("%s digits pass", how) << how << (drop ? "0" : "7") << (drop ? "08" : "7") << 0;
        QTest::addRow("%s 400 digits refused as above the limit", how) << how << QString(400, '9') << "12" << 1;
    }
}

void EntryTest::pastes()
{
    QFETCH(QString, how);
    QFETCH(QString, pasted);
    QFETCH(QString, month);
    QFETCH(int, messages);

    TestWindow t;
    MessageBoxAnswerer answerer;
    TextBox* b = enter(t, "txtmonth");
    b->selectAll();
    if (how == "drop") {
        QMimeData data;
        data.setText(pasted);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDragEnterEvent enterEvent(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(b, &enterEvent);
        QApplication::sendEvent(b, &drop);
    } else if (how == "screen reader") { // its edit of the selected text
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(b);
        box->editableTextInterface()->replaceText(0, static_cast<int>(b->text().size()), pasted);
    } else {
        QApplication::clipboard()->setText(pasted);
        if (how == "menu")
            b->paste(); // what the context menu's Paste runs
        else
            t.press(Qt::Key_Insert, Qt::ShiftModifier);
    }
    QCOMPARE(answerer.shown.size(), messages);
    QVERIFY(t.focusReturnsTo(b));
    QCOMPARE(b->text(), month);
    QCOMPARE(t.w.state.monthno.toDouble(), month.toDouble());
}

QTEST_MAIN(EntryTest)
#include "tst_entry.moc"
