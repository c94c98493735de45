#include "app/application.h"
#include "support/qtoptions.h"
#include "support/testwindow.h"

#include <QAccessible>
#include <QFile>
#include <QFontInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStyle>

namespace {

// The layout's faces; each is drawn in the face the program set as its
// substitute for the desktop, which the desktop must have.
constexpr const char* Sans = "MS Sans Serif";
constexpr const char* Serif = "Times New Roman";

// The window as laid out, in pixels (15 twips each).
struct Expected {
    const char* name;
    const char* className;
    QRect rect; // for labels sized to their text: left, top and height only
    const char* text;
    QColor colour; // invalid: the system's
    const char* family;
    double points;
    bool centred;
};

const Expected expected[] = {
    {"cmdshow", "QPushButton", {24, 232, 97, 33}, "SHOW", {}, Sans, 9.75, false},
    {"cmdclear", "QPushButton", {144, 232, 97, 33}, "CLEAR", {}, Sans, 9.75, false},
    {"cmdexit", "QPushButton", {260, 232, 97, 33}, "EXIT", {}, Sans, 9.75, false},
    {"txtyear", "QLineEdit", {230, 120, 73, 33}, "1947", {}, Sans, 9.75, false},
    {"txtmonth", "QLineEdit", {230, 72, 73, 33}, "8", {}, Sans, 9.75, false},
    {"txtdate", "QLineEdit", {230, 24, 73, 33}, "15", {}, Sans, 9.75, false},
    {"Label2", "QLabel", {0, 360, 145, 19}, "http://t.example.org/", QColor(192, 0, 192), Serif, 12, true},
    {"lbltime", "QLabel", {467, 176, 545, 33}, "Enter The Date .........", QColor(255, 0, 0), Sans, 18, false},
    {"lblyear", "QLabel", {55, 124, 143, 24}, "Enter The Year", QColor(0, 0, 255), Sans, 13.5, false},
    {"lblmonth", "QLabel", {56, 76, 158, 24}, "Enter The Month", QColor(0, 0, 255), Sans, 13.5, false},
    {"lbldate", "QLabel", {55, 28, 142, 24}, "Enter The Date", QColor(0, 0, 255), Sans, 13.5, false},
    {"Label1", "QLabel", {240, 360, 137, 19}, "mail@t.example.org", QColor(192, 0, 192), Serif, 12, true},
    {"lblshow2", "QLabel", {187, 320, 9, 24}, "", QColor(255, 0, 0), Sans, 13.5, true},
    {"lblshow1", "QLabel", {187, 280, 9, 24}, "", QColor(255, 0, 0), Sans, 13.5, true},
};

// WCAG's contrast ratio of two colours, 1 to 21.
double contrast(QColor a, QColor b)
{
    auto luminance = [](QColor c) {
        auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Each label's text colour against the background it is drawn on, after a
// SHOW, so that the result lines and the black banner are there too.
QMap<QString, double> labelContrasts()
{
    TestWindow t;
    t.click(t.w.cmdshow);
    QMap<QString, double> contrasts;
    for (QLabel* label : t.w.findChildren<QLabel*>()) {
        const QColor background = label->grab().toImage().pixelColor(0, 0);
        contrasts[label->objectName()] = contrast(label->palette().color(QPalette::WindowText), background);
    }
    return contrasts;
}

bool within(int actual, int wanted, int slack = 1)
{
    return std::abs(actual - wanted) <= slack;
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setupApplication(); }
    void window();
    void controls_data();
    void controls();
    void startUp();
    void tabOrderCyclesThroughTheSixControls();
    void screenReaderNames_data();
    void screenReaderNames();
    void runtimeErrorEndsOnlyItsHandler();
    void labelsAndRefusalsStayLegibleUnderADarkDesktop();
    void refusalBoxIsWhole();
    void exitOrClosingEndsTheProcessWithStatusZero();
    void commandLine_data();
    void commandLine();
    void qtOptionsAreQts();
};

void WindowTest::window()
{
    TestWindow t;
    QVERIFY(t.active);
    QCOMPARE(t.w.objectName(), QString("frmday"));
    QCOMPARE(t.w.windowTitle(), QString("Which Day.........?"));
    QCOMPARE(t.w.size(), QSize(382, 384));
    QCOMPARE(t.w.minimumSize(), t.w.maximumSize());
    QCOMPARE(QCoreApplication::applicationName(), QString("Tellwick"));
    QCOMPARE(QCoreApplication::applicationVersion(), QString("1.00"));
    // The layout's two, and up to 200 %: the larger come from the installed
    // icons, and would be decoded and handed over for nothing. It comes
    // after the first frame.
    QTRY_COMPARE(QApplication::windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}}));
    // Read by Qt's own PNG reader: no image plugin is loaded for it.
    QFile maps("/proc/self/maps");
    if (maps.open(QIODevice::ReadOnly))
        QVERIFY(!maps.readAll().contains("/imageformats/"));

    const QRect screen = t.w.screen()->availableGeometry();
    QVERIFY(within(t.w.geometry().center().x(), screen.center().x(), 2));
    QVERIFY(within(t.w.geometry().center().y(), screen.center().y(), 2));

    auto* timer = t.w.findChild<QObject*>("Timer1");
    QVERIFY(timer);
    QCOMPARE(timer->property("interval"), QVariant(5));
    QVERIFY(t.w.findChild<QPushButton*>("cmdshow")->isDefault());

    // A light face with dark text, as the fixed label colours were chosen
    // for, whatever the desktop's theme.
    QVERIFY(t.w.palette().color(QPalette::Window).lightness() > 200);
    QVERIFY(t.w.palette().color(QPalette::WindowText).lightness() < 60);

    // The banner's band, however wide its caption, meets neither the lowest
    // box nor the row of buttons.
    const QRect band(0, t.w.lbltime->y(), t.w.width(), t.w.lbltime->height());
    QVERIFY(!band.intersects(t.w.txtyear->geometry()));
    QVERIFY(!band.intersects(t.w.cmdshow->geometry()));
}

void WindowTest::controls_data()
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < std::size(expected); ++i)
        QTest::newRow(expected[i].name) << int(i);
}

void WindowTest::controls()
{
    QFETCH(int, row);
    const Expected& e = expected[row];
    frmday w; // the layout before start-up's changes, apart from the texts it fills in
    wireEvents(w);
    w.start();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    auto* widget = w.findChild<QWidget*>(e.name);
    QVERIFY(widget);
    QVERIFY(widget->inherits(e.className));
    QCOMPARE(widget->parentWidget(), w.face()); // the client area, which clips them

    QString text;
    if (auto* label = qobject_cast<QLabel*>(widget))
        text = label->text();
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        text = button->text();
    else
        text = qobject_cast<QLineEdit*>(widget)->text();
    QCOMPARE(text, QString(e.text));

    const QRect r = widget->geometry();
    QVERIFY2(within(r.top(), e.rect.top()), qPrintable(QString::number(r.top())));
    QVERIFY2(within(r.height(), e.rect.height()), qPrintable(QString::number(r.height())));
    const bool sizedToText = qobject_cast<QLabel*>(widget) && QString(e.name) != "lbltime";
    if (!sizedToText) {
        if (QString(e.name) != "lbltime") // the banner has moved since start-up
            QVERIFY2(within(r.left(), e.rect.left()), qPrintable(QString::number(r.left())));
        QCOMPARE(r.width(), e.rect.width());
    } else if (e.centred) {
        QVERIFY2(within(r.center().x(), e.rect.center().x()), qPrintable(QString::number(r.center().x())));
    } else {
        QVERIFY(within(r.left(), e.rect.left()));
    }
    if (sizedToText) { // never cut off, by its own box or by the window
        QVERIFY(r.width() >= widget->fontMetrics().horizontalAdvance(text));
        QVERIFY2(r.left() >= 0 && r.right() < w.width(), qPrintable(QString("%1 to %2").arg(r.left()).arg(r.right())));
    }

    if (e.colour.isValid())
        QCOMPARE(widget->palette().color(QPalette::WindowText), e.colour);
    QCOMPARE(widget->font().pixelSize(), qRound(e.points * 96 / 72)); // on the layout's grid, whatever the font DPI
    QVERIFY(widget->font().bold());
    const QString family = QFontInfo(widget->font()).family();
    QVERIFY2(family.compare(QFont::substitute(e.family), Qt::CaseInsensitive) == 0, qPrintable(family));
    QCOMPARE(widget->focusPolicy() == Qt::NoFocus, qobject_cast<QLabel*>(widget) != nullptr);
    if (widget->focusPolicy() == Qt::NoFocus)
        return;

    // As the desktop's style draws it: its caption, or the longest value a
    // box takes, fits inside, and the focus shows.
    QVERIFY2(widget->sizeHint().height() <= r.height(), qPrintable(QString::number(widget->sizeHint().height())));
    if (auto* button = qobject_cast<QPushButton*>(widget))
        QVERIFY2(button->sizeHint().width() <= r.width(), qPrintable(QString::number(button->sizeHint().width())));
    else
        QVERIFY(widget->fontMetrics().horizontalAdvance("4000") < widget->contentsRect().width());
    QWidget* other = widget->nextInFocusChain(); // of its own kind: the buttons, or the boxes
    if (other->metaObject() != widget->metaObject())
        other = widget->previousInFocusChain();
    other->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), other);
    const QImage away = widget->grab().toImage();
    widget->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), widget);
    if (widget == w.cmdshow && widget->style()->name() == "fusion")
        QEXPECT_FAIL("", "Fusion outlines the default button as it outlines the focus", Continue);
    QVERIFY(widget->grab().toImage() != away);
}

void WindowTest::startUp()
{
    frmday w;
    QCOMPARE(w.lbltime->text(), QString("Enter The Date..................")); // as laid out
    QCOMPARE(w.lbltime->text().size(), 32);
    wireEvents(w);
    w.start();
    // Form_Load has run and the day box has been entered, whether or not the
    // window is active yet; the event loop has not run.
    QCOMPARE(w.lbltime->Left(), 7000.0f);
    QVERIFY(w.Timer1->Enabled());
    QCOMPARE(w.lbltime->text(), QString("Enter The Date ........."));

    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), w.txtdate);
    QCOMPARE(w.txtdate->text(), QString("15"));
    QCOMPARE(w.txtmonth->text(), QString("8"));
    QCOMPARE(w.txtyear->text(), QString("1947"));
    QCOMPARE(w.txtdate->selectedText(), QString("15"));
    QCOMPARE(w.lbltime->text(), QString("Enter The Date ........."));
    QCOMPARE(w.lbltime->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(w.lblshow1->text().isEmpty() && w.lblshow2->text().isEmpty());

    const FormState& s = w.state;
    QCOMPARE(s.dayno, 15);
    QCOMPARE(s.daycode.toDouble(), 1.0);
    QCOMPARE(s.monthno.toDouble(), 8.0);
    QCOMPARE(s.monthcode.toDouble(), 2.0);
    QCOMPARE(s.yearno, 1947);
    QCOMPARE(s.yearcode.toDouble(), 2.0);
    QCOMPARE(s.leapflag.toDouble(), 0.0);
    QCOMPARE(s.errorkind, 0);
    QVERIFY(s.showleap.isEmpty() && s.totalcode.isEmpty() && s.dayname.isEmpty());

    // Typing a digit at once replaces the selected "15".
    QTest::keyClick(w.txtdate, Qt::Key_7);
    QCOMPARE(w.txtdate->text(), QString("7"));
}

void WindowTest::tabOrderCyclesThroughTheSixControls()
{
    TestWindow t;
    const QStringList order = {"txtmonth", "txtyear", "cmdshow", "cmdclear", "cmdexit", "txtdate"};
    for (const QString& name : order) {
        t.press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
    t.press(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("cmdexit"));
}

void WindowTest::screenReaderNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("spoken");

    // clang-format off
    QTest::newRow("day") << "txtdate" << "Day";
    QTest::newRow("month") << "txtmonth" << "Month";
    QTest::newRow("year") << "txtyear" << "Year";
    QTest::newRow("show") << "cmdshow" << "Show";
    QTest::newRow("clear") << "cmdclear" << "Clear";
    QTest::newRow("exit") << "cmdexit" << "Exit";
    QTest::newRow("first result line") << "lblshow1" << "The Day  15 / 8 / 1947   is  ";
    QTest::newRow("second result line") << "lblshow2" << "FRIDAY";
    // clang-format on
}

void WindowTest::screenReaderNames()
{
    QFETCH(QString, name);
    QFETCH(QString, spoken);

    TestWindow t;
    t.click(t.w.cmdshow);
    QAccessibleInterface* widget = QAccessible::queryAccessibleInterface(t.w.findChild<QWidget*>(name));
    QVERIFY(widget);
    QCOMPARE(widget->text(QAccessible::Name), spoken);
    QVERIFY(!widget->text(QAccessible::Description).isEmpty());
}

void WindowTest::runtimeErrorEndsOnlyItsHandler()
{
    TestWindow t;
    const int before = t.w.runtimeErrorsCaught();
    // A handler's own assignment is not validated: "x" makes the month's
    // Change handler fail its strict conversion.
    t.w.txtmonth->setText("x");
    QCOMPARE(t.w.runtimeErrorsCaught(), before + 1);
    QCOMPARE(t.w.state.monthno.toDouble(), 8.0); // the state stays as it was
    QCOMPARE(t.w.state.monthcode.toDouble(), 2.0);
    t.click(t.w.cmdshow); // and the program goes on
    QCOMPARE(t.w.lblshow2->text(), QString("FRIDAY"));
}

void WindowTest::labelsAndRefusalsStayLegibleUnderADarkDesktop()
{
    const QMap<QString, double> light = labelContrasts();
    const QPalette desktop = QApplication::palette();
    QApplication::setPalette(QPalette(QColor(0x35, 0x35, 0x35))); // as Adwaita-Dark's window colour
    const QMap<QString, double> dark = labelContrasts();
    QColor refusalFace, windowFace;
    {
        TestWindow t;
        MessageBoxAnswerer answerer;
        t.w.txtdate->setText("99");
        refusalFace = answerer.shown.value(0).face;
        windowFace = t.w.palette().color(QPalette::Window);
    }
    QApplication::setPalette(desktop);
    QCOMPARE(refusalFace, windowFace); // the box beside the window takes its face

    QCOMPARE(dark.keys(), light.keys());
    for (const QString& name : light.keys()) {
        std::printf("%-9s contrast %.2f in the light theme, %.2f under the dark one\n", qPrintable(name), light[name],
                    dark[name]);
        QVERIFY2(dark[name] >= light[name] - 0.01, qPrintable(name));
    }
}

// Every part of the box inside it, at least the size its contents need.
void WindowTest::refusalBoxIsWhole()
{
    TestWindow t;
    MessageBoxAnswerer answerer;
    t.w.txtdate->setText("99");
    QCOMPARE(answerer.shown.size(), 1);
    QCOMPARE(answerer.shown[0].cutOff, QStringList());
}

void WindowTest::exitOrClosingEndsTheProcessWithStatusZero()
{
    QProcess child;
    child.start(EXIT_CHILD, {});
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QVERIFY(child.readAllStandardOutput().contains("handlers stopped"));

    // Closing the window ends the program just as well.
    child.start(EXIT_CHILD, {"close"});
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
}

void WindowTest::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("line"); // the first on standard output, or the last on standard error
    QTest::newRow("version") << QStringList{"--version"} << 0 << "tellwick 1.00";
    QTest::newRow("help") << QStringList{"-h"} << 0 << "Usage: tellwick [options]";
    QTest::newRow("after Qt's options") << QStringList{"-style", "fusion", "-v"} << 0 << "tellwick 1.00";
    QTest::newRow("unknown option") << QStringList{"--day=5"} << 2
                                    << "tellwick: Unknown option 'day'. Try 'tellwick --help'.";
    QTest::newRow("an argument") << QStringList{"-style", "fusion", "15"} << 2
                                 << "tellwick: Unexpected argument '15'. Try 'tellwick --help'.";
    QTest::newRow("after Qt's options") << QStringList{"-platformtheme", "gtk3", "-reverse", "-stylesheet=a.qss", "-x"}
                                        << 2 << "tellwick: Unknown option 'x'. Try 'tellwick --help'.";
    QTest::newRow("a value Qt takes only apart") << QStringList{"-qwindowtitle", "a=b", "-platform=xcb"} << 2
                                                 << "tellwick: Unknown option 'platform=xcb'. Try 'tellwick --help'.";
}

// Answered without a window, even without a display.
void WindowTest::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, line);
    QProcess program;
#ifndef Q_OS_WIN // Windows always has its desktop, and Qt for it no offscreen platform
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    program.setProcessEnvironment(environment);
#endif
    program.start(TELLWICK, arguments);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    // Lines end in CR LF on Windows, as its consoles expect.
    const QRegularExpression lineEnd("\r?\n");
    const QStringList out = QString(program.readAllStandardOutput()).split(lineEnd, Qt::SkipEmptyParts);
    const QStringList err = QString(program.readAllStandardError()).split(lineEnd, Qt::SkipEmptyParts);
    if (status == 0) {
        QVERIFY(err.isEmpty());
        QCOMPARE(out.value(0), line);
    } else {
        QVERIFY(out.isEmpty());
        QCOMPARE(err.value(err.size() - 1), line);
    }
}

// Those of X11 are checked in tst_desktop's X11 session.
void WindowTest::qtOptionsAreQts()
{
    const QStringList disagreements = qtOptionsDisagreements(false);
    QVERIFY2(disagreements.isEmpty(), qPrintable(disagreements.join("; ")));
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
