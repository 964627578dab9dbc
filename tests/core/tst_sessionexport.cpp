// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/analysis.h"
#include "core/team/paste.h"
#include "core/team/sessionexport.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>

namespace {

const QString ruleHeader = "Rule 1,Rule 2,Rule 3,Rule 4a,Rule 4b,Rule 5a,Rule 5b,Rule 6a,Rule 6b,"
                           "Rule 7,Rule 9";

// Comma-separated text read as RFC 4180 has it, unquoting fields and keeping CR LF in quotes.
QList<QStringList> readCsv(const QString& text) {
    QList<QStringList> rows{{""}};
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted && text.mid(i, 2) == "\"\"")
            rows.last().last() += text[i++];
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            rows.last() << "";
        else if (!quoted && text.mid(i, 2) == "\r\n" && ++i)
            rows << QStringList{""};
        else
            rows.last().last() += c;
    }
    rows.removeLast(); // after the last CR LF
    return rows;
}

} // namespace

class TestSessionExport : public QObject {
    Q_OBJECT

private slots:
    // Three sessions of an hour that won 100, 300 and 200 dollars: rates 100, 300 and 200, and the
    // moving ranges 200 and 100 end at the second and third sessions.
    void writesWorkedExample() {
        const SessionTable table =
            pasteSessions(u"100\t60\n300\t60\n200\t60\n", QLocale::c()).sessions;
        const QString noRule = QString(",0").repeated(11);
        QCOMPARE(QString::fromUtf8(sessionDataText(table, analyseSessions(table.values))),
                 "Session,Amount cell,Minutes cell,Amount,Minutes,Hours,Rate,Moving range,Phase,"
                 "In baseline,Left out," +
                     ruleHeader + "\r\n" + "1,100,60,100,60,1,100,,1,yes,no" + noRule + "\r\n" +
                     "2,300,60,300,60,1,300,200,1,yes,no" + noRule + "\r\n" +
                     "3,200,60,200,60,1,200,100,1,yes,no" + noRule + "\r\n");
    }

    // The amount cell as its field, in the file named; a tab-separated file's row shows its tabs.
    void writesCells_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("field");
        const auto row = [](const char* name, const QString& cell, const QString& file,
                            const QString& field) {
            QTest::newRow(name) << cell << file << field;
        };
        row("comma", " $1,250.00 ", "a.csv", "\" $1,250.00 \"");
        row("quote", "1'250\" won", "a.csv", "\"1'250\"\" won\"");
        row("non-ASCII", "1 250,00 €", "a.csv", "\"1 250,00 €\"");
        row("line ends", "a\rb\nc", "a.txt", "\"a\rb\nc\"");
        row("tab in comma-separated", "a\tb", "a.csv", "a\tb");
        row("tab-separated", "$1,250 \"x\"", "a.tsv", "$1,250 \"x\"");
        row("tab, CR, LF as spaces", "a\tb\r\nc", "A.TSV", "a b  c");
        row(".tsv not last", "a\tb", "a.tsv.csv", "a\tb");
    }

    void writesCells() {
        QFETCH(QString, cell);
        QFETCH(QString, file);
        SessionTable table;
        table.cells.append(cell);
        table.cells.append(u"60");
        table.values = {{1250, 60}};
        const QString sep = separatorForFile(file) == FieldSeparator::Tab ? "\t" : ",";
        const QString text = QString::fromUtf8(
            sessionDataText(table, analyseSessions(table.values), separatorForFile(file)));
        QFETCH(QString, field);
        QVERIFY2(text.contains("\r\n1" + sep + field + sep + "60" + sep + "1250" + sep),
                 qPrintable(text));
    }

    // Read back, every number is the analysis's own double; the cells come back as pasted, commas
    // and all. Outliers every 16 sessions make rule 1 fire; rule 5a is not run.
    void readsBackExactly() {
        const QLocale en("en_US");
        QRandomGenerator random(7);
        QString pasted;
        for (int i = 0; i < 60; ++i)
            pasted +=
                en.toString(random.bounded(-90000, 90000) / 100.0 + (i % 16 ? 0 : 9000), 'f', 2) +
                QString("\t%1:%2:30\n").arg(random.bounded(5)).arg(random.bounded(10, 59));
        const SessionTable table = pasteSessions(pasted, en).sessions;
        AnalysisSettings settings{{20, 41}, {10, 50}, {3, 16, 45}, RuleSet(allSignalRules & ~0x20)};
        const Analysis analysis = analyseSessions(table.values, settings);
        const QList<QStringList> rows =
            readCsv(QString::fromUtf8(sessionDataText(table, analysis)));
        QCOMPARE(rows.size(), 61);
        QCOMPARE(rows[0].mid(11).join(u','), QString(ruleHeader).remove("Rule 5a,"));
        qsizetype firing = 0;
        for (qsizetype s = 0; s < 60; ++s) {
            const QStringList& row = rows[s + 1];
            const SessionValues& values = table.values[std::size_t(s)];
            QCOMPARE(row.mid(0, 3),
                     QStringList({QString::number(s + 1), table.cells.at(2 * s).toString(),
                                  table.cells.at(2 * s + 1).toString()}));
            // Compared exactly, where QCOMPARE would allow for rounding.
            const QList<double> numbers{values.amount, values.minutes, values.minutes / 60,
                                        analysis.rates()[std::size_t(s)]};
            QVERIFY2(numbers == QList<double>({row[3].toDouble(), row[4].toDouble(),
                                               row[5].toDouble(), row[6].toDouble()}),
                     qPrintable(row.join(u',')));
            if (s == 0 || settings.phaseStarts.contains(s))
                QCOMPARE(row[7], "");
            else
                QVERIFY(row[7].toDouble() == std::abs(numbers[3] - rows[s][6].toDouble()));
            QCOMPARE(row[8].toLongLong(), analysis.phaseOf(s) + 1);
            QCOMPARE(row[9], analysis.inBaseline(s) ? "yes" : "no");
            QCOMPARE(row[10], settings.leftOut.contains(s) ? "yes" : "no");
            QString rules;
            for (int rule = 0; rule < signalRuleCount; ++rule)
                if (rule != 5)
                    rules += analysis.rulesOfSessions()[std::size_t(s)] & (1u << rule) ? "1" : "0";
            QCOMPARE(row.mid(11).join(""), rules);
            firing += row[11] == "1";
        }
        QVERIFY(firing >= 3);
    }

    // A cancel, thrown from the progress report, stops the export part way.
    void cancels() {
        const SessionTable table =
            pasteSessions(QString("1\t60\n").repeated(10000), QLocale::c()).sessions;
        double reached = 0;
        QVERIFY_THROWS_EXCEPTION(double, sessionDataText(table, analyseSessions(table.values),
                                                         FieldSeparator::Comma, [&](double share) {
                                                             if ((reached = share) > 0.5)
                                                                 throw share;
                                                         }));
        QVERIFY(reached > 0.5 && reached < 1);
    }
};

QTEST_APPLESS_MAIN(TestSessionExport)
#include "tst_sessionexport.moc"
