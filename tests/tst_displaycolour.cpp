#include "app/displaycolour.h"

#include <QTest>

class TestDisplayColour : public QObject {
    Q_OBJECT

private slots:
    void decidesFromDepth_data();
    void decidesFromDepth();
};

void TestDisplayColour::decidesFromDepth_data() {
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("exact");

    const quint32 mainBack = 0x00D0E8F0;
    QTest::newRow("true colour 24") << mainBack << 24 << true;
    QTest::newRow("true colour 32") << mainBack << 32 << true;
    QTest::newRow("deep colour 30") << mainBack << 30 << true;
    QTest::newRow("high colour 16 loses red 240") << mainBack << 16 << false;
    QTest::newRow("high colour 15") << mainBack << 15 << false;
    QTest::newRow("256 colours") << mainBack << 8 << false;
    QTest::newRow("monochrome") << mainBack << 1 << false;
    QTest::newRow("no depth reported") << mainBack << 0 << false;
    QTest::newRow("grey survives 16") << quint32(0x00FFFFFF) << 16 << true;
    QTest::newRow("black survives 15") << quint32(0) << 15 << true;
    QTest::newRow("5-6-5 keeps green 0x41 only") << quint32(0x00004100) << 16 << true;
    QTest::newRow("5-5-5 loses green 0x41") << quint32(0x00004100) << 15 << false;
}

void TestDisplayColour::decidesFromDepth() {
    QFETCH(quint32, colour);
    QFETCH(int, depth);
    QFETCH(bool, exact);
    QCOMPARE(displayShowsExactly(colour, depth), exact);
}

QTEST_APPLESS_MAIN(TestDisplayColour)
#include "tst_displaycolour.moc"
