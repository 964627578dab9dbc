#include "common/twips.h"
#include "common/wholenumber.h"

#include <QTest>

class TestWholeNumber : public QObject {
    Q_OBJECT

private slots:
    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void twipsAtCommonDpi_data();
    void twipsAtCommonDpi();
};

void TestWholeNumber::roundsHalfToEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("2.5 down") << 2.5 << "2";
    QTest::newRow("3.5 up") << 3.5 << "4";
    QTest::newRow("-2.5 toward zero") << -2.5 << "-2";
    QTest::newRow("-30.5") << -30.5 << "-30";
    QTest::newRow("20.5") << 20.5 << "20";
    QTest::newRow("just above half") << 2.5000001 << "3";
    QTest::newRow("small negative is zero") << -0.4 << "0";
    QTest::newRow("beyond 32 bits") << 5e9 << "5000000000";
    QTest::newRow("huge without exponent") << 1e21 << "1000000000000000000000";
    QTest::newRow("huge negative") << -123456789012345678.0 << "-123456789012345680";
    QTest::newRow("1245.5 to even") << 1245.5 << "1246";
}

void TestWholeNumber::roundsHalfToEven() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(wholeNumberText(value), text);
}

void TestWholeNumber::twipsAtCommonDpi_data() {
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("wholeTwips");
    QTest::addColumn<int>("pixelsFor2880");

    QTest::newRow("96") << 96.0 << 15 << 192;
    QTest::newRow("120") << 120.0 << 12 << 240;
    QTest::newRow("144") << 144.0 << 10 << 288;
    QTest::newRow("72") << 72.0 << 20 << 144;
}

void TestWholeNumber::twipsAtCommonDpi() {
    QFETCH(double, dpi);
    QFETCH(int, wholeTwips);
    QFETCH(int, pixelsFor2880);
    QCOMPARE(wholeTwipsPerPixel(dpi), wholeTwips);
    QCOMPARE(twipsToPixels(2880, dpi), pixelsFor2880);
    QCOMPARE(pixelsToTwips(pixelsFor2880, dpi), 2880);
}

QTEST_APPLESS_MAIN(TestWholeNumber)
#include "tst_wholenumber.moc"
