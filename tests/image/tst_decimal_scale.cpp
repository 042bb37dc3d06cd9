// Typed numbers scaled to stored units without the binary rounding that loses a unit.

#include "DecimalScale.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace orx;

class TestDecimalScale : public QObject {
    Q_OBJECT

private slots:
    void decimalScale_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("shift");
        QTest::addColumn<qlonglong>("expected");

        // Each of these gives one less when multiplied in binary and truncated.
        QTest::newRow("136.0125 MHz") << 136.0125 << 5 << 13601250LL;
        QTest::newRow("145.0125 MHz") << 145.0125 << 5 << 14501250LL;
        QTest::newRow("136.01125 MHz") << 136.01125 << 5 << 13601125LL;
        QTest::newRow("0.29 by 100") << 0.29 << 2 << 29LL;
        QTest::newRow("negative 136.0125 truncates toward zero") << -136.0125 << 5 << -13601250LL;

        QTest::newRow("145.125 MHz") << 145.125 << 5 << 14512500LL;
        QTest::newRow("67.0 Hz") << 67.0 << 1 << 670LL;
        QTest::newRow("254.1 Hz") << 254.1 << 1 << 2541LL;
        QTest::newRow("digits below the unit are cut, not rounded") << 145.1234567 << 5 << 14512345LL;
        QTest::newRow("negative fraction cut toward zero") << -0.0000199 << 5 << -1LL;
        QTest::newRow("below one unit") << 0.000009 << 5 << 0LL;
        QTest::newRow("zero") << 0.0 << 5 << 0LL;
        QTest::newRow("huge saturates") << 1e300 << 5 << std::numeric_limits<qlonglong>::max();
        QTest::newRow("infinity gives 0") << std::numeric_limits<double>::infinity() << 5 << 0LL;
        QTest::newRow("NaN gives 0") << std::nan("") << 5 << 0LL;
    }

    void decimalScale()
    {
        QFETCH(double, x);
        QFETCH(int, shift);
        QFETCH(qlonglong, expected);
        QCOMPARE(qlonglong(DecimalScale(x, shift)), expected);
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("trailing text ignored") << "145.125abc" << 145.125;
        QTest::newRow("blanks, sign, exponent") << " \t-1.5e2x" << -150.0;
        QTest::newRow("exponent without digits ignored") << "1e" << 1.0;
        QTest::newRow("decimal comma is not a point") << "145,125" << 145.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
    }

    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(LeadingNumber(text.toStdString()), expected);
    }

    void formatScaled_data()
    {
        QTest::addColumn<qlonglong>("value");
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("frequency") << 14512500LL << 5 << 5 << "145.12500";
        QTest::newRow("below 1 MHz") << 5LL << 5 << 5 << "0.00005";
        QTest::newRow("tone") << 670LL << 1 << 1 << "67.0";
        QTest::newRow("half rounds up") << 8812500LL << 5 << 2 << "88.13";
        QTest::newRow("below half rounds down") << 8812499LL << 5 << 2 << "88.12";
        QTest::newRow("carry through nines") << 99999999LL << 5 << 2 << "1000.00";
        QTest::newRow("negative half rounds away from zero") << -5LL << 1 << 0 << "-1";
        QTest::newRow("negative rounding to zero has no sign") << -4LL << 1 << 0 << "0";
        QTest::newRow("more decimals than stored") << 670LL << 1 << 3 << "67.000";
        QTest::newRow("int64 minimum")
            << std::numeric_limits<qlonglong>::min() << 0 << 0 << "-9223372036854775808";
    }

    void formatScaled()
    {
        QFETCH(qlonglong, value);
        QFETCH(int, shift);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(FormatScaled(value, shift, decimals)), expected);
    }
};

QTEST_GUILESS_MAIN(TestDecimalScale)
#include "tst_decimal_scale.moc"
