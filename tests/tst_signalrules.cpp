#include "team/signalrules.h"

#include <QTest>

// Symmetric lines around 0, so that a series can sit exactly on a line.
static const ChartLines lines{0, 0, 90, -90, 60, -60, 30, -30};

class TestSignalRules : public QObject {
    Q_OBJECT

private slots:
    void findsSignals_data();
    void findsSignals();
};

void TestSignalRules::findsSignals_data() {
    QTest::addColumn<QList<double>>("rates");
    QTest::addColumn<QStringList>("expected"); // rule@first session+sessions listed

    QTest::newRow("equal to UCL") << QList<double>{90} << QStringList{};
    QTest::newRow("equal to LCL") << QList<double>{-90} << QStringList{};
    QTest::newRow("beyond UCL") << QList<double>{90.000001} << QStringList{"1@0+1"};
    QTest::newRow("rule 1 twice in a row")
        << QList<double>{0, 0, 0, 100, -100} << QStringList{"1@3+1", "1@4+1", "2@2+3"};
    QTest::newRow("rule 2 sides mix") << QList<double>{70, 0, -70} << QStringList{"2@0+3"};
    QTest::newRow("rule 2 needs two") << QList<double>{70, 0, 60} << QStringList{};
    QTest::newRow("run, gap, run")
        << QList<double>{70, 70, 0, 0, 0, 70, 70} << QStringList{"2@0+3", "2@4+3"};
    QTest::newRow("one line per run, per rule")
        << QList<double>{70, 70, 70, 70} << QStringList{"2@0+3", "3@0+4"};
    QTest::newRow("rule 3 sides mix") << QList<double>{50, -50, 50, 0} << QStringList{"3@0+4"};
    QTest::newRow("rule 3 halfway") << QList<double>{45, -45, 45, 45} << QStringList{};
    QTest::newRow("4a") << QList<double>{40, 40, 0, 40, 40} << QStringList{"4a@0+5"};
    QTest::newRow("4b") << QList<double>{-40, 0, -40, -40, -40} << QStringList{"4b@0+5"};
    QTest::newRow("two above, two below") << QList<double>{40, 40, 0, -40, -40} << QStringList{};
    QTest::newRow("5a") << QList<double>{1, 2, 3, 4, 5, 6} << QStringList{"5a@0+6"};
    QTest::newRow("rise after a dip")
        << QList<double>{-3, -1, -2, -1, 0, 1, 2, 3} << QStringList{"5a@2+6"};
    QTest::newRow("5b") << QList<double>{6, 5, 4, 3, 2, 1} << QStringList{"5b@0+6"};
    QTest::newRow("equal neighbours") << QList<double>{1, 2, 3, 3, 4, 5, 6} << QStringList{};
    QTest::newRow("five rising") << QList<double>{1, 2, 3, 4, 5} << QStringList{};
    QTest::newRow("6a") << QList<double>{1, 1, 1, -1, 1, 1, 1, 1} << QStringList{"6a@0+8"};
    QTest::newRow("6b") << QList<double>{-1, -1, -1, -1, -1, -1, 1, -1} << QStringList{"6b@0+8"};
    QTest::newRow("at Mean counts for neither")
        << QList<double>{1, 1, 1, 0, 1, 1, 1, 0} << QStringList{};
    QTest::newRow("rule 7 alternating")
        << QList<double>{40, -40, 40, -40, 40, -40, 40, -40} << QStringList{"7@0+8"};
    QTest::newRow("rule 9") << QList<double>(16, 0.0) << QStringList{"9@0+15"};
    QTest::newRow("14 never rule 9") << QList<double>(14, 0.0) << QStringList{};
    QTest::newRow("rule 9 on a line") << QList<double>(15, 30.0) << QStringList{"6a@0+8"};
}

void TestSignalRules::findsSignals() {
    QFETCH(QList<double>, rates);
    QFETCH(QStringList, expected);
    QStringList found;
    for (const Signal& signal : findSignals(rates, lines)) {
        const QString rule = QString(signal.message).section(u':', 0, 0).mid(7);
        found << QString("%1@%2+%3").arg(rule).arg(signal.firstSession).arg(signal.sessionCount);
    }
    QCOMPARE(found, expected);
}

QTEST_APPLESS_MAIN(TestSignalRules)
#include "tst_signalrules.moc"
