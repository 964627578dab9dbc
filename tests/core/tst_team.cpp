// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/analysis.h"
#include "core/team/analysissettings.h"
#include "core/team/chartpoints.h"
#include "core/team/chartstats.h"
#include "core/team/clipboardoffer.h"
#include "core/team/expectation.h"
#include "core/team/gnumericcopy.h"
#include "core/team/labelspread.h"
#include "core/team/paste.h"
#include "core/team/signalrules.h"
#include "core/team/valueaxis.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <cmath>
#include <cstring>
#include <map>
#include <numeric>
#include <random>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(GameEntry)

namespace {

using Sessions = QList<qsizetype>;

QStringList texts(const CellTexts& cells) {
    QStringList list;
    for (qsizetype i = 0; i < cells.size(); ++i)
        list << cells.at(i).toString();
    return list;
}

QString joined(std::span<const double> values) {
    QStringList texts;
    for (double value : values)
        texts << QString::number(value);
    return texts.join(u' ');
}

// Settings written "phase starts/locks/left out": "4 8/6/1 2".
AnalysisSettings settingsFrom(const QString& text) {
    QList<Sessions> lists(3);
    for (int i = 0; i < 3; ++i)
        for (const QString& number : text.section(u'/', i, i).split(u' ', Qt::SkipEmptyParts))
            lists[i] << number.toLongLong();
    return {lists[0], lists[1], lists[2]};
}

// The cells kept = the values read from them, or the message and where it points.
QString outcomeText(const PasteOutcome& outcome, const QLocale& locale) {
    if (outcome.refusal) {
        const PasteMessage message = pasteMessage(*outcome.refusal, locale);
        return message.text + QString(": ") + message.informativeText;
    }
    QStringList values;
    for (const SessionValues& session : outcome.sessions.values)
        values << QString::number(session.amount, 'g', 17)
               << QString::number(session.minutes, 'g', 17);
    return texts(outcome.sessions.cells).join(u'|') + " = " + values.join(u' ');
}

QString twoColumns(const char* rowHolds) {
    return u"Copy two columns: the amount won or lost, and the length in minutes; "_s +
           QString::fromUtf8(rowHolds);
}

// LibreOffice's HTML copy of a range: rows of cells, each "display" or "display=sdval;sdnum".
QByteArray html(const QStringList& rows) {
    QByteArray table = "<html><body><table>";
    for (const QString& row : rows) {
        table += "<tr>";
        for (const QString& cell : row.split('|')) {
            const QString shown = cell.section('=', 0, 0), value = cell.section('=', 1);
            table += value.isEmpty() ? "<td>"
                                     : QString("<td sdval=\"%1\" sdnum=\"1033;1033;%2\">")
                                           .arg(value.section(';', 0, 0), value.section(';', 1))
                                           .toUtf8();
            table += shown.toUtf8() + "</td>";
        }
        table += "</tr>\n";
    }
    return table + "</table></body></html>";
}

// Gnumeric's copy of a range of the given size: its row and column lists, styles, and cells.
QByteArray gnumeric(int rows, int columns, const QString& inside) {
    return QString("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gnm:ClipboardRange "
                   "xmlns:gnm=\"http://www.gnumeric.org/v10.dtd\" Cols=\"%1\" Rows=\"%2\">%3"
                   "</gnm:ClipboardRange>")
        .arg(columns)
        .arg(rows)
        .arg(inside)
        .toUtf8();
}

QString gnumericCell(int row, int column, const QString& value, const QString& format = {}) {
    bool number = false;
    value.toDouble(&number);
    return QString("<gnm:Cell Row=\"%1\" Col=\"%2\" ValueType=\"%3\"%4>%5</gnm:Cell>")
        .arg(row)
        .arg(column)
        .arg(number ? 40 : 60)
        .arg(format.isEmpty() ? QString() : " ValueFormat=\"" + format + '"', value);
}

// gzip of a range of one row, -5 and 0.0625 as [mm]:ss, 281 bytes unpacked.
const QByteArray gzippedGnumeric = QByteArray::fromHex(
    "1f8b0800000000000203758fcb0ac23010457f25ccde3c8aba084dba28f80145dc888b6a432ce45192b6d1bfb7be"
    "f085abb9c33df7329317276bd0a8426cbd13c0308542e6da595e9ab6dbfb3a3455edb44213e6229f0c01c7beef38"
    "212925acdd6055680fd8074d464671d337804a6fa2800c50e5d324183c1a9531f125afae007ac36f73539b41adcf"
    "9d1230a720678b9c3cd97f29f69dbaaf2b1f6cdd0bd85abbe33182a4982eb38f3ef27611f9fd575e0041e2429d19"
    "010000");

// Symmetric lines around 0, so that a series can sit exactly on a line.
const ChartLines symmetricLines{0, 0, 90, -90, 60, -60, 30, -30};

} // namespace

class TestTeam : public QObject {
    Q_OBJECT

private slots:
    // The cells kept = the values read from them, or the message and where it points.
    void pastes_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("outcome");
        const QLocale c = QLocale::c(), en("en_US");
        const auto row = [](const char* name, const QLocale& locale, const QString& text,
                            const QString& outcome) {
            QTest::newRow(name) << locale << text << outcome;
        };
        row("CR LF rows", c, "5\t30\r\n7\t45\r\n", "5|30|7|45 = 5 30 7 45");
        row("LF rows", c, "5\t30\n7\t45\n", "5|30|7|45 = 5 30 7 45");
        row("CR rows", c, "5\t30\r7\t45\r", "5|30|7|45 = 5 30 7 45");
        row("no final line end", c, "5\t30\r\n7\t45", "5|30|7|45 = 5 30 7 45");
        row("blanks behind last row", c, "5\t30\r\n  ", "5|30 = 5 30");
        row("kept as pasted", en, " $1,250.00 \t(20)\r\n", " $1,250.00 |(20) = 1250 -20");
        row("H:MM", c, "150\t12:30\r\n", "150|750 = 150 750");
        row("H:MM:SS", c, "150\t1:30:30\r\n", "150|90.5 = 150 90.5");
        row("AM", en, "150\t01:30:00 AM\r\n", "150|90 = 150 90");
        row("PM", en, "150\t1:30 pm\r\n", "150|810 = 150 810");
        row("12 AM is hour 0", en, "150\t12:45:00 AM\r\n", "150|45 = 150 45");
        row("colon in amount column", c, "1:00\t60\r\n", "60|60 = 60 60");
        row("minutes ungrouped", en, "150\t20000:00\r\n", "150|1200000 = 150 1200000");
        row("de_DE", QLocale("de_DE"), "-1.250,50\t1:30:30\r\n", "-1.250,50|90,5 = -1250.5 90.5");

        row("header words", c, "Won\tMinutes\r\n5\t30\r\n",
            "Non-numeric character: Row 1, column 1: “Won”.");
        row("blank line inside", c, "5\t30\r\n\r\n7\t45\r\n",
            "Non-numeric character: Row 2, column 1: “”.");
        row("LF CR is two line ends", c, "5\t30\n\r7\t45\n",
            "Non-numeric character: Row 2, column 1: “”.");
        row("long field cut", c, "5\t" + QString(50, 'x'),
            "Non-numeric character: Row 1, column 2: “" + QString(39, 'x') + "…”.");
        row("non-numeric before column count", c, "1\t2\tx\r\n",
            "Non-numeric character: Row 1, column 3: “x”.");
        for (const char* duration : {":30", "-1:30", "1:5", "1:60", "1:30:60", "1:30:00:00", "a:30",
                                     "13:00 PM", "0:30 AM", "1:30PM", "1:30 XM"})
            row(duration, en, QString("150\t%1\r\n").arg(duration),
                QString("Non-numeric character: Row 1, column 2: “%1”.").arg(duration));
        row("1,000 characters", c, QString(999, ' ') + "5\t60", QString(999, ' ') + "5|60 = 5 60");
        row("1,001 characters", c, QString(1000, ' ') + "5\t60",
            "Non-numeric character: Row 1, column 1: “" + QString(39, ' ') + "…”.");
        row("hours beyond a double", c, "1" + QString(400, '0') + ":00\t5",
            "Non-numeric character: Row 1, column 1: “1" + QString(38, '0') + "…”.");
        row("ambiguous", en, "5\t30\r\n-1.250\t60\r\n",
            "Ambiguous number: Row 2, column 1: “-1.250” reads as -1.25 here, but means -1250 "
            "where “.” separates thousands.");
        row("one column", c, "5\r\n30\r\n", twoColumns("row 1 holds one value."));
        row("three columns", c, "1\t2\t3\r\n4\t5\t6\r\n", twoColumns("row 1 holds 3 values."));
        row("last row short", c, "5\t30\r\n7", twoColumns("row 2 holds one value."));
        row("blanks", c, "  ", "Not enough data: ");
        row("single field and line end", c, "5\r\n", "Not enough data: ");
    }

    void pastes() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        const PasteOutcome outcome = pasteSessions(text, locale);
        QCOMPARE(outcome.refusal.has_value(), outcome.sessions.cells.size() == 0);
        QTEST(outcomeText(outcome, locale), "outcome");
    }

    // What the spreadsheets' own copies hold beyond their text, as LibreOffice and Gnumeric
    // offer it: a cell's value, and which rows and columns were in view.
    void pastesSheetCopies_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<QByteArray>("gnumeric");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char* name, const QString& text, const QByteArray& html,
                            const QByteArray& gnumeric, const QString& outcome) {
            QTest::newRow(name) << QLocale("en_US") << text << html << gnumeric << outcome;
        };
        row("HTML red negative", "20.50\t45", html({"20.50=-20.5;0.00;[RED]0.00|45=45;0"}), {},
            "-20.5|45 = -20.5 45");
        row("HTML [MM]:SS", "20.00\t90:00\n3.00\t00:30",
            html({"20.00=20;0.00|90:00=0.0625;[MM]:SS",
                  "3.00=3;0.00|00:30=0.000347222222222222;[MM]:SS"}),
            {}, "20.00|90|3.00|0.5 = 20 90 3 0.5");
        row("HTML thousands scaled", "1\t60", html({"1=1250;#,##0,|60=60;0"}), {},
            "1250|60 = 1250 60");
        row("HTML sdval of a German office", "45,500\t1", html({"45,500=45,5;0,000|1=1;0"}), {},
            "45.5|1 = 45.5 1");
        row("HTML filtered row and hidden column left out",
            "20.00\tnote 1\t45\n999.00\tnote 2\t999\n5.00\tnote 3\t30",
            html({"20.00=20;0.00|45=45;0", "5.00=5;0.00|30=30;0"}), {},
            "20.00|45|5.00|30 = 20 45 5 30");
        row("HTML selection beyond the table", "20\t45",
            html({"20=20;0|45=45;0|<br>", "<br>|<br>|<br>"}), {}, "20|45 = 20 45");
        row("HTML cell without sdval", "1,250.00\t45", html({"1,250.00|45=45;0"}), {},
            "1,250.00|45 = 1250 45");
        row("HTML ambiguous cell without sdval", "", html({"1.250|45=45;0"}), {},
            "Ambiguous number: Row 1, column 1: “1.250” reads as 1.25 here, but means 1250 "
            "where “.” separates thousands.");
        row("HTML text cell", "", html({"5=5;0|30=30;0", "note|30=30;0"}), {},
            "Non-numeric character: Row 2, column 1: “note”.");
        row("HTML three values", "", html({"5=5;0|30=30;0|1=1;0"}), {},
            twoColumns("row 1 holds 3 values."));
        row("HTML without values", "5\t30", html({"-5|30"}), {}, "5|30 = 5 30");
        row("HTML date", "", html({"5=5;0|03/15/23=45000;MM/DD/YY"}), {},
            "Non-numeric character: Row 1, column 2: “03/15/23”.");

        const QString hidden = "<gnm:Cols><gnm:ColInfo No=\"1\" Hidden=\"1\"/></gnm:Cols>"
                               "<gnm:Rows><gnm:RowInfo No=\"1\" Hidden=\"1\"/></gnm:Rows>";
        row("Gnumeric red negative, [mm]:ss", "20.50\t90:00", {},
            gnumeric(1, 2,
                     gnumericCell(0, 0, "-20.5", "0.00;[Red]0.00") +
                         gnumericCell(0, 1, "0.0625", "[mm]:ss")),
            "-20.5|90 = -20.5 90");
        row("Gnumeric hidden row and column", "20.00\t45\n5.00\t30", {},
            gnumeric(3, 3,
                     hidden + gnumericCell(0, 0, "20", "0.00") + gnumericCell(0, 1, "note") +
                         gnumericCell(0, 2, "45") + gnumericCell(1, 0, "999") +
                         gnumericCell(1, 2, "999") + gnumericCell(2, 0, "5", "0.00") +
                         gnumericCell(2, 2, "30")),
            "20.00|45|5.00|30 = 20 45 5 30");
        row("Gnumeric duration by style", "", {},
            gnumeric(1, 2,
                     "<gnm:Styles><gnm:StyleRegion startCol=\"1\" startRow=\"0\" endCol=\"1\" "
                     "endRow=\"0\"><gnm:Style Format=\"[h]:mm\"/></gnm:StyleRegion></gnm:Styles>" +
                         gnumericCell(0, 0, "7") + gnumericCell(0, 1, "0.0625")),
            "7|90 = 7 90");
        row("Gnumeric gzip", "", {}, gzippedGnumeric, "-5|90 = -5 90");
        row("Gnumeric text cell", "", {},
            gnumeric(1, 2, gnumericCell(0, 0, "5") + gnumericCell(0, 1, "soon")),
            "Non-numeric character: Row 1, column 2: “soon”.");
        row("Gnumeric before HTML", "", html({"1=1;0|2=2;0"}),
            gnumeric(1, 2, gnumericCell(0, 0, "3") + gnumericCell(0, 1, "4")), "3|4 = 3 4");
    }

    void pastesSheetCopies() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(QByteArray, html);
        QFETCH(QByteArray, gnumeric);
        QTEST(outcomeText(pasteOffer({text, html, gnumeric}, locale), locale), "outcome");
    }

    // Gnumeric's compressed copy is read only while it unpacks within the size given.
    void capsUnpackedGnumeric() {
        QVERIFY(readGnumericCopy(gzippedGnumeric, {}, 281).has_value());
        QVERIFY(!readGnumericCopy(gzippedGnumeric, {}, 280).has_value());
    }

    void readsFormatKinds_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<FormatKind>("kind");
        const FormatKind number = FormatKind::Number, time = FormatKind::Time;
        QTest::newRow("[MM]:SS") << "[MM]:SS" << time;
        QTest::newRow("h:mm") << "h:mm" << time;
        QTest::newRow("[h]") << "[h]" << time;
        QTest::newRow("HH:MM:SS AM/PM") << "HH:MM:SS AM/PM" << time;
        QTest::newRow("date") << "MM/DD/YY" << FormatKind::Other;
        QTest::newRow("German date and time") << "TT.MM.JJJJ HH:MM" << FormatKind::Other;
        QTest::newRow("red") << "0.00;[RED]0.00" << number;
        QTest::newRow("exponent") << "0.00E+00" << number;
        QTest::newRow("German general") << "Standard" << number;
        QTest::newRow("currency") << "[$€-413] #,##0.00" << number;
        QTest::newRow("quoted") << "0\" h:mm\"" << number;
    }

    void readsFormatKinds() {
        QFETCH(QString, code);
        QTEST(formatKind(code), "kind");
    }

    void findsSignals_data() {
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
        QTest::newRow("two above, two below")
            << QList<double>{40, 40, 0, -40, -40} << QStringList{};
        QTest::newRow("5a") << QList<double>{1, 2, 3, 4, 5, 6} << QStringList{"5a@0+6"};
        QTest::newRow("rise after a dip")
            << QList<double>{-3, -1, -2, -1, 0, 1, 2, 3} << QStringList{"5a@2+6"};
        QTest::newRow("5b") << QList<double>{6, 5, 4, 3, 2, 1} << QStringList{"5b@0+6"};
        QTest::newRow("equal neighbours") << QList<double>{1, 2, 3, 3, 4, 5, 6} << QStringList{};
        QTest::newRow("five rising") << QList<double>{1, 2, 3, 4, 5} << QStringList{};
        QTest::newRow("6a") << QList<double>{1, 1, 1, -1, 1, 1, 1, 1} << QStringList{"6a@0+8"};
        QTest::newRow("6b") << QList<double>{-1, -1, -1, -1, -1, -1, 1, -1}
                            << QStringList{"6b@0+8"};
        QTest::newRow("at Mean counts for neither")
            << QList<double>{1, 1, 1, 0, 1, 1, 1, 0} << QStringList{};
        QTest::newRow("rule 7 alternating")
            << QList<double>{40, -40, 40, -40, 40, -40, 40, -40} << QStringList{"7@0+8"};
        QTest::newRow("rule 9") << QList<double>(16, 0.0) << QStringList{"9@0+15"};
        QTest::newRow("14 never rule 9") << QList<double>(14, 0.0) << QStringList{};
        QTest::newRow("rule 9 on a line") << QList<double>(15, 30.0) << QStringList{"6a@0+8"};
    }

    void findsSignals() {
        QFETCH(QList<double>, rates);
        QStringList found;
        for (const Signal& signal : findSignals(rates, symmetricLines).reported) {
            found << QString("%1@%2+%3")
                         .arg(signal.ruleId)
                         .arg(signal.firstSession)
                         .arg(signal.sessionCount);
        }
        QTEST(found, "expected");
    }

    // A session under an hour counts as one; hours are held in single precision, and beyond it.
    void hourlyRates() {
        const auto rate = [](double amount, double minutes) {
            return QString::number(hourlyRate(amount, minutes), 'g', 17);
        };
        QCOMPARE(rate(150, 30), u"150");
        QCOMPARE(rate(250, 100), u"150.00000357627877");
        QCOMPARE(rate(1e300, 1e300), u"0");
    }

    // Mean, MRBar, UCL, LCL, USig2, LSig2, USig1, LSig1; a single session has no moving range.
    void chartLines() {
        const auto lines = [](const QList<double>& rates) {
            const ChartLines c = ::chartLines(rates, movingRanges(rates));
            return QList<double>{c.Mean, c.MRBar, c.UCL, c.LCL, c.USig2, c.LSig2, c.USig1, c.LSig1};
        };
        QCOMPARE(lines({100, 300, 200}),
                 QList<double>({200, 150, 599, -199, 467, -67, 333.5, 66.5}));
        QCOMPARE(lines({-75}), QList<double>({-75, 0, -75, -75, -75, -75, -75, -75}));
    }

    // From a spreadsheet copy to the result lines, each with the sessions it is about: the cells
    // are read in the user's locale, each line lists the rates of its sessions as whole dollars,
    // halves to even. Sessions all alike fire nothing, however the mean rounds; lines beyond a
    // double say so.
    void analyses_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        const QLocale c = QLocale::c();
        QString german;
        for (const char* amount : {"0", "0", "0", "0", "0", "1.000,50", "0", "0", "0", "0", "0"})
            german += QString::fromLatin1(amount) + "\t1:00\r\n";
        QTest::newRow("German")
            << QLocale("de_DE") << german
            << QStringList({"5+1 Signal 1: A single value beyond limits (1000)",
                            "0+8 Signal 6b: 7 out of 8 consecutive values to down side of "
                            "center. (0, 0, 0, 0, 0, 1000, 0, 0)"});
        QTest::newRow("nothing") << c << QString() << QStringList();
        QTest::newRow("alike, mean rounds up")
            << c << QString("0.1\t60\n").repeated(3) << QStringList{"0+0 No signals"};
        QTest::newRow("alike, mean rounds down")
            << c << QString("33.33\t60\n").repeated(15) << QStringList{"0+0 No signals"};
        QTest::newRow("sum beyond a double") << c << "1e308\t60\n9e307\t60\n"
                                             << QStringList{"0+0 Values too large to analyse"};
        QTest::newRow("range beyond a double") << c << "1e308\t60\n-1e308\t60\n"
                                               << QStringList{"0+0 Values too large to analyse"};
    }

    void analyses() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        const Analysis analysis = analyseSessions(pasteSessions(text, locale).sessions.values);
        QStringList found;
        for (qsizetype line = 0; line < analysis.lineCount(); ++line) {
            const SessionSpan span = analysis.sessionsOf(line);
            found
                << QString("%1+%2 %3").arg(span.first).arg(span.count).arg(analysis.lineText(line));
        }
        QTEST(found, "expected");
    }

    // What the chart draws: rates | moving ranges | Mean UCL LCL | the rules each session is in.
    void chartData_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("worked example") << "100\t60\n300\t60\n200\t60\n"
                                        << "100 300 200|200 100|200 599 -199|,,";
        QTest::newRow("rule 1 inside a 6b run")
            << QString("0\t60\n").repeated(5) + "1000.5\t60\n" + QString("0\t60\n").repeated(5)
            << "0 0 0 0 0 1000.5 0 0 0 0 0|0 0 0 0 1000.5 1000.5 0 0 0 0|90.9545 "
               "623.221 -441.311|6b,6b,6b,6b,6b,1 6b,6b,6b,6b,6b,6b";
        QTest::newRow("single session") << "-75\t60\n"
                                        << "-75||-75 -75 -75|";
    }

    void chartData() {
        QFETCH(QString, text);
        const Analysis analysis =
            analyseSessions(pasteSessions(text, QLocale::c()).sessions.values);
        QStringList rules;
        for (RuleSet set : analysis.rulesOfSessions())
            rules << signalRuleIds(set).join(u' ');
        const ChartLines& c = analysis.lines();
        QTEST(QStringList({joined(analysis.rates()), joined(analysis.movingRanges()),
                           joined(std::array{c.Mean, c.UCL, c.LCL}), rules.join(u',')})
                  .join(u'|'),
              "expected");
    }

    // Each phase is judged as a table of its own would be, its limits from its sessions up to its
    // lock, with only the chosen rules, so that no window spans two phases. The sessions have
    // outliers at 0, 16 and 32, three alike from 21, and the last two beyond a double.
    void phasesAsOwnTables_data() {
        QTest::addColumn<int>("sessions");
        QTest::addColumn<QString>("text"); // phase starts/locks
        QTest::addColumn<RuleSet>("rules");
        QTest::newRow("outliers begin phases") << 48 << "16 32/" << allSignalRules;
        QTest::newRow("phases of two") << 48 << "2 46/" << allSignalRules;
        QTest::newRow("locked") << 48 << "10 30/3 35" << allSignalRules;
        QTest::newRow("rules 2, 3, 6a, 9") << 48 << "24/" << RuleSet(0x486);
        QTest::newRow("too large") << 50 << "21 24 46/" << allSignalRules;
    }

    void phasesAsOwnTables() {
        QFETCH(int, sessions);
        QFETCH(QString, text);
        QRandomGenerator random(11);
        std::vector<SessionValues> values;
        for (int i = 0; i < sessions; ++i) {
            const double amount = random.bounded(-500, 500) + (i % 16 ? 0 : 4000);
            values.push_back({i < 48 ? (i / 3 == 7 ? 0.1 : amount) : i == 48 ? 1e308 : -1e308, 60});
        }
        AnalysisSettings settings = settingsFrom(text);
        QFETCH(RuleSet, rules);
        settings.rules = rules;
        const Analysis whole = analyseSessions(values, settings);
        QCOMPARE(qsizetype(whole.phases().size()), settings.phaseStarts.size() + 1);
        for (RuleSet found : whole.rulesOfSessions())
            QCOMPARE(found & ~rules, 0);
        const auto lineAt = [](const Analysis& analysis, qsizetype line, qsizetype offset) {
            return QString::number(analysis.sessionsOf(line).first + offset) +
                   analysis.lineText(line);
        };
        for (const Phase& phase : whole.phases()) {
            const auto baseline = phase.lock ? *phase.lock + 1 - phase.first : phase.count;
            const Analysis alone = analyseSessions(
                std::span(values).subspan(std::size_t(phase.first), std::size_t(baseline)),
                {{}, {}, {}, rules});
            QVERIFY(std::memcmp(&phase.lines, &alone.lines(), sizeof(ChartLines)) == 0);
            QStringList expected, found;
            for (qsizetype line = 0; !phase.lock && line < alone.lineCount(); ++line)
                if (alone.lineText(line) != u"No signals")
                    expected << lineAt(alone, line, phase.first);
            const QString prefix = QString("Phase %1: ").arg(&phase - whole.phases().data() + 1);
            for (qsizetype line = 0; !phase.lock && line < whole.lineCount(); ++line)
                if (whole.lineText(line).startsWith(prefix))
                    found << lineAt(whole, line, 0).remove(prefix);
            QCOMPARE(found, expected);
        }
    }

    // A phase's limits leave out the sessions left out and the moving ranges beside them, yet judge
    // them: Mean and MRBar of each phase worked out by hand; the moving ranges above their phase's
    // range limit | the sessions in a baseline.
    void leavesOut_data() {
        QTest::addColumn<QList<double>>("rates");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<double>>("lines");
        QTest::addColumn<QString>("marks");
        QTest::newRow("outlier") << QList<double>{100, 300, 200, 5000, 150, 250} << "//3"
                                 << QList<double>{200, 400.0 / 3} << "00110|111011";
        QTest::newRow("phase ends") << QList<double>{100, 300, 200, 500, 5000, 400, 420} << "3//0 4"
                                    << QList<double>{250, 100, 440, 20} << "000110|0111011";
        QTest::newRow("locked") << QList<double>{100, 300, 200, 600, 700} << "/2/1 4"
                                << QList<double>{150, 0} << "1111|10100";
    }

    void leavesOut() {
        QFETCH(QList<double>, rates);
        QFETCH(QString, text);
        std::vector<SessionValues> values;
        for (double rate : rates)
            values.push_back({rate, 60});
        const Analysis analysis = analyseSessions(values, settingsFrom(text));
        QList<double> lines;
        for (const Phase& phase : analysis.phases())
            lines << phase.lines.Mean << phase.lines.MRBar;
        QString marks;
        for (RuleSet mark : analysis.rangeMarks())
            marks += QString::number(mark);
        marks += u'|';
        for (qsizetype s = 0; s < rates.size(); ++s) {
            marks += QString::number(analysis.inBaseline(s));
            QVERIFY(rates[s] != 5000 ||
                    analysis.rulesOfSessions()[std::size_t(s)] & beyondLimitsRule);
        }
        QTEST(lines, "lines");
        QTEST(marks, "marks");
    }

    // Each phase keeps two sessions, and two in its baseline; a new phase takes its lock along, and
    // of two locked phases joined the earlier lock stays.
    void changesSettings() {
        using enum SettingsChange;
        const QString two = "A phase needs at least two sessions";
        QCOMPARE(changeSettings({}, 10, StartPhase, 1).refusal, two);
        QCOMPARE(changeSettings(settingsFrom("//0"), 10, StartPhase, 2).refusal,
                 two + " in its baseline");
        QCOMPARE(changeSettings(settingsFrom("/4/"), 10, StartPhase, 4).refusal,
                 two + " in its baseline");
        QCOMPARE(changeSettings(settingsFrom("4/1 6/"), 10, RemovePhaseStart, 4).settings.locks,
                 Sessions{1});
        QCOMPARE(changeSettings(settingsFrom("/3/"), 10, LockAfter, 5).settings.locks, Sessions{5});
    }

    // Ticks whole, distinct and around every value, for one session, ranges all zero, and values
    // too large to write out.
    void valueAxis_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("unitPower");
        QTest::addColumn<QString>("ticks");
        QTest::newRow("one value") << 5.0 << 5.0 << 0 << QString("4 5 6");
        QTest::newRow("all zero") << 0.0 << 0.0 << 0 << QString("0 1");
        QTest::newRow("limits") << -319.0 << 682.0 << 0 << QString("-500 0 500 1000");
        QTest::newRow("ten digits") << 0.0 << 1.5e9 << 6 << QString("0 500 1000 1500 2000");
        QTest::newRow("largest doubles")
            << -1.42e308 << 1.42e308 << 305 << QString("-2000 -1000 0 1000 2000");
    }

    void valueAxis() {
        QFETCH(double, low);
        QFETCH(double, high);
        const ValueAxis axis = ::valueAxis(low, high);
        QStringList ticks;
        for (double tick = axis.from; tick <= axis.to; tick += axis.step)
            ticks << QString::number(tick, 'f', 0);
        QTEST(axis.unitPower, "unitPower");
        QTEST(ticks.join(u' '), "ticks");
        QVERIFY(axis.from <= axis.drawn(low) && axis.drawn(high) < axis.to);
        // On a short axis, ticks at least 30 pixels apart, still on the scale.
        const double spaced = axis.stepFor(100, 30);
        QVERIFY(spaced * 100 / (axis.to - axis.from) >= 30 && spaced >= axis.step);
        QVERIFY(QList<double>({1, 2, 5}).contains(spaced /
                                                  std::pow(10, std::floor(std::log10(spaced)))));
    }

    // Labels 10 high between 0 and 100: none left out, none overlapping, each group centred
    // where its labels want to be, all kept inside while they fit.
    void spreadLabels_data() {
        QTest::addColumn<QList<double>>("wanted");
        QTest::addColumn<QList<double>>("expected");
        QTest::newRow("apart") << QList<double>{50, 20, 80} << QList<double>{50, 20, 80};
        QTest::newRow("two at one place") << QList<double>{50, 50} << QList<double>{45, 55};
        QTest::newRow("chain") << QList<double>{40, 48, 56} << QList<double>{38, 48, 58};
        QTest::newRow("at the top edge") << QList<double>{1, 0, 2} << QList<double>{15, 5, 25};
        QTest::newRow("too many") << QList<double>(12, 50.0)
                                  << QList<double>{5, 15, 25, 35, 45, 55, 65, 75, 85, 95, 105, 115};
    }

    void spreadLabels() {
        QFETCH(QList<double>, wanted);
        const std::vector<double> placed = ::spreadLabels(wanted, 10, 0, 100);
        QTEST(QList<double>(placed.begin(), placed.end()), "expected");
    }

    // However many points share a pixel column, the line keeps each column's lowest and highest
    // point, and every marked point has a mark of its kind, or of rule 1 that shows over it,
    // within 3 pixels each way; with room for every point, every finite one is kept. Values that
    // are not finite are never drawn. Values and a frame near the largest double place their points
    // as well as small ones do.
    void chartPoints_data() {
        QTest::addColumn<double>("xFrom");
        QTest::addColumn<double>("xTo");
        QTest::addColumn<double>("scale");
        QTest::newRow("all of it") << 0.5 << 200'000.5 << 1.0;
        QTest::newRow("zoomed in") << 120'000.3 << 121'000.7 << 1.0;
        QTest::newRow("room for all") << 5'000.5 << 5'400.5 << 1.0;
        QTest::newRow("near the largest double") << 0.5 << 200'000.5 << 1.7e305;
    }

    void chartPoints() {
        QFETCH(double, xFrom);
        QFETCH(double, xTo);
        QFETCH(double, scale);
        QRandomGenerator random(7);
        std::vector<double> values(200'000);
        std::vector<RuleSet> marks(values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            values[i] = i % 997 == 0 ? NAN : (random.bounded(2000.0) - 1000) * scale;
            marks[i] = random.bounded(10) < 3 ? RuleSet(random.bounded(2) + 2) : 0;
            marks[i] |= random.bounded(100) == 0 ? beyondLimitsRule : 0;
        }
        const PlotFrame frame{xFrom, xTo, -1000 * scale, 1000 * scale, 300, 200, 3};
        // Rule 1 shows first; any other rule after it.
        const RuleSet families[] = {beyondLimitsRule, RuleSet(~beyondLimitsRule)};
        const ChartPoints points = ::chartPoints(values, 1, frame, marks, families);

        const auto pixel = [&](const QPointF& p) {
            return QPair<int, int>(int(std::floor((p.x() - xFrom) * frame.width / (xTo - xFrom))),
                                   int(std::floor((1000 - p.y() / scale) * frame.height / 2000)));
        };
        const auto pixels = [&](const QList<QPointF>& kept) {
            QSet<QPair<int, int>> at;
            for (const QPointF& p : kept)
                at.insert(pixel(p));
            return at;
        };
        const QSet<QPair<int, int>> beyondLimits = pixels(points.marked[0]);
        const QSet<QPair<int, int>> otherRules = pixels(points.marked[1]);
        const auto covered = [&](const QSet<QPair<int, int>>& at, const QPointF& p) {
            for (int dx = -3; dx <= 3; ++dx)
                for (int dy = -3; dy <= 3; ++dy)
                    if (at.contains({pixel(p).first + dx, pixel(p).second + dy}))
                        return true;
            return false;
        };
        QSet<double> lineX;
        for (const QPointF& p : points.line) {
            QVERIFY(std::isfinite(p.y()) && !lineX.contains(p.x()));
            lineX.insert(p.x());
        }

        std::map<int, QPair<QPointF, QPointF>> extremes; // lowest and highest point of each column
        qsizetype shown = 0;
        for (std::size_t i = std::size_t(std::ceil(xFrom)) - 1; double(i) + 1 <= xTo; ++i) {
            const QPointF p(double(i) + 1, values[i]);
            if (!std::isfinite(p.y()))
                continue;
            ++shown;
            const auto column = extremes.try_emplace(pixel(p).first, p, p).first;
            if (p.y() < column->second.first.y())
                column->second.first = p;
            if (p.y() > column->second.second.y())
                column->second.second = p;
            if (marks[i] && !covered(beyondLimits, p) &&
                (marks[i] & beyondLimitsRule || !covered(otherRules, p)))
                QFAIL(qPrintable(QString("marked point at %1 not covered").arg(p.x())));
        }
        for (const auto& [column, lowAndHigh] : extremes)
            QVERIFY(lineX.contains(lowAndHigh.first.x()) && lineX.contains(lowAndHigh.second.x()));
        const bool reduced = shown > 2 * frame.width;
        QVERIFY(points.line.size() <= (reduced ? 4 * (frame.width + 2) : shown + 2));
        QVERIFY(reduced || points.line.size() >= shown);

        // A path through the same points thins it alike.
        std::vector<double> xs(values.size());
        std::iota(xs.begin(), xs.end(), 1.0);
        QCOMPARE(::pathPoints(xs, values, frame), points.line);
    }

    // 200 hours at $75 an hour, SD $813.17 (1.5 % of a $100 bet, 1.15 bets SD a hand, 50 hands an
    // hour), given either way, with $14,000 lost.
    void expectationFigures_data() {
        QTest::addColumn<GameEntry>("entry");
        QTest::newRow("per hour") << GameEntry{u"75"_s, u"$813.17"_s, {}, false};
        QTest::newRow("per 100 hands") << GameEntry{u"150"_s, u"1,150"_s, u"50"_s, true};
    }

    void expectationFigures() {
        QFETCH(GameEntry, entry);
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const std::optional<GameRates> game = readGame(entry, english).rates;
        QVERIFY(game);
        QCOMPARE(game->evPerHour, 75.0);
        QVERIFY(std::abs(game->sdPerHour - 813.17) < 0.005);
        // Sessions of uneven lengths, as the true hours count and not the chart's hour floor.
        std::vector<SessionValues> sessions;
        for (int i = 0; i < 80; ++i)
            sessions.push_back({i % 2 ? -475.0 : 125.0, i % 4 ? 110.0 : 270.0});
        const ExpectationFigures figures = ::expectationFigures(sessions, *game);
        QCOMPARE(figures.totals.hours(), 200.0);
        QCOMPARE(figures.totals.amount, -14'000.0);
        QCOMPARE(figures.expected, 15'000.0);
        QCOMPARE(figures.difference, -29'000.0);
        QCOMPARE(std::round(figures.z * 100) / 100, -2.52);
        const QString text = figuresText(figures, english);
        QVERIFY2(text.contains(u"1 in 171"_s) &&
                     text.contains(u"$29,000 below expectation: a shortfall this large happens by "
                                   u"chance about once in 171 records of this length."_s),
                 qPrintable(text));
    }

    void refusesGames_data() {
        QTest::addColumn<GameEntry>("entry");
        QTest::addColumn<QString>("problems"); // of EV, SD and speed, by their first word
        QTest::newRow("SD 0") << GameEntry{u"75"_s, u"0"_s, {}, false} << u"/Enter/"_s;
        QTest::newRow("SD below 0") << GameEntry{u"75"_s, u"-1"_s, {}, false} << u"/Enter/"_s;
        QTest::newRow("words") << GameEntry{u"much"_s, u"x"_s, {}, false} << u"Enter/Enter/"_s;
        QTest::newRow("no speed") << GameEntry{u"1"_s, u"5"_s, u""_s, true} << u"//Enter"_s;
        QTest::newRow("speed unused") << GameEntry{u"-2"_s, u"5"_s, u"0"_s, false} << u"//"_s;
        QTest::newRow("beyond a double")
            << GameEntry{u"1e300"_s, u"5"_s, u"1e300"_s, true} << u"//These"_s;
    }

    void refusesGames() {
        QFETCH(GameEntry, entry);
        QFETCH(QString, problems);
        const GameReading reading = readGame(entry, QLocale::c());
        const QString found = QStringList{reading.evProblem.section(u' ', 0, 0),
                                          reading.sdProblem.section(u' ', 0, 0),
                                          reading.speedProblem.section(u' ', 0, 0)}
                                  .join(u'/');
        QCOMPARE(found, problems);
        QCOMPARE(reading.rates.has_value(), problems == u"//"_s);
    }

    // Honest players, their sessions of random lengths and results drawn from EV and SD: as many
    // end beyond two standard deviations as a normal distribution puts there, 4.55 %.
    void honestPlayersStayWithinTheBands() {
        std::mt19937_64 random(2026);
        const GameRates game{75, 813.17};
        std::uniform_real_distribution<double> minutes(30, 600);
        std::uniform_int_distribution<int> sessionCount(20, 120);
        std::normal_distribution<double> luck;
        int outside = 0;
        constexpr int players = 10'000;
        for (int player = 0; player < players; ++player) {
            std::vector<SessionValues> sessions(std::size_t(sessionCount(random)));
            for (SessionValues& session : sessions) {
                session.minutes = minutes(random);
                const double hours = session.minutes / 60;
                session.amount =
                    game.evPerHour * hours + game.sdPerHour * std::sqrt(hours) * luck(random);
            }
            const ExpectationFigures figures = ::expectationFigures(sessions, game);
            const ExpectationPath path = expectationPath(sessions);
            QCOMPARE(path.won.back(), figures.totals.amount);
            const bool beyond = std::abs(figures.z) > 2;
            QCOMPARE(beyond, std::abs(path.won.back() - game.evPerHour * path.hours.back()) >
                                 std::abs(bandEdge(game, path.hours.back(), 2) -
                                          game.evPerHour * path.hours.back()));
            outside += beyond;
        }
        QVERIFY2(std::abs(outside * 100.0 / players - 4.55) <= 0.5,
                 qPrintable(QString::number(outside)));
    }
};

QTEST_APPLESS_MAIN(TestTeam)
#include "tst_team.moc"
