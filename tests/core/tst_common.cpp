// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/common/numbertext.h"
#include "core/common/rtftext.h"
#include "core/common/savedfile.h"
#include "core/common/wholenumber.h"
#include "core/team/paste.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <bit>
#include <cmath>

namespace {

// Every text of up to maxLength characters drawn from the alphabet.
QStringList allTexts(const QString& alphabet, qsizetype maxLength) {
    QStringList texts{""};
    for (qsizetype i = 0; i < texts.size(); ++i)
        if (texts[i].size() < maxLength)
            for (QChar c : alphabet)
                texts << texts[i] + c;
    return texts;
}

} // namespace

class TestCommon : public QObject {
    Q_OBJECT

private slots:
    // Plain numbers are left to agreesWithLocale; these are the spreadsheets' forms on top of them,
    // and the numbers that read 1000 times larger where the decimal separator groups thousands.
    void readsAmounts_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected"); // NaN: not a number
        QTest::addColumn<double>("grouped");  // NaN: not ambiguous
        const QLocale en("en_US"), de("de_DE"), fr("fr_FR"), ch("de_CH"), in("hi_IN");
        const double no = qQNaN();
        QTest::newRow("dollar before") << en << "$1,250.00" << 1250.0 << no;
        QTest::newRow("minus before dollar") << en << "-$20.00" << -20.0 << no;
        QTest::newRow("dollar before minus") << en << "$ -20.00" << -20.0 << no;
        QTest::newRow("dollar after") << en << "20$" << 20.0 << no;
        QTest::newRow("dollar outside parentheses") << en << " $(35.00) " << -35.0 << no;
        QTest::newRow("dollar inside parentheses") << en << "( $1,000 )" << -1000.0 << no;
        QTest::newRow("accounting zero") << en << "$ -" << 0.0 << no;
        QTest::newRow("accounting zero with 0") << en << " $- 0 " << 0.0 << no;
        QTest::newRow("rupee before minus") << in << "₹-20.00" << -20.0 << no;
        QTest::newRow("euro after") << de << "1.250,00 €" << 1250.0 << no;
        QTest::newRow("euro zero") << de << "- €" << 0.0 << no;
        QTest::newRow("euro outside parentheses") << fr << "(35,00) €" << -35.0 << no;
        QTest::newRow("fr no-break space groups") << fr << "1\u00A0250,00 €" << 1250.0 << no;
        QTest::newRow("fr space groups") << fr << "1 250,5" << 1250.5 << no;
        QTest::newRow("ch apostrophe groups") << ch << "CHF 1'250.00" << 1250.0 << no;
        // Right-to-left locales write direction marks before the sign, and read them back.
        for (const char* name : {"ar_EG", "fa_IR", "he_IL"})
            QTest::newRow(name) << QLocale(name) << QLocale(name).toString(-1250.5, 'f', 1)
                                << -1250.5 << no;
        // Spreadsheets' currency formats of other locales, and their scripts' digits.
        const QLocale pl("pl_PL"), es("es_ES"), nl("nl_NL"), eg("ar_EG"), cn("zh_CN");
        QTest::newRow("pl four digits grouped") << pl << "1\u00A0250,00 zł" << 1250.0 << no;
        QTest::newRow("pl negative grouped") << pl << "-1 000" << -1000.0 << no;
        QTest::newRow("es four digits grouped") << es << "1.250,00 €" << 1250.0 << no;
        QTest::newRow("es group of two") << es << "1.25,00" << no << no;
        QTest::newRow("es five digits one group") << es << "12.5000" << no << no;
        QTest::newRow("nl trailing minus") << nl << "€ 20,50-" << -20.5 << no;
        QTest::newRow("nl trailing minus, no currency") << nl << "20,50-" << -20.5 << no;
        QTest::newRow("blank before trailing minus") << en << "5 -" << no << no;
        QTest::newRow("minus before and behind") << en << "-5-" << no << no;
        QTest::newRow("ar_EG trailing minus") << eg << "٢٠٫٥٠- ج.م.\u200F" << -20.5 << no;
        QTest::newRow("zh fullwidth yen") << cn << "￥-1,250.00" << -1250.0 << no;
        QTest::newRow("ar_EG Latin separators") << eg << "1,250.00 ج.م.\u200F" << 1250.0 << no;
        QTest::newRow("ar_EG Latin three decimals") << eg << "1.250" << 1.25 << 1250.0;
        QTest::newRow("ar_EG mixed separators") << eg << "1,250٫00" << no << no;
        QTest::newRow("hi Devanagari digits") << in << "१,२५०.००" << 1250.0 << no;
        QTest::newRow("digits of two scripts") << in << "१2" << no << no;
        QTest::newRow("dash alone") << en << "-" << no << no;
        QTest::newRow("blank after a plain minus") << en << "- 5" << no << no;
        QTest::newRow("dollar alone") << en << "$" << no << no;
        QTest::newRow("minus inside parentheses") << en << "(-5)" << no << no;
        QTest::newRow("two minus signs") << en << "-$-5" << no << no;
        QTest::newRow("dollar inside") << en << "5$0" << no << no;
        QTest::newRow("space between groups in en") << en << "1 250" << no << no;
        QTest::newRow("en three decimals") << en << "1.250" << 1.25 << 1250.0;
        QTest::newRow("en negative three decimals") << en << "$-12.500" << -12.5 << -12500.0;
        QTest::newRow("de three decimals") << de << "1,250" << 1.25 << 1250.0;
        QTest::newRow("leading 0") << en << "0.125" << 0.125 << no;
        QTest::newRow("two decimals") << en << "1.25" << 1.25 << no;
        QTest::newRow("four digits before") << en << "1250.125" << 1250.125 << no;
        QTest::newRow("grouped and decimals") << en << "1,250.00" << 1250.0 << no;
    }

    void readsAmounts() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(double, expected);
        QFETCH(double, grouped);
        QCOMPARE(parseNumber(text, locale).value_or(qQNaN()), expected);
        QCOMPARE(groupedReading(text, locale).value_or(qQNaN()), grouped);
        // A paste takes a session with this amount, or says why not.
        const std::optional<PasteRefusal> refusal =
            pasteSessions(text + QString("\t60"), locale).refusal;
        QCOMPARE(refusal ? int(refusal->reason) : -1,
                 std::isnan(expected)  ? int(PasteRefusal::NonNumeric)
                 : std::isnan(grouped) ? -1
                                       : int(PasteRefusal::AmbiguousNumber));
    }

    void writesRtf_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("rtf");
        QTest::newRow("RTF's own marks") << "{a}\\" << QByteArray("\\{a\\}\\\\\\par\n");
        QTest::newRow("beyond ASCII") << "é€￥" << QByteArray("\\u233?\\u8364?\\u-27?\\par\n");
    }

    void writesRtf() {
        QFETCH(QString, text);
        QTEST(rtfParagraph(text), "rtf");
    }

    // Whatever the locale, a text reads to exactly what QLocale reads, sign of zero and rounding
    // included, however the reading gets there: short texts of digits, signs and separators in
    // any order, longer runs of digits and groups, and a few forms of other kinds.
    void agreesWithLocale_data() {
        QTest::addColumn<QString>("locale");
        for (const char* name : {"C", "en_US", "de_DE", "fr_FR", "de_CH", "hi_IN", "ar_EG"})
            QTest::newRow(name) << name;
    }

    void agreesWithLocale() {
        QFETCH(QString, locale);
        const QLocale l(locale);
        const QString point = l.decimalPoint(), group = l.groupSeparator();
        QStringList texts = allTexts("07-+" + point + group, 6);
        for (const QString& integer : allTexts("7" + group, 9))
            for (const QString& decimals : {QString(), point, point + "5"})
                texts << integer + decimals << "-" + integer + decimals;
        // Exactly halfway between 1 and the next double: rounds to the even one, 1.
        texts << "1" + point + "00000000000000011102230246251565404236316680908203125"
              << "9007199254740993" << QString(64, '9') << QString(400, '9') << "  42 \t"
              << "1" + point + "5e3"
              << "   "
              << "12a"
              << "inf"
              << "nan"
              << "1:30";
        for (const QString& text : std::as_const(texts)) {
            if (text.trimmed().endsWith('-'))
                continue; // a trailing minus is a spreadsheet's form, read in readsAmounts
            bool ok = false;
            const double expected = l.toDouble(text.trimmed(), &ok);
            const std::optional<double> value = parseNumber(text, l);
            QVERIFY2(value.has_value() == (ok && std::isfinite(expected)), qPrintable(text));
            if (value)
                QVERIFY2(std::bit_cast<quint64>(*value) == std::bit_cast<quint64>(expected),
                         qPrintable(text));
        }
    }

    void roundsHalfToEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("2.5 down") << 2.5 << "2";
        QTest::newRow("3.5 up") << 3.5 << "4";
        QTest::newRow("-2.5 toward zero") << -2.5 << "-2";
        QTest::newRow("small negative is zero") << -0.4 << "0";
        QTest::newRow("huge without exponent") << 1e21 << "1000000000000000000000";
    }

    void roundsHalfToEven() {
        QFETCH(double, value);
        QTEST(wholeNumberText(value), "text");
    }

    // A save that fails names the file, and a folder of that name is left as it was.
    void saysWhyFileNotSaved() {
        const QTemporaryDir temporary;
        QVERIFY(QDir(temporary.path()).mkdir("folder"));
        for (const char* name : {"folder", "missing/data.csv"}) {
            const QString path = temporary.filePath(name);
            QVERIFY(saveWholeFile(path, "a,b\r\n").startsWith(path + ' '));
        }
        QVERIFY(QFileInfo(temporary.filePath("folder")).isDir());
    }
};

QTEST_APPLESS_MAIN(TestCommon)
#include "tst_common.moc"
