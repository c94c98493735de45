// Random use of the window: keys with any modifiers, pastes and drops of any
// text, focus moves, SHOW, CLEAR, Enter and timer ticks. After every event
// the boxes hold only digits within their limits and the Form state is what
// the three texts imply. A failure prints the seed and a shortest event list
// that still fails.
//
//   TELLWICK_RANDOM_SEED    the seed (default: a new one each run)
//   TELLWICK_RANDOM_EVENTS  how many events (default 100000)
#include "app/application.h"
#include "app/banner.h"
#include "support/calendar.h"
#include "support/testwindow.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QRandomGenerator>

#include <chrono>
#include <cstdio>

namespace {

struct Event {
    enum Kind { Key, Paste, MenuPaste, Drop, ClickBox, ClickButton, Tick } kind;
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    QString text;
    int target = 0; // box or button index
    int x = 0;

    QString describe() const
    {
        const char* boxes[] = {"txtdate", "txtmonth", "txtyear"};
        const char* buttons[] = {"cmdshow", "cmdclear", "lbldate"};
        const QString shown = text.size() > 20 ? QString("%1 x%2").arg(text.left(3)).arg(text.size()) : text;
        switch (kind) {
        case Key: return QString("key %1 modifiers %2").arg(QKeySequence(key).toString()).arg(int(modifiers), 0, 16);
        case Paste: return QString("Shift+Insert paste \"%1\"").arg(shown);
        case MenuPaste: return QString("menu paste \"%1\"").arg(shown);
        case Drop: return QString("drop \"%1\" on %2 at x=%3").arg(shown, boxes[target]).arg(x);
        case ClickBox: return QString("click %1 at x=%2").arg(boxes[target]).arg(x);
        case ClickButton: return QString("click %1").arg(buttons[target]);
        case Tick: return "timer tick";
        }
        return {};
    }
};

QString randomText(QRandomGenerator& rng)
{
    // clang-format off
    static const QStringList pieces = {"0", "1", "7", "12", "31", "4000", "a", "Z", " ", "-", "+", ".", ",",
                                       "e5", QString::fromUtf8("\u00e9"), QString::fromUtf8("\u0663"),
                                       QString::fromUtf8("\u4e2d"), "\t", "\n"};
    // clang-format on
    switch (rng.bounded(4)) {
    case 0: return QString::number(rng.bounded(100000));
    case 1: return QString(rng.bounded(20, 400), QChar('0' + rng.bounded(10)));
    case 2: return "";
    default: {
        QString text;
        for (int i = rng.bounded(1, 5); i > 0; --i)
            text += pieces[rng.bounded(pieces.size())];
        return text;
    }
    }
}

Event randomEvent(QRandomGenerator& rng)
{
    static const int keys[] = {
        Qt::Key_0,      Qt::Key_1,      Qt::Key_2,     Qt::Key_3,      Qt::Key_4,         Qt::Key_5,      Qt::Key_6,
        Qt::Key_7,      Qt::Key_8,      Qt::Key_9,     Qt::Key_A,      Qt::Key_V,         Qt::Key_Z,      Qt::Key_X,
        Qt::Key_C,      Qt::Key_Space,  Qt::Key_Minus, Qt::Key_Period, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
        Qt::Key_Right,  Qt::Key_Home,   Qt::Key_End,   Qt::Key_Tab,    Qt::Key_Backtab,   Qt::Key_Return, Qt::Key_Enter,
        Qt::Key_Escape, Qt::Key_Insert, Qt::Key_F5};
    Event e{};
    const int roll = rng.bounded(100);
    if (roll < 60) {
        e.kind = Event::Key;
        e.key = keys[rng.bounded(int(std::size(keys)))];
        // Mostly plain keys, digits above all, as a user types.
        if (roll < 25)
            e.key = Qt::Key_0 + rng.bounded(10);
        for (auto m : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
            if (rng.bounded(8) == 0)
                e.modifiers |= m;
    } else if (roll < 66) {
        e.kind = rng.bounded(2) ? Event::Paste : Event::MenuPaste;
        e.text = randomText(rng);
    } else if (roll < 70) {
        e.kind = Event::Drop;
        e.text = randomText(rng);
        e.target = rng.bounded(3);
        e.x = rng.bounded(2, 60);
    } else if (roll < 80) {
        e.kind = Event::ClickBox;
        e.target = rng.bounded(3);
        e.x = rng.bounded(2, 60);
    } else if (roll < 88) {
        e.kind = Event::ClickButton;
        e.target = rng.bounded(3);
    } else {
        e.kind = Event::Tick;
    }
    return e;
}

runtime::TextBox* boxAt(frmday& w, int i)
{
    return std::array{w.txtdate, w.txtmonth, w.txtyear}[i];
}

void apply(TestWindow& t, const Event& e)
{
    frmday& w = t.w;
    switch (e.kind) {
    case Event::Key: QTest::keyClick(QApplication::focusWidget(), Qt::Key(e.key), e.modifiers); break;
    case Event::Paste:
    case Event::MenuPaste:
        QApplication::clipboard()->setText(e.text);
        if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
            e.kind == Event::Paste ? QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier) : box->paste();
        break;
    case Event::Drop: {
        QMimeData data;
        data.setText(e.text);
        QDragEnterEvent enter(QPoint(e.x, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(QPointF(e.x, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(boxAt(w, e.target), &enter);
        QApplication::sendEvent(boxAt(w, e.target), &drop);
        break;
    }
    case Event::ClickBox: QTest::mouseClick(boxAt(w, e.target), Qt::LeftButton, {}, QPoint(e.x, 10)); break;
    case Event::ClickButton:
        QTest::mouseClick(std::array<QWidget*, 3>{w.cmdshow, w.cmdclear, w.findChild<QWidget*>("lbldate")}[e.target],
                          Qt::LeftButton);
        break;
    case Event::Tick: Timer1_Timer(w); break;
    }
}

int expectedYearCode(int year)
{
    using namespace std::chrono;
    if (year == 0)
        return -1; // the remainders keep the sign of the year before
    return (weekday(sys_days(std::chrono::year(year) / January / 1)).c_encoding() + 6) % 7;
}

// EXIT, which Tab and Space or Enter can reach, would end the whole run.
// Message boxes are answered at once, which keeps a replay exact.
struct RandomWindow : TestWindow {
    RandomWindow()
    {
        w.cmdexit->onClick = {};
        w.setMessageSink([](const QString&, const QString&) {});
    }
};

// What is wrong with the window now, or an empty text.
QString violation(RandomWindow& t)
{
    frmday& w = t.w;
    struct Box {
        runtime::TextBox* box;
        int limit;
    };
    for (const Box& b : {Box{w.txtdate, 31}, Box{w.txtmonth, 12}, Box{w.txtyear, 4000}}) {
        const QString text = b.box->text();
        static const QRegularExpression digits("^[0-9]+$");
        if (!digits.match(text).hasMatch())
            return QString("%1 holds \"%2\"").arg(b.box->objectName(), text.left(40));
        const double value = text.toDouble();
        if (value > b.limit)
            return QString("%1 holds %2, above %3").arg(b.box->objectName(), text.left(40)).arg(b.limit);
        if (value == 0 && QApplication::focusWidget() != b.box)
            return QString("%1 holds zero without the focus").arg(b.box->objectName());
    }
    const int day = int(w.txtdate->text().toDouble()), month = int(w.txtmonth->text().toDouble()),
              year = int(w.txtyear->text().toDouble());
    const bool leap = calendar::isLeap(year);
    int errorkind = 0;
    if ((month == 4 || month == 6 || month == 9 || month == 11) && day > 30)
        errorkind = 1;
    else if (month == 2 && day > (leap ? 29 : 28))
        errorkind = leap ? 2 : 3;

    const FormState& s = w.state;
    const bool stateRight = s.dayno == day && s.daycode.toDouble() == day % 7 && s.monthno.toDouble() == month
        && (month == 0 || s.monthcode.toDouble() == calendar::monthCode(month)) && s.yearno == year
        && s.yearcode.toDouble() == expectedYearCode(year) && s.leapflag.toDouble() == (leap ? 1 : 0)
        && s.errorkind == errorkind;
    if (!stateRight)
        return QString("Form state does not match %1 / %2 / %3").arg(day).arg(month).arg(year);
    if (t.w.runtimeErrorsCaught() != 0)
        return "a runtime error ended a handler";
    return {};
}

// Runs the events on a new window; the index of the first event after which
// something is wrong, or -1.
qsizetype firstFailure(const QList<Event>& events, QString* what = nullptr)
{
    RandomWindow t;
    for (qsizetype i = 0; i < events.size(); ++i) {
        apply(t, events[i]);
        const QString wrong = violation(t);
        if (!wrong.isEmpty()) {
            if (what)
                *what = wrong;
            return i;
        }
    }
    return -1;
}

// Delta debugging: drops ever smaller chunks while the list still fails.
QList<Event> shrink(QList<Event> events)
{
    QElapsedTimer budget;
    budget.start();
    for (qsizetype chunk = events.size() / 2; chunk >= 1 && budget.elapsed() < 120000; chunk /= 2) {
        for (qsizetype start = 0; start < events.size() && budget.elapsed() < 120000;) {
            QList<Event> fewer = events;
            fewer.remove(start, std::min(chunk, events.size() - start));
            const qsizetype failure = firstFailure(fewer);
            if (failure >= 0)
                events = fewer.first(failure + 1);
            else
                start += chunk;
        }
    }
    return events;
}

} // namespace

class RandomTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setupApplication(); }
    void randomUse();
};

void RandomTest::randomUse()
{
    const quint32 seed = qEnvironmentVariableIsSet("TELLWICK_RANDOM_SEED") ? qgetenv("TELLWICK_RANDOM_SEED").toUInt()
                                                                           : QRandomGenerator::global()->generate();
    const int count = qEnvironmentVariableIsSet("TELLWICK_RANDOM_EVENTS")
        ? qEnvironmentVariableIntValue("TELLWICK_RANDOM_EVENTS")
        : 100000;
    std::printf("seed %u, %d events\n", seed, count);

    QRandomGenerator rng(seed);
    QList<Event> events;
    RandomWindow t;
    QVERIFY(t.active);
    for (int i = 0; i < count; ++i) {
        events.append(randomEvent(rng));
        apply(t, events.back());
        const QString wrong = violation(t);
        if (wrong.isEmpty())
            continue;
        std::printf("seed %u: after event %d: %s\nshrinking...\n", seed, i, qPrintable(wrong));
        const QList<Event> shortest = shrink(events);
        QString what;
        firstFailure(shortest, &what);
        std::printf("a shortest failing list, %lld events, ending in: %s\n", qlonglong(shortest.size()),
                    qPrintable(what));
        for (const Event& e : shortest)
            std::printf("  %s\n", qPrintable(e.describe()));
        QFAIL(qPrintable(QString("seed %1 fails: %2").arg(seed).arg(wrong)));
    }
}

QTEST_MAIN(RandomTest)
#include "tst_random.moc"
