// The window on real display servers, where offscreen hides what desktops do.
// CTest runs it through desktop/session.sh, which names the session in
// TELLWICK_SESSION: "x11" (Xvfb, openbox, real X input from xdotool), "bare"
// (Xvfb and no window manager), "wayland" (a headless weston), "sway" (a
// headless sway, driven through swaymsg), "kwin" or "gnome" (headless KWin or
// GNOME Shell, driven through desktop/compositor.sh).
#include "app/application.h"
#include "app/banner.h"
#include "support/qtoptions.h"
#include "support/testwindow.h"

#include <QDrag>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QWindow>

#include <functional>

namespace {

const QString DayPrompt = "Enter The Date .........";

QString session()
{
    return qEnvironmentVariable("TELLWICK_SESSION");
}

// Real X input, through the X server as a user's would come.
void xdotool(const QStringList& args)
{
    QProcess::execute("xdotool", args);
}

void moveTo(QWidget* widget, QPoint at)
{
    const QPoint p = widget->mapToGlobal(at);
    xdotool({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
}

void clickAt(QWidget* widget, QPoint at, int button)
{
    moveTo(widget, at);
    xdotool({"click", QString::number(button)});
}

// sway's answer to a command or a question, as JSON.
QJsonDocument swaymsg(const QStringList& args)
{
    QProcess p;
    p.start("swaymsg", QStringList{"-r"} + args);
    p.waitForFinished();
    return QJsonDocument::fromJson(p.readAllStandardOutput());
}

const QString Program = "[app_id=org.example.tellwick]";

// The program's window in sway's tree: its container id, place and state.
QJsonObject swayContainer(const QJsonObject& node = swaymsg({"-t", "get_tree"}).object())
{
    if (node["app_id"].toString() == "org.example.tellwick")
        return node;
    for (const char* children : {"nodes", "floating_nodes"}) {
        for (const QJsonValue& child : node[children].toArray()) {
            if (QJsonObject found = swayContainer(child.toObject()); !found.isEmpty())
                return found;
        }
    }
    return {};
}

bool scripted()
{
    return session() == "kwin" || session() == "gnome";
}

const QString Title = "Which Day";
const QString RefusalTitle = "Critical Error";

// What the session's compositor answers when asked, in its own scripts, about
// a window or to change its state: as its window menu and key bindings do.
QStringList compositor(const QString& verb, const QString& title)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel); // its complaints, in the test's log
    p.start(qEnvironmentVariable("TELLWICK_COMPOSITOR"), {verb, title});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed().split(' ', Qt::SkipEmptyParts);
}

// Counts the times the window is hidden by the program itself: a window
// hidden and shown again is a new window to a Wayland compositor.
class HideCounter : public QObject {
public:
    explicit HideCounter(QWidget& window) { window.installEventFilter(this); }
    int hidden = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && !event->spontaneous())
            ++hidden;
        return false;
    }
};

// The face, as designed, in the middle of the window.
bool faceCentred(const frmday& w)
{
    const QRect face = w.face()->geometry();
    return face.size() == QSize(382, 384) && (face.center() - w.rect().center()).manhattanLength() <= 2;
}

QString xprop(const QWidget& window, const QString& property)
{
    QProcess p;
    p.start("xprop", {"-id", QString::number(window.winId()), property});
    p.waitForFinished();
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// Where the banner stands after some ticks from a position.
float afterTicks(float left, int ticks)
{
    for (int i = 0; i < ticks; ++i) {
        left -= BannerStep;
        if (left == BannerWrap)
            left = BannerStart;
    }
    return left;
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setupApplication(); }
    void windowStates_data();
    void windowStates();
    void swayStates_data();
    void swayStates();
    void compositorStates_data();
    void compositorStates();
    void refusalComesBackOverTheWindow();
    void refusalMinimisedComesBack();
    void refusalMaximisedKeepsTogether();
    void noMaximiseButton();
    void windowClassMatchesTheDesktopEntry();
    void qtOptionsOfX11AreQts();
    void middleClickPasteRefusedSelectsTheLimit();
    void rightClickLeavesNoStaleSelection();
    void drops_data();
    void drops();
    void messageBoxIsCentredOverTheWindow();
    void startUpWithoutActivation();
    void bannerTicks64TimesASecond();
    void bannerRestsOutOfSight_data();
    void bannerRestsOutOfSight();
};

void DesktopTest::windowStates_data()
{
    QTest::addColumn<int>("state");
    QTest::newRow("maximised") << int(Qt::WindowMaximized);
    QTest::newRow("full screen") << int(Qt::WindowFullScreen);
    QTest::newRow("minimised") << int(Qt::WindowMinimized);
}

// Whatever state the window is asked for (as the title bar's buttons ask), it
// stays the one window. Where the compositor holds it at another size, the
// face keeps its size in the middle; afterwards the window has its own size
// back, in its place.
void DesktopTest::windowStates()
{
    QFETCH(int, state);
    if (session() == "bare")
        QSKIP("no window manager to ask");

    TestWindow t;
    HideCounter window(t.w);
    const QRect box = t.w.txtdate->geometry();
    // X11 tells a client where its window is, Wayland does not; the frame
    // around it may be learnt late.
    const QPoint place = t.w.geometry().topLeft();
    t.w.windowHandle()->setWindowStates(Qt::WindowStates(state));
    QTest::qWait(1000); // the compositor's answer, or a protocol error that ends the process
    QVERIFY(faceCentred(t.w));
    t.w.windowHandle()->setWindowStates(Qt::WindowNoState);
    QTest::qWait(500);
    QCOMPARE(window.hidden, 0);
    QVERIFY(t.w.isVisible());
    QCOMPARE(t.w.size(), QSize(382, 384));
    QCOMPARE(t.w.minimumSize(), t.w.maximumSize());
    QCOMPARE(t.w.txtdate->geometry(), box);
    if (session() == "x11")
        QCOMPARE(t.w.geometry().topLeft(), place);
}

void DesktopTest::swayStates_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("undo");
    QTest::newRow("full screen") << "fullscreen enable"
                                 << "fullscreen disable";
    QTest::newRow("tiled") << "floating disable"
                           << "floating enable";
}

// sway's own states, as its key bindings give them: the window stays the one
// container, and the face keeps its size in the middle.
void DesktopTest::swayStates()
{
    QFETCH(QString, command);
    QFETCH(QString, undo);
    if (session() != "sway")
        QSKIP("runs in the sway session");

    TestWindow t;
    HideCounter window(t.w);
    swaymsg({Program, "move position 100 150"});
    QTest::qWait(300);
    const QJsonObject before = swayContainer();
    swaymsg({Program, command});
    QTest::qWait(1000);
    QCOMPARE(swayContainer()["id"], before["id"]);
    QVERIFY(faceCentred(t.w));
    swaymsg({Program, undo});
    QTest::qWait(1000);
    const QJsonObject after = swayContainer();
    QCOMPARE(after["id"], before["id"]);
    QCOMPARE(window.hidden, 0);
    QCOMPARE(t.w.size(), QSize(382, 384));
    if (command.startsWith("fullscreen")) // a window floated anew is placed anew
        QCOMPARE(after["rect"], before["rect"]);
}

void DesktopTest::compositorStates_data()
{
    QTest::addColumn<QString>("state");
    QTest::newRow("full screen") << "fullscreen";
    if (session() == "gnome") // KWin maximises no window of fixed size
        QTest::newRow("maximised") << "maximised";
}

// A state the compositor starts itself: the window takes the size it is
// given, the face in the middle, and is the same window, back at its own size
// in its old place afterwards.
void DesktopTest::compositorStates()
{
    QFETCH(QString, state);
    if (!scripted())
        QSKIP("runs in the kwin and gnome sessions");

    TestWindow t;
    HideCounter window(t.w);
    QTest::qWait(300);
    const QStringList before = compositor("frame", Title); // id, x, y, width, height, state
    compositor(state, Title);
    QTRY_COMPARE_WITH_TIMEOUT(compositor("frame", Title).value(5), state, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(t.w.width() > 640 && t.w.height() > 640, 3000);
    QCOMPARE(compositor("frame", Title).value(0), before.value(0));
    QVERIFY(faceCentred(t.w));
    compositor("normal", Title);
    QTRY_COMPARE_WITH_TIMEOUT(t.w.size(), QSize(382, 384), 3000);
    QTRY_COMPARE_WITH_TIMEOUT(compositor("frame", Title), before, 3000);
    QCOMPARE(window.hidden, 0);
}

// The user activates the window that a refusal blocks: the refusal comes back
// over it, with the keyboard on its OK button.
void DesktopTest::refusalComesBackOverTheWindow()
{
    if (session() != "sway")
        QSKIP("runs in the sway session");
    TestWindow t;
    QMessageBox* box = nullptr;
    bool boxActive = false;
    bool okFocused = false;
    QTimer::singleShot(1500, [&] {
        box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        swaymsg({"[title=\"Which Day\"]", "focus"});
    });
    QTimer::singleShot(2500, [&] {
        if (!box)
            return;
        boxActive = QApplication::activeWindow() == box;
        okFocused = QApplication::focusWidget() == box->button(QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    // The user types 99 into the day box, and keeps the keyboard (wtype's
    // virtual one, which is on sway's seat only while it runs).
    QProcess keyboard;
    keyboard.start("wtype", {"-s", "600", "99", "-s", "3000"});
    QTRY_VERIFY_WITH_TIMEOUT(box, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 5000);
    QVERIFY(boxActive);
    QVERIFY(okFocused);
    keyboard.kill();
    keyboard.waitForFinished();
}

// The user minimises a refusal, then activates its window: the refusal is
// back, with the keyboard on its OK button, and Return closes it.
void DesktopTest::refusalMinimisedComesBack()
{
    if (!scripted())
        QSKIP("runs in the kwin and gnome sessions");
    TestWindow t;
    bool boxActive = false;
    bool okFocused = false;
    bool closedByReturn = false;
    QTimer::singleShot(500, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        compositor("minimise", RefusalTitle);
        QTest::qWait(500);
        compositor("activate", Title);
        boxActive = QTest::qWaitFor([&] { return QApplication::activeWindow() == box; }, 2000);
        okFocused = QApplication::focusWidget() == box->button(QMessageBox::Ok);
        t.press(Qt::Key_Return);
        closedByReturn = !box->isVisible();
        if (!closedByReturn)
            box->button(QMessageBox::Ok)->click();
    });
    t.w.txtdate->setText("99"); // the day's refusal, until OK
    QVERIFY(boxActive);
    QVERIFY(okFocused);
    QVERIFY(closedByReturn);
}

// A refusal asked to be maximised, as a double click on the title bar Qt
// draws asks: it takes what the compositor gives, its content stays together
// in the middle, and it has its own size back afterwards.
void DesktopTest::refusalMaximisedKeepsTogether()
{
    if (session() != "wayland")
        QSKIP("runs in the wayland session");
    TestWindow t;
    QMessageBox* box = nullptr;
    QRect normal, held, back; // the content, in the box's own rect
    QSize heldSize;
    QTimer::singleShot(500, [&] {
        box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        normal = box->childrenRect();
        box->windowHandle()->setWindowStates(Qt::WindowMaximized);
    });
    QTimer::singleShot(1500, [&] {
        held = box->childrenRect().translated(-box->rect().center());
        heldSize = box->size();
        box->windowHandle()->setWindowStates(Qt::WindowNoState);
    });
    QTimer::singleShot(2500, [&] {
        back = box->childrenRect();
        box->button(QMessageBox::Ok)->click();
    });
    t.w.txtdate->setText("99"); // the day's refusal, until OK
    QVERIFY(heldSize.width() > normal.width() && heldSize.height() > normal.height());
    QVERIFY2((held.center()).manhattanLength() <= 2, "the content is centred");
    QCOMPARE(held.size(), normal.size());
    QCOMPARE(back, normal);
}

void DesktopTest::noMaximiseButton()
{
    if (session() != "x11")
        QSKIP("runs in the x11 session");
    TestWindow t;
    const QString actions = xprop(t.w, "_NET_WM_ALLOWED_ACTIONS");
    QVERIFY2(actions.contains("_NET_WM_ACTION_CLOSE"), qPrintable(actions));
    QVERIFY2(!actions.contains("MAXIMIZE"), qPrintable(actions));
}

void DesktopTest::windowClassMatchesTheDesktopEntry()
{
    if (session() != "x11")
        QSKIP("runs in the x11 session");
    TestWindow t;
    QFile entry(DESKTOP_ENTRY);
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QString wanted = QString(entry.readAll()).section("StartupWMClass=", 1).section('\n', 0, 0);
    QVERIFY(!wanted.isEmpty());
    QVERIFY2(xprop(t.w, "WM_CLASS").contains(QString(", \"%1\"").arg(wanted)), qPrintable(xprop(t.w, "WM_CLASS")));
}

void DesktopTest::qtOptionsOfX11AreQts()
{
    if (session() != "x11")
        QSKIP("runs in the x11 session");
    const QStringList disagreements = qtOptionsDisagreements(true);
    QVERIFY2(disagreements.isEmpty(), qPrintable(disagreements.join("; ")));
}

// A middle click pastes the PRIMARY selection where it lands: "8" becomes
// "85", which is refused; the limit then stands wholly selected.
void DesktopTest::middleClickPasteRefusedSelectsTheLimit()
{
    if (session() != "x11")
        QSKIP("runs in the x11 session");
    TestWindow t;
    MessageBoxAnswerer answerer;
    QProcess xclip;
    xclip.start("xclip", {"-selection", "primary"});
    xclip.write("5");
    xclip.closeWriteChannel();
    xclip.waitForFinished();

    clickAt(t.w.txtmonth, QPoint(t.w.txtmonth->width() - 5, 10), 2);
    QTRY_COMPARE(answerer.shown.size(), 1);
    QVERIFY(answerer.shown.front().text.startsWith("Enter a number less than 13"));
    QVERIFY(t.focusReturnsTo(t.w.txtmonth));
    QTRY_COMPARE(t.w.txtmonth->selectedText(), QString("12"));
    xdotool({"type", "5"});
    QTRY_COMPARE(t.w.txtmonth->text(), QString("5"));
    QCOMPARE(answerer.shown.size(), 1);
}

// The context menu takes the release of the click that gave the focus; a
// later click in the box places the caret where it lands.
void DesktopTest::rightClickLeavesNoStaleSelection()
{
    if (session() != "x11")
        QSKIP("runs in the x11 session");
    TestWindow t;
    QPoint middle(0, t.w.txtyear->height() / 2); // where a click puts the caret in "19|47"
    while (t.w.txtyear->cursorPositionAt(middle) < 2)
        middle.rx()++;

    clickAt(t.w.txtyear, QPoint(10, 10), 3);
    QTRY_VERIFY(QApplication::activePopupWidget());
    xdotool({"key", "Escape"});
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(QApplication::focusWidget(), t.w.txtyear);
    clickAt(t.w.txtyear, middle, 1);
    QTRY_COMPARE(t.w.txtyear->cursorPosition(), 2);
    QVERIFY(!t.w.txtyear->hasSelectedText());
}

// A drag source that offers only a move, as some programs' do: its text is
// gone once a drop reports the move done.
class MoveSource : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setText(text());
        drag->setMimeData(data);
        if (drag->exec(Qt::MoveAction) == Qt::MoveAction)
            clear();
    }
};

void DesktopTest::drops_data()
{
    QTest::addColumn<QString>("dragged");
    QTest::addColumn<bool>("taken");
    QTest::newRow("letters are refused, the source keeps them") << "abc" << false;
    QTest::newRow("a digit goes in, moved from the source") << "2" << true;
}

void DesktopTest::drops()
{
    QFETCH(QString, dragged);
    QFETCH(bool, taken);
    if (session() != "x11")
        QSKIP("runs in the x11 session");

    TestWindow t;
    MessageBoxAnswerer answerer;
    t.type("1"); // over the selected "15": a digit dropped next to it stays below the limit
    MoveSource source(dragged);
    source.setMinimumSize(60, 30);
    source.move(t.w.frameGeometry().bottomLeft() + QPoint(0, 40));
    source.show();
    QVERIFY(QTest::qWaitForWindowExposed(&source));

    // The source's drag runs a loop of its own until the drop; a timer,
    // which fires in that loop too, plays the gesture one step at a time.
    const QPoint from = source.mapToGlobal(QPoint(10, 10));
    const QPoint to = t.w.txtdate->mapToGlobal(QPoint(3, 12));
    QList<QStringList> steps
        = {{"mousemove", "--sync", QString::number(from.x()), QString::number(from.y())}, {"mousedown", "1"}};
    for (int step = 0; step < 8; ++step) // over the start of the day box's text
        steps.append(QStringList{"mousemove", "--sync", QString::number(to.x() + step), QString::number(to.y())});
    steps.append(QStringList{"mouseup", "1"});
    QTimer player;
    connect(&player, &QTimer::timeout, [&] { steps.isEmpty() ? player.stop() : xdotool(steps.takeFirst()); });
    player.start(60);
    QTRY_VERIFY(steps.isEmpty());
    QTRY_COMPARE(source.text(), taken ? QString() : dragged);
    const QString day = t.w.txtdate->text();
    QVERIFY2(taken ? day == "12" || day == "21" : day == "1", qPrintable(day));
    QVERIFY(answerer.shown.isEmpty());
}

// A refusal raised while another window is active still appears over the
// program's own window, as its child.
void DesktopTest::messageBoxIsCentredOverTheWindow()
{
    if (session() == "bare")
        QSKIP("no window manager to place windows");
    TestWindow t;
    QWidget other;
    other.show();
    other.activateWindow();
    QTest::qWait(300);

    QWidget* parent = nullptr;
    QWindow* transientParent = nullptr;
    QPoint centre;
    QTimer::singleShot(500, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        parent = box->parentWidget();
        transientParent = box->windowHandle()->transientParent();
        centre = box->frameGeometry().center();
        box->button(QMessageBox::Ok)->click();
    });
    t.w.txtdate->setText("99"); // as a drop from another program would: the day's refusal
    QCOMPARE(parent, &t.w);
    QCOMPARE(transientParent, t.w.windowHandle());
    if (session() == "x11") // Wayland tells a client nothing of where its windows are
        QVERIFY2((centre - t.w.frameGeometry().center()).manhattanLength() < 40,
                 qPrintable(QString("%1,%2").arg(centre.x()).arg(centre.y())));
}

// No window manager activates the window: the day prompt is on the banner
// all the same, and activating the window later runs no second GotFocus.
void DesktopTest::startUpWithoutActivation()
{
    if (session() != "bare")
        QSKIP("runs in the bare session");
    frmday w;
    wireEvents(w);
    w.start();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::qWait(300);
    QVERIFY(!w.isActiveWindow());
    QCOMPARE(w.lbltime->text(), DayPrompt);
    QCOMPARE(w.lbltime->palette().color(QPalette::WindowText), QColor(Qt::red));
    QCOMPARE(w.txtdate->selectedText(), QString("15"));

    w.lbltime->setCaption("unchanged");
    xdotool({"windowfocus", "--sync", QString::number(w.winId())});
    QTRY_VERIFY(w.isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), w.txtdate);
    QCOMPARE(w.lbltime->text(), QString("unchanged"));
}

// Ticks come at the clock rate of the desktop the layout was designed on,
// 64 a second, whatever the 5 ms interval, and each moves the banner a step.
void DesktopTest::bannerTicks64TimesASecond()
{
    if (session() != "x11")
        QSKIP("runs in the x11 session");
    TestWindow t;
    QCOMPARE(t.w.Timer1->interval(), 5);
    int ticks = 0;
    const auto tick = t.w.Timer1->onTimer;
    t.w.Timer1->onTimer = [&] {
        ++ticks;
        tick();
    };
    const float left = t.w.lbltime->Left();
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(3000);
    const double perSecond = ticks * 1000.0 / clock.elapsed();
    std::printf("banner: %.1f ticks a second\n", perSecond);
    QVERIFY2(perSecond >= 55 && perSecond <= 70, qPrintable(QString::number(perSecond)));
    QCOMPARE(t.w.lbltime->Left(), afterTicks(left, ticks));
}

void DesktopTest::bannerRestsOutOfSight_data()
{
    QTest::addColumn<QString>("inSession");
    QTest::newRow("minimised") << "x11";
    QTest::newRow("covered") << "x11";
    QTest::newRow("on another workspace") << "sway";
}

// Out of sight the banner's timer sleeps; back in sight the banner stands
// where it would have been, a tick either way.
void DesktopTest::bannerRestsOutOfSight()
{
    QFETCH(QString, inSession);
    if (session() != inSession)
        QSKIP(qPrintable("runs in the " + inSession + " session"));
    TestWindow t;
    QWidget cover(nullptr, Qt::FramelessWindowHint);
    cover.setGeometry(t.w.screen()->geometry());
    const QString id = QString::number(t.w.winId());
    const QString way = QTest::currentDataTag();
    std::function<void()> putAway = [&] { xdotool({"windowminimize", "--sync", id}); };
    std::function<void()> bringBack = [&] { xdotool({"windowmap", "--sync", id}); };
    if (way == "covered") {
        putAway = [&] { cover.show(); };
        bringBack = [&] { cover.hide(); };
    } else if (way == "on another workspace") {
        QTRY_VERIFY(!swayContainer().isEmpty()); // mapped, on the workspace shown
        putAway = [] { swaymsg({"workspace", "elsewhere"}); };
        bringBack = [] { swaymsg({Program, "focus"}); };
    }

    int ticksAway = 0;
    const auto tick = t.w.Timer1->onTimer;
    t.w.Timer1->onTimer = [&] {
        ++ticksAway;
        tick();
    };
    float leftAway = 0;
    float leftBack = 0;
    QElapsedTimer away;
    qint64 awayNs = 0;
    QObject::connect(&t.w, &runtime::Form::seenChanged, &t.w, [&](bool seen) {
        if (!seen) {
            leftAway = t.w.lbltime->Left();
            ticksAway = 0;
            away.start();
        } else {
            leftBack = t.w.lbltime->Left();
            awayNs = away.nsecsElapsed();
        }
    });
    putAway();
    QTRY_VERIFY(!t.w.seen());
    QTest::qWait(1000);
    QCOMPARE(ticksAway, 0);
    bringBack();
    QTRY_VERIFY(t.w.seen());
    const auto grid = int(awayNs / 15'625'000);
    QVERIFY2(leftBack == afterTicks(leftAway, grid) || leftBack == afterTicks(leftAway, grid + 1),
             qPrintable(QString("%1 ticks away, from %2 to %3").arg(grid).arg(leftAway).arg(leftBack)));
}

QTEST_MAIN(DesktopTest)
#include "tst_desktop.moc"
