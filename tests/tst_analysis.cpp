#include "team/analysis.h"
#include "team/chartstats.h"
#include "team/paste.h"
#include "team/resultline.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString signal1 = "Signal 1: A single value beyond limits";
const QString signal2 =
    "Signal 2: 2 out of 3 consecutive values beyond Sigma 2. Potential overbetting.";
const QString signal3 = "Signal 3: 3 out of 4 consecutive values closer to one of the limits than "
                        "to the central line. Potential overbetting.";
const QString signal5a = "Signal 5a: 6 or more consecutive value steadily increasing.";
const QString signal6b = "Signal 6b: 7 out of 8 consecutive values to down side of center.";

// A spreadsheet copy of one-hour sessions, so that every amount is its own hourly rate.
QString hourSessions(const QStringList& amounts, const QString& hour = "60") {
    QString text;
    for (const QString& amount : amounts)
        text += amount + "\t" + hour + "\r\n";
    return text;
}

QString about(qsizetype firstSession, qsizetype sessionCount, const QString& text) {
    return QString("%1+%2 %3").arg(firstSession).arg(sessionCount).arg(text);
}

} // namespace

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
        QTest::newRow("negative minutes") << 150.0 << -20.0 << 150.0;
        QTest::newRow("loss") << -300.0 << 120.0 << -150.0;
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

    // Rates show as whole dollars, halves to even.
    void resultLineRoundsHalvesToEven() {
        QCOMPARE(
            resultLineText(QLatin1StringView(signal2.toLatin1()), QList<double>{10, 20.5, -30.5}),
            signal2 + " (10, 20, -30)");
    }

    void analysesTable_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines"); // first session+sessions listed, then the text
        const QLocale c = QLocale::c();
        const QStringList spike{"0", "0", "0", "0", "0", "1000", "0", "0", "0", "0", "0"};
        const QStringList spikeLines{about(5, 1, signal1 + " (1000)"),
                                     about(0, 8, signal6b + " (0, 0, 0, 0, 0, 1000, 0, 0)")};
        QTest::newRow("empty table") << c << QString() << QStringList{};
        QTest::newRow("one session") << c << hourSessions({"5"}) << QStringList{"0+0 No signals"};
        QTest::newRow("no rule fires")
            << c << hourSessions({"100", "300", "200"}) << QStringList{"0+0 No signals"};
        QTest::newRow("spike") << c << hourSessions(spike) << spikeLines;

        QStringList germanSpike = spike;
        germanSpike[5] = "1.000,00";
        QTest::newRow("de_DE spike")
            << QLocale("de_DE") << hourSessions(germanSpike, "1:00") << spikeLines;

        QStringList hugeSpike = spike;
        hugeSpike[5] = "1e20";
        QTest::newRow("huge rate in full")
            << c << hourSessions(hugeSpike)
            << QStringList{about(5, 1, signal1 + " (100000000000000000000)"),
                           about(0, 8, signal6b + " (0, 0, 0, 0, 0, 100000000000000000000, 0, 0)")};

        QTest::newRow("steady rise")
            << c << hourSessions({"10", "20", "30", "40", "50", "60", "70", "65"})
            << QStringList{about(0, 1, signal1 + " (10)"),
                           about(6, 1, signal1 + " (70)"),
                           about(0, 3, signal2 + " (10, 20, 30)"),
                           about(4, 3, signal2 + " (50, 60, 70)"),
                           about(0, 4, signal3 + " (10, 20, 30, 40)"),
                           about(4, 4, signal3 + " (50, 60, 70, 65)"),
                           about(0, 6, signal5a + " (10, 20, 30, 40, 50, 60)")};
    }

    void analysesTable() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        const PasteOutcome pasted = pasteSessions(text, locale);
        QStringList found;
        for (const ResultLine& line : analyseSessions(pasted.sessions, locale))
            found << about(line.firstSession, line.sessionCount, line.text);
        QTEST(found, "lines");
    }
};

QTEST_APPLESS_MAIN(TestAnalysis)
#include "tst_analysis.moc"
