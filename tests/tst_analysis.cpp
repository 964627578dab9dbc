#include "team/analysis.h"
#include "team/chartstats.h"
#include "team/paste.h"

#include <QTest>

class TestAnalysis : public QObject {
    Q_OBJECT

private slots:
    void hourlyRates_data() {
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("minutes");
        QTest::addColumn<double>("rate");
        QTest::newRow("half hour is one hour") << 150.0 << 30.0 << 150.0;
        QTest::newRow("90 minutes") << 150.0 << 90.0 << 100.0;
        QTest::newRow("no minutes") << 150.0 << 0.0 << 150.0;
        QTest::newRow("single-precision hours") << 250.0 << 100.0 << 150.00000357627877;
        QTest::newRow("beyond float hours") << 1e300 << 1e300 << 0.0;
    }

    void hourlyRates() {
        QFETCH(double, amount);
        QFETCH(double, minutes);
        QFETCH(double, rate);
        QCOMPARE(QString::number(hourlyRate(amount, minutes), 'g', 17),
                 QString::number(rate, 'g', 17));
    }

    void chartLines_data() {
        QTest::addColumn<QList<double>>("rates");
        // Mean, MRBar, UCL, LCL, USig2, LSig2, USig1, LSig1
        QTest::addColumn<QList<double>>("lines");
        QTest::newRow("worked example")
            << QList<double>{100, 300, 200}
            << QList<double>{200, 150, 599, -199, 467, -67, 333.5, 66.5};
        QTest::newRow("single session")
            << QList<double>{-75} << QList<double>{-75, 0, -75, -75, -75, -75, -75, -75};
    }

    void chartLines() {
        QFETCH(QList<double>, rates);
        QFETCH(QList<double>, lines);
        const ChartLines c = ::chartLines(rates);
        QVERIFY(QList<double>(
                    {c.Mean, c.MRBar, c.UCL, c.LCL, c.USig2, c.LSig2, c.USig1, c.LSig1}) == lines);
    }

    // From a German spreadsheet copy to the result lines: the cells are read in the user's locale,
    // each line lists the rates of its sessions, and a rate shows as whole dollars, halves to even.
    void analysesGermanSessions() {
        const QLocale german("de_DE");
        QString text;
        for (const char* amount : {"0", "0", "0", "0", "0", "1.000,50", "0", "0", "0", "0", "0"})
            text += QString::fromLatin1(amount) + "\t1:00\r\n";
        QStringList found;
        for (const ResultLine& line : analyseSessions(pasteSessions(text, german).sessions, german))
            found
                << QString("%1+%2 %3").arg(line.firstSession).arg(line.sessionCount).arg(line.text);
        QCOMPARE(found, QStringList({"5+1 Signal 1: A single value beyond limits (1000)",
                                     "0+8 Signal 6b: 7 out of 8 consecutive values to down side of "
                                     "center. (0, 0, 0, 0, 0, 1000, 0, 0)"}));
    }
};

QTEST_APPLESS_MAIN(TestAnalysis)
#include "tst_analysis.moc"
