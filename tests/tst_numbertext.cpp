#include "common/numbertext.h"

#include <QTest>
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

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
