#include "runtime/controls.h"
#include "runtime/conversions.h"
#include "runtime/errors.h"
#include "runtime/events.h"
#include "runtime/variant.h"

#include <QKeyEvent>
#include <QtTest>

#include <limits>
#include <optional>

using namespace runtime;
using Kind = Variant::Kind;

Q_DECLARE_METATYPE(runtime::Variant)

namespace {

// No value: the call must raise that runtime error.
using Outcome = std::optional<double>;
constexpr int NoError = 0;

int errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.code();
    }
    return NoError;
}

Variant I(std::int16_t v)
{
    return Variant::Integer(v);
}
Variant L(std::int32_t v)
{
    return Variant::Long(v);
}
Variant D(double v)
{
    return Variant::Double(v);
}

} // namespace

class RuntimeTest : public QObject {
    Q_OBJECT
private slots:
    void arithmetic_data();
    void arithmetic();
    void modulo_data();
    void modulo();
    void comparisonsTreatEmptyAsZero();
    void val_data();
    void val();
    void textToDouble_data();
    void textToDouble();
    void doubleToLong_data();
    void doubleToLong();
    void integerToText();
    void runtimeErrorEndsOnlyTheHandler();
    void keyAscii_data();
    void keyAscii();
};

void RuntimeTest::arithmetic_data()
{
    QTest::addColumn<char>("op");
    QTest::addColumn<Variant>("a");
    QTest::addColumn<Variant>("b");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("error");

    const int Int = int(Kind::Integer), Lng = int(Kind::Long), Dbl = int(Kind::Double);
    QTest::newRow("Empty + Empty is Integer 0") << '+' << Variant() << Variant() << Int << 0.0 << NoError;
    QTest::newRow("Empty + Long is Long") << '+' << Variant() << L(5) << Lng << 5.0 << NoError;
    QTest::newRow("Integer + Integer") << '+' << I(3) << I(4) << Int << 7.0 << NoError;
    QTest::newRow("Long + Integer is Long") << '+' << L(1) << I(3) << Lng << 4.0 << NoError;
    QTest::newRow("Double + Integer is Double") << '+' << D(1.5) << I(3) << Dbl << 4.5 << NoError;
    QTest::newRow("Integer overflow raises") << '+' << I(32767) << I(1) << 0 << 0.0 << int(RuntimeError::Overflow);
    QTest::newRow("Integer below range raises") << '-' << I(-32768) << I(1) << 0 << 0.0 << int(RuntimeError::Overflow);
    QTest::newRow("Long overflow raises") << '+' << L(2147483647) << I(1) << 0 << 0.0 << int(RuntimeError::Overflow);
    QTest::newRow("Long - Integer") << '-' << L(0) << I(1) << Lng << -1.0 << NoError;
    QTest::newRow("Long - Double is Double") << '-' << L(99) << D(24) << Dbl << 75.0 << NoError;
    QTest::newRow("Integer * Integer overflow") << '*' << I(200) << I(200) << 0 << 0.0 << int(RuntimeError::Overflow);
    QTest::newRow("Double * Integer") << '*' << D(24) << I(2) << Dbl << 48.0 << NoError;
    QTest::newRow("Long / Integer is Double") << '/' << L(96) << I(4) << Dbl << 24.0 << NoError;
    QTest::newRow("Integer / Integer is Double") << '/' << I(1) << I(4) << Dbl << 0.25 << NoError;
    QTest::newRow("division by zero") << '/' << I(1) << I(0) << 0 << 0.0 << int(RuntimeError::DivisionByZero);
    QTest::newRow("Double beyond range") << '*' << D(1e308) << I(10) << 0 << 0.0 << int(RuntimeError::Overflow);
}

void RuntimeTest::arithmetic()
{
    QFETCH(char, op);
    QFETCH(Variant, a);
    QFETCH(Variant, b);
    QFETCH(int, kind);
    QFETCH(double, value);
    QFETCH(int, error);

    Variant result;
    const int raised = errorOf([&] {
        switch (op) {
        case '+': result = a + b; break;
        case '-': result = a - b; break;
        case '*': result = a * b; break;
        default: result = a / b; break;
        }
    });
    QCOMPARE(raised, error);
    if (error == NoError) {
        QCOMPARE(int(result.kind()), kind);
        QCOMPARE(result.toDouble(), value);
    }
}

void RuntimeTest::modulo_data()
{
    QTest::addColumn<Variant>("a");
    QTest::addColumn<Variant>("b");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("value");

    const int Int = int(Kind::Integer), Lng = int(Kind::Long);
    QTest::newRow("Integers give an Integer") << I(15) << I(7) << Int << 1.0;
    QTest::newRow("Long and Integer give a Long") << L(1946) << I(400) << Lng << 346.0;
    QTest::newRow("dividend's sign") << L(-1) << I(400) << Lng << -1.0;
    QTest::newRow("divisor's sign ignored") << L(10) << I(-7) << Lng << 3.0;
    QTest::newRow("negative dividend") << I(-10) << I(7) << Int << -3.0;
    QTest::newRow("Double is a Long") << D(124) << I(7) << Lng << 5.0;
    QTest::newRow("2.5 rounds to 2") << D(2.5) << I(7) << Lng << 2.0;
    QTest::newRow("3.5 rounds to 4") << D(3.5) << I(7) << Lng << 4.0;
    QTest::newRow("-2.5 rounds to -2") << D(-2.5) << I(7) << Lng << -2.0;
    QTest::newRow("divisor 6.5 rounds to 6") << I(13) << D(6.5) << Lng << 1.0;
    QTest::newRow("Empty is Integer 0") << Variant() << I(7) << Int << 0.0;
    QTest::newRow("smallest Long by -1") << L(std::numeric_limits<std::int32_t>::min()) << I(-1) << Lng << 0.0;
}

void RuntimeTest::modulo()
{
    QFETCH(Variant, a);
    QFETCH(Variant, b);
    QFETCH(int, kind);
    QFETCH(double, value);

    const Variant result = Mod(a, b);
    QCOMPARE(int(result.kind()), kind);
    QCOMPARE(result.toDouble(), value);
    QCOMPARE(errorOf([] { Mod(I(1), I(0)); }), int(RuntimeError::DivisionByZero));
    QCOMPARE(errorOf([] { Mod(D(3e9), I(7)); }), int(RuntimeError::Overflow));
}

void RuntimeTest::comparisonsTreatEmptyAsZero()
{
    QVERIFY(Variant() == 0);
    QVERIFY(!(Variant() == 1));
    QVERIFY(D(4.0) == 4);
    QVERIFY(!(D(2.5) == 2));
    QVERIFY(D(3) > 2);
    QVERIFY(!(Variant() > 0));
    QVERIFY(L(5) == I(5));
}

void RuntimeTest::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("error");

    QTest::newRow("empty") << "" << 0.0 << NoError;
    QTest::newRow("digits") << "1947" << 1947.0 << NoError;
    QTest::newRow("leading zeros") << "0031" << 31.0 << NoError;
    QTest::newRow("leading number only") << "12abc" << 12.0 << NoError;
    QTest::newRow("no number") << "abc" << 0.0 << NoError;
    QTest::newRow("blanks and sign") << "  -7" << -7.0 << NoError;
    QTest::newRow("fraction") << "2.5x" << 2.5 << NoError;
    QTest::newRow("exponent") << "1e3" << 1000.0 << NoError;
    QTest::newRow("inf is no number") << "inf" << 0.0 << NoError;
    QTest::newRow("nan is no number") << "nan" << 0.0 << NoError;
    QTest::newRow("tiny is zero") << "1e-400" << 0.0 << NoError;
    QTest::newRow("beyond a Double") << "1e400" << 0.0 << int(RuntimeError::Overflow);
    QTest::newRow("400 digits") << QString(400, '9') << 0.0 << int(RuntimeError::Overflow);
}

void RuntimeTest::val()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, error);

    double result = -1;
    QCOMPARE(errorOf([&] { result = Val(text); }), error);
    if (error == NoError)
        QCOMPARE(result, value);
}

void RuntimeTest::textToDouble_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("error");

    const int mismatch = RuntimeError::TypeMismatch;
    QTest::newRow("digits") << "4000" << 4000.0 << NoError;
    QTest::newRow("zeros") << "0000" << 0.0 << NoError;
    QTest::newRow("blanks around") << " 12 " << 12.0 << NoError;
    QTest::newRow("fraction") << "2.5" << 2.5 << NoError;
    QTest::newRow("empty") << "" << 0.0 << mismatch;
    QTest::newRow("blank") << "  " << 0.0 << mismatch;
    QTest::newRow("trailing letter") << "12a" << 0.0 << mismatch;
    QTest::newRow("letters") << "abc" << 0.0 << mismatch;
    QTest::newRow("inf") << "inf" << 0.0 << mismatch;
    QTest::newRow("non-ASCII digit") << QString::fromUtf8("\u0663") << 0.0 << mismatch;
    QTest::newRow("400 digits") << QString(400, '9') << 0.0 << int(RuntimeError::Overflow);
    QTest::newRow("300 digits fit") << "1" + QString(299, '0') << 1e299 << NoError;
}

void RuntimeTest::textToDouble()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, error);

    double result = -1;
    QCOMPARE(errorOf([&] { result = TextToDouble(text); }), error);
    if (error == NoError)
        QCOMPARE(result, value);
}

void RuntimeTest::doubleToLong_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("error");

    const int overflow = RuntimeError::Overflow;
    QTest::newRow("0.5 to 0") << 0.5 << 0 << NoError;
    QTest::newRow("1.5 to 2") << 1.5 << 2 << NoError;
    QTest::newRow("2.5 to 2") << 2.5 << 2 << NoError;
    QTest::newRow("-2.5 to -2") << -2.5 << -2 << NoError;
    QTest::newRow("2.6 to 3") << 2.6 << 3 << NoError;
    QTest::newRow("largest Long") << 2147483647.0 << 2147483647 << NoError;
    QTest::newRow("half above largest") << 2147483647.5 << 0 << overflow;
    QTest::newRow("smallest Long, half below") << -2147483648.5 << std::numeric_limits<int>::min() << NoError;
    QTest::newRow("below smallest") << -2147483649.0 << 0 << overflow;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0 << overflow;
}

void RuntimeTest::doubleToLong()
{
    QFETCH(double, value);
    QFETCH(int, result);
    QFETCH(int, error);

    int converted = -1;
    QCOMPARE(errorOf([&] { converted = DoubleToLong(value); }), error);
    if (error == NoError)
        QCOMPARE(converted, result);
}

void RuntimeTest::integerToText()
{
    QCOMPARE(IntegerToText(15), QString("15"));
    QCOMPARE(IntegerToText(-32768), QString("-32768"));
}

void RuntimeTest::runtimeErrorEndsOnlyTheHandler()
{
    EventBoundary events;
    int reached = 0;
    events.run([&] {
        reached = 1;
        TextToDouble("x");
        reached = 2;
    });
    QCOMPARE(reached, 1);
    QCOMPARE(events.runtimeErrorsCaught(), 1);
    events.run([&] { reached = 3; }); // the next event still runs
    QCOMPARE(reached, 3);
    events.end();
    events.run([&] { reached = 4; }); // none after the end
    QCOMPARE(reached, 3);
}

void RuntimeTest::keyAscii_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");

    const int none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    QTest::newRow("digit") << int(Qt::Key_5) << none << "5" << int('5');
    QTest::newRow("keypad digit") << int(Qt::Key_7) << int(Qt::KeypadModifier) << "7" << int('7');
    QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << int('a');
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << 8;
    QTest::newRow("ctrl+backspace") << int(Qt::Key_Backspace) << ctrl << "" << 127;
    QTest::newRow("real ctrl+v") << int(Qt::Key_V) << ctrl << "\x16" << 22;
    QTest::newRow("synthetic ctrl+v") << int(Qt::Key_V) << ctrl << "v" << 22;
    QTest::newRow("ctrl+shift+a") << int(Qt::Key_A) << (ctrl | shift) << "A" << 1;
    QTest::newRow("real delete") << int(Qt::Key_Delete) << none << "\x7f" << -1;
    QTest::newRow("synthetic delete") << int(Qt::Key_Delete) << none << "" << -1;
    QTest::newRow("escape") << int(Qt::Key_Escape) << none << "\x1b" << -1;
    QTest::newRow("tab") << int(Qt::Key_Tab) << none << "\t" << -1;
    QTest::newRow("backtab") << int(Qt::Key_Backtab) << shift << "" << -1;
    QTest::newRow("return") << int(Qt::Key_Return) << none << "\r" << -1;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << -1;
    QTest::newRow("left arrow") << int(Qt::Key_Left) << none << "" << -1;
    QTest::newRow("shift+insert") << int(Qt::Key_Insert) << shift << "" << -1;
    QTest::newRow("ctrl+insert") << int(Qt::Key_Insert) << ctrl << "" << -1;
    QTest::newRow("F5") << int(Qt::Key_F5) << none << "" << -1;
    QTest::newRow("non-ASCII") << int(Qt::Key_Eacute) << none << QString::fromUtf8("\u00e9") << 0xe9;
}

void RuntimeTest::keyAscii()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, code);

    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(runtime::keyAscii(event), code);
}

QTEST_GUILESS_MAIN(RuntimeTest)
#include "tst_runtime.moc"
