#include "common/numbertext.h"
#include "common/wholenumber.h"

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
    // Plain numbers are left to agreesWithLocale; these are the accounting forms on top of them.
    void readsAccountingTexts_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected"); // NaN: not a number
        const QLocale en("en_US"), de("de_DE");
        QTest::newRow("en dollar before") << en << "$1,250.00" << 1250.0;
        QTest::newRow("en minus dollar") << en << "-$20.00" << -20.0;
        QTest::newRow("en dollar after") << en << "20$" << 20.0;
        QTest::newRow("en parenthesised dollar") << en << " ( $1,000 ) " << -1000.0;
        QTest::newRow("de euro after") << de << "1.250,00 €" << 1250.0;
        QTest::newRow("de dollar also") << de << "$20,00" << 20.0;
        QTest::newRow("de accounting") << de << "(3,25 €)" << -3.25;
        QTest::newRow("dollar alone") << en << "$" << qQNaN();
        QTest::newRow("minus inside parentheses") << en << "(-5)" << qQNaN();
        QTest::newRow("dollar inside") << en << "5$0" << qQNaN();
    }

    void readsAccountingTexts() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QTEST(parseNumber(text, locale).value_or(qQNaN()), "expected");
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
};

QTEST_APPLESS_MAIN(TestCommon)
#include "tst_common.moc"
