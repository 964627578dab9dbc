#include "common/numbertext.h"

#include <QTest>
#include <bit>
#include <cmath>

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void readsNumbers_data();
    void readsNumbers();
    void rejectsNonNumbers_data();
    void rejectsNonNumbers();
    void floatRange_data();
    void floatRange();
    void agreesWithLocale_data();
    void agreesWithLocale();
};

void TestNumberText::readsNumbers_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("C plain") << "C" << "150" << 150.0;
    QTest::newRow("C signed decimal") << "C" << "-20.5" << -20.5;
    QTest::newRow("C plus sign") << "C" << "+7" << 7.0;
    QTest::newRow("C blanks around") << "C" << "  42 \t" << 42.0;
    QTest::newRow("C exponent") << "C" << "1.5e3" << 1500.0;
    QTest::newRow("en grouping") << "en_US" << "1,250.75" << 1250.75;
    QTest::newRow("en dollar before") << "en_US" << "$1,250.00" << 1250.0;
    QTest::newRow("en minus dollar") << "en_US" << "-$20.00" << -20.0;
    QTest::newRow("en dollar after") << "en_US" << "20$" << 20.0;
    QTest::newRow("en parentheses") << "en_US" << "(20.00)" << -20.0;
    QTest::newRow("en parenthesised dollar") << "en_US" << "($1,000)" << -1000.0;
    QTest::newRow("en blanks inside parentheses") << "en_US" << " ( 5 ) " << -5.0;
    QTest::newRow("C dollar") << "C" << "$5" << 5.0;
    QTest::newRow("de decimal comma") << "de_DE" << "-20,5" << -20.5;
    QTest::newRow("de grouping") << "de_DE" << "1.250,75" << 1250.75;
    QTest::newRow("de dot is grouping") << "de_DE" << "1.234" << 1234.0;
    QTest::newRow("de euro after") << "de_DE" << "1.250,00 €" << 1250.0;
    QTest::newRow("de dollar also") << "de_DE" << "$20,00" << 20.0;
    QTest::newRow("de accounting") << "de_DE" << "(3,25 €)" << -3.25;
}

void TestNumberText::readsNumbers() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(double, expected);
    const std::optional<double> value = parseNumber(text, QLocale(locale));
    QVERIFY2(value.has_value(), qPrintable(text));
    QCOMPARE(*value, expected);
}

void TestNumberText::rejectsNonNumbers_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << "C" << "";
    QTest::newRow("blank") << "C" << "   ";
    QTest::newRow("word") << "C" << "Won";
    QTest::newRow("trailing letter") << "C" << "12a";
    QTest::newRow("inf") << "C" << "inf";
    QTest::newRow("nan") << "C" << "nan";
    QTest::newRow("overflow") << "C" << "1e999";
    QTest::newRow("sign alone") << "C" << "-";
    QTest::newRow("dollar alone") << "en_US" << "$";
    QTest::newRow("parentheses alone") << "en_US" << "()";
    QTest::newRow("minus inside parentheses") << "en_US" << "(-5)";
    QTest::newRow("two dollars") << "en_US" << "$5$";
    QTest::newRow("dollar inside") << "en_US" << "5$0";
    QTest::newRow("sign after dollar and before") << "en_US" << "-$-5";
    QTest::newRow("unbalanced parenthesis") << "en_US" << "(5";
    QTest::newRow("colon") << "C" << "1:30";
    QTest::newRow("de rejects decimal dot") << "de_DE" << "1.5";
}

void TestNumberText::rejectsNonNumbers() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QVERIFY2(!parseNumber(text, QLocale(locale)).has_value(), qPrintable(text));
}

void TestNumberText::floatRange_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<float>("expected");

    QTest::newRow("plain") << "312" << true << 312.0f;
    QTest::newRow("rounded to float") << "0.1" << true << 0.1f;
    QTest::newRow("largest float") << "3.4028234e38" << true << 3.4028234e38f;
    QTest::newRow("beyond float") << "1e39" << false << 0.0f;
    QTest::newRow("beyond negative float") << "-1e39" << false << 0.0f;
    QTest::newRow("letters") << "abc" << false << 0.0f;
}

void TestNumberText::floatRange() {
    QFETCH(QString, text);
    QFETCH(bool, converts);
    QFETCH(float, expected);
    const std::optional<float> value = parseFloat(text, QLocale::c());
    QCOMPARE(value.has_value(), converts);
    if (converts)
        QCOMPARE(*value, expected);
}

namespace {

// Every text of up to maxLength characters drawn from the alphabet.
QStringList allTexts(const QString& alphabet, qsizetype maxLength) {
    QStringList texts{""};
    for (qsizetype from = 0; texts.last().size() < maxLength;) {
        const qsizetype to = texts.size();
        for (qsizetype i = from; i < to; ++i)
            for (QChar c : alphabet)
                texts << texts[i] + c;
        from = to;
    }
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

// Whatever the locale, a text reads to exactly what QLocale reads, sign of zero and rounding
// included, however the reading gets there.
void TestNumberText::agreesWithLocale_data() {
    QTest::addColumn<QString>("locale");
    for (const char* name : {"C", "en_US", "de_DE", "fr_FR", "de_CH", "hi_IN", "es_ES", "ar_EG"})
        QTest::newRow(name) << name;
}

void TestNumberText::agreesWithLocale() {
    QFETCH(QString, locale);
    const QLocale l(locale);
    const QString point = l.decimalPoint();
    // Exactly halfway between 1 and the next double: rounds to the even one, 1.
    const QString halfway = "1" + point + "00000000000000011102230246251565404236316680908203125";
    const QStringList extremes{
        "9007199254740993", "-0", "0" + point + "1", halfway, QString(63, '9'), QString(64, '9'),
        QString(400, '9')};
    const QStringList texts = numberLikeTexts(l) + extremes;
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

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
