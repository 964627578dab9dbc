#include "common/numbertext.h"
#include "team/paste.h"

#include <QTest>

class TestPaste : public QObject {
    Q_OBJECT

private slots:
    void keepsSessions_data();
    void keepsSessions();
    void refuses_data();
    void refuses();
    void durationReadsBack_data();
    void durationReadsBack();
};

void TestPaste::keepsSessions_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("cells");

    const QLocale c = QLocale::c();
    const QStringList two{"5", "30", "7", "45"};
    QTest::newRow("CR LF rows") << c << "5\t30\r\n7\t45\r\n" << two;
    QTest::newRow("LF rows") << c << "5\t30\n7\t45\n" << two;
    QTest::newRow("CR rows") << c << "5\t30\r7\t45\r" << two;
    QTest::newRow("no final line end") << c << "5\t30\r\n7\t45" << two;
    QTest::newRow("single row, no line end") << c << "5\t30" << QStringList{"5", "30"};
    QTest::newRow("blanks behind last row") << c << "5\t30\r\n  " << QStringList{"5", "30"};
    QTest::newRow("one column") << c << "5\r\n30\r\n" << QStringList{"5", "30"};
    QTest::newRow("three columns") << c << "1\t2\t3\r\n4\t5\t6\r\n"
                                   << QStringList{"1", "2", "3", "4", "5", "6"};
    QTest::newRow("unpaired field dropped") << c << "1\t2\t3\r\n" << QStringList{"1", "2"};
    QTest::newRow("kept as pasted") << QLocale("en_US") << " $1,250.00 \t(20)\r\n"
                                    << QStringList{" $1,250.00 ", "(20)"};
    QTest::newRow("H:MM") << c << "150\t1:30\r\n" << QStringList{"150", "90"};
    QTest::newRow("two-digit hours") << c << "150\t12:30\r\n" << QStringList{"150", "750"};
    QTest::newRow("H:MM:SS") << c << "150\t1:30:00\r\n" << QStringList{"150", "90"};
    QTest::newRow("under an hour") << c << "150\t0:45\r\n" << QStringList{"150", "45"};
    QTest::newRow("seconds") << c << "150\t1:30:30\r\n" << QStringList{"150", "90.5"};
    QTest::newRow("colon in amount column") << c << "1:00\t60\r\n" << QStringList{"60", "60"};
    QTest::newRow("minutes ungrouped") << QLocale("en_US") << "150\t20000:00\r\n"
                                       << QStringList{"150", "1200000"};
    QTest::newRow("de_DE") << QLocale("de_DE") << "-1.250,50\t1:30:30\r\n2,5\t45\r\n"
                           << QStringList{"-1.250,50", "90,5", "2,5", "45"};
}

void TestPaste::keepsSessions() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(QStringList, cells);
    const PasteOutcome outcome = pasteSessions(text, locale);
    QCOMPARE(outcome.error, QString());
    QCOMPARE(outcome.sessions.cells, cells);
}

void TestPaste::refuses_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");

    const QLocale c = QLocale::c();
    const QString nonNumeric = "Non-numeric character";
    const QString notEnough = "Not enough data";
    QTest::newRow("header words") << c << "Won\tMinutes\r\n5\t30\r\n" << nonNumeric;
    QTest::newRow("blank line inside") << c << "5\t30\r\n\r\n7\t45\r\n" << nonNumeric;
    QTest::newRow("blank line at end") << c << "5\t30\r\n\r\n" << nonNumeric;
    QTest::newRow("LF CR is two line ends") << c << "5\t30\n\r7\t45\n" << nonNumeric;
    QTest::newRow("word alone") << c << "abc" << nonNumeric;
    QTest::newRow("bad unpaired field") << c << "1\t2\tx\r\n" << nonNumeric;
    QTest::newRow("decimal dot in de_DE") << QLocale("de_DE") << "1.5\t30\r\n" << nonNumeric;
    for (const char* duration : {":30", "-1:30", "1:5", "1:75", "1:30:60", "1:30:5", "1::30",
                                 "1:30:00:00", "1:30 ", "a:30", "1:3a"})
        QTest::newRow(duration) << c << QString("150\t%1\r\n").arg(duration) << nonNumeric;
    QTest::newRow("hours beyond a double") << c << "1" + QString(400, '0') + ":00\t5\r\n"
                                           << nonNumeric;
    QTest::newRow("empty") << c << QString() << notEnough;
    QTest::newRow("blanks") << c << "  " << notEnough;
    QTest::newRow("single field") << c << "5" << notEnough;
    QTest::newRow("single field and line end") << c << "5\r\n" << notEnough;
}

void TestPaste::refuses() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(QString, error);
    const PasteOutcome outcome = pasteSessions(text, locale);
    QCOMPARE(outcome.error, error);
    QCOMPARE(outcome.sessions.sessionCount(), 0);
}

// The analysis reads the minutes written for a duration with the same locale's conversion.
void TestPaste::durationReadsBack_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("duration");
    QTest::addColumn<double>("minutes");

    for (const char* name : {"C", "en_US", "de_DE", "fr_FR", "hi_IN"}) {
        QTest::addRow("%s thirds", name) << QLocale(name) << "1:30:20" << 90 + 1 / 3.0;
        QTest::addRow("%s large", name) << QLocale(name) << "123456789:00" << 7407407340.0;
    }
}

void TestPaste::durationReadsBack() {
    QFETCH(QLocale, locale);
    QFETCH(QString, duration);
    QFETCH(double, minutes);
    const PasteOutcome outcome = pasteSessions(duration + "\t" + duration + "\r\n", locale);
    QCOMPARE(outcome.sessions.sessionCount(), 1);
    const std::optional<double> read = parseNumber(outcome.sessions.cells[1], locale);
    QVERIFY2(read == minutes, qPrintable(outcome.sessions.cells[1]));
}

QTEST_APPLESS_MAIN(TestPaste)
#include "tst_paste.moc"
