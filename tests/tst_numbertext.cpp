#include "common/numbertext.h"

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

// Short texts in any order of digits, signs and separators, and longer runs of digits and
// group separators in any order, signed or not, with or without decimals.
QStringList numberLikeTexts(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    QStringList texts = allTexts("07-+" + point + locale.groupSeparator(), 6);
    for (const QString& integer : allTexts("7" + locale.groupSeparator(), 9))
        for (const char* sign : {"", "-", "+"})
            for (const QString& decimals : {QString(), point, point + "5"})
                texts << sign + integer + decimals;
    return texts;
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    // Plain numbers are left to agreesWithLocale; these are the accounting forms on top of them.
    void readsAccountingTexts_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected"); // NaN: not a number
        const QLocale en("en_US"), de("de_DE");
        const double refused = qQNaN();
        QTest::newRow("en dollar before") << en << "$1,250.00" << 1250.0;
        QTest::newRow("en minus dollar") << en << "-$20.00" << -20.0;
        QTest::newRow("en dollar after") << en << "20$" << 20.0;
        QTest::newRow("en parentheses") << en << "(20.00)" << -20.0;
        QTest::newRow("en parenthesised dollar") << en << "($1,000)" << -1000.0;
        QTest::newRow("en blanks inside parentheses") << en << " ( 5 ) " << -5.0;
        QTest::newRow("de euro after") << de << "1.250,00 €" << 1250.0;
        QTest::newRow("de dollar also") << de << "$20,00" << 20.0;
        QTest::newRow("de accounting") << de << "(3,25 €)" << -3.25;
        QTest::newRow("dollar alone") << en << "$" << refused;
        QTest::newRow("minus inside parentheses") << en << "(-5)" << refused;
        QTest::newRow("two dollars") << en << "$5$" << refused;
        QTest::newRow("dollar inside") << en << "5$0" << refused;
        QTest::newRow("sign after dollar and before") << en << "-$-5" << refused;
        QTest::newRow("unbalanced parenthesis") << en << "(5" << refused;
    }

    void readsAccountingTexts() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QTEST(parseNumber(text, locale).value_or(qQNaN()), "expected");
    }

    // Single precision refuses what lies beyond its range on either side, not what rounds to it.
    void floatRange() {
        QCOMPARE(parseFloat(u"3.4028234e38", QLocale::c()).value_or(0), 3.4028234e38f);
        QVERIFY(!parseFloat(u"-1e39", QLocale::c()));
    }

    // Whatever the locale, a text reads to exactly what QLocale reads, sign of zero and rounding
    // included, however the reading gets there.
    void agreesWithLocale_data() {
        QTest::addColumn<QString>("locale");
        for (const char* name :
             {"C", "en_US", "de_DE", "fr_FR", "de_CH", "hi_IN", "es_ES", "ar_EG"})
            QTest::newRow(name) << name;
    }

    void agreesWithLocale() {
        QFETCH(QString, locale);
        const QLocale l(locale);
        const QString point = l.decimalPoint();
        // Exactly halfway between 1 and the next double: rounds to the even one, 1.
        const QString halfway =
            "1" + point + "00000000000000011102230246251565404236316680908203125";
        QStringList texts = numberLikeTexts(l);
        texts += QStringList{halfway,           "9007199254740993", "-0",
                             "0" + point + "1", QString(63, '9'),   QString(64, '9'),
                             QString(400, '9')};
        // Blanks around, an exponent, letters, infinities and durations read as QLocale reads them.
        texts += QStringList{"  42 \t", "1" + point + "5e3", "   ", "12a", "inf", "nan", "1:30"};
        for (const QString& text : texts) {
            bool ok = false;
            const double expected = l.toDouble(text.trimmed(), &ok);
            const std::optional<double> value = parseNumber(text, l);
            QVERIFY2(value.has_value() == (ok && std::isfinite(expected)), qPrintable(text));
            if (value)
                QVERIFY2(std::bit_cast<quint64>(*value) == std::bit_cast<quint64>(expected),
                         qPrintable(text));
        }
    }
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
