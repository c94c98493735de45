// The yardstick: a bare Qt 6 program with a window of the same size and the
// same fifteen widgets, moving one label as the banner moves, at the
// program's pace: on a grid of 15.625 ms, a late tick not caught up.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cmath>

namespace {

QFont bold(const char* family, double points)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

template <typename W>
W* add(QWidget* window, const QString& text, QRect rect, const QFont& font)
{
    auto* widget = new W(text, window);
    widget->setGeometry(rect);
    widget->setFont(font);
    return widget;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare");
    window.setFixedSize(382, 384);

    // The faces the program's fonts are drawn in on each system.
#ifdef Q_OS_WIN
    const char *sans = "Microsoft Sans Serif", *serif = "Times New Roman";
#else
    const char *sans = "Liberation Sans", *serif = "Liberation Serif";
#endif
    const QFont button = bold(sans, 9.75), caption = bold(sans, 13.5), banner = bold(sans, 18),
                contact = bold(serif, 12);
    // The default button, as the program's is: Windows's style pulses it.
    add<QPushButton>(&window, "SHOW", {24, 232, 97, 33}, button)->setDefault(true);
    add<QPushButton>(&window, "CLEAR", {144, 232, 97, 33}, button);
    add<QPushButton>(&window, "EXIT", {260, 232, 97, 33}, button);
    add<QLineEdit>(&window, "1947", {230, 120, 73, 33}, button);
    add<QLineEdit>(&window, "8", {230, 72, 73, 33}, button);
    add<QLineEdit>(&window, "15", {230, 24, 73, 33}, button);
    add<QLabel>(&window, "http://t.example.org/", {0, 360, 145, 19}, contact);
    QLabel* moving = add<QLabel>(&window, "Enter The Date .........", {467, 176, 545, 33}, banner);
    add<QLabel>(&window, "Enter The Year", {55, 124, 143, 24}, caption);
    add<QLabel>(&window, "Enter The Month", {56, 76, 158, 24}, caption);
    add<QLabel>(&window, "Enter The Date", {55, 28, 142, 24}, caption);
    add<QLabel>(&window, "mail@t.example.org", {240, 360, 137, 19}, contact);
    add<QLabel>(&window, "", {187, 320, 9, 24}, caption);
    add<QLabel>(&window, "", {187, 280, 9, 24}, caption);

    float left = 7000; // twips, 15 to the pixel
    using Clock = std::chrono::steady_clock;
    constexpr std::chrono::microseconds Tick(15625);
    Clock::time_point next = Clock::now() + Tick;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    const auto wait
        = [&] { timer.start(std::max(std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now()), {})); };
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        if (now < next) // woken a little early
            return wait();
        next += Tick;
        if (next <= now)
            next = now + Tick;
        wait();
        left -= 25;
        if (left == -7000)
            left = 7000;
        moving->move(static_cast<int>(std::lround(left / 15)), 176);
    });
    wait();
    window.show();
    return QApplication::exec();
}
