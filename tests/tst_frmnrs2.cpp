#include "controls/threedoption.h"
#include "controls/threedpanel.h"
#include "nrs/frmnrs2.h"
#include "style/fontsubstitutes.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QScopeGuard>

using namespace Qt::Literals::StringLiterals;

namespace {

QLineEdit* field(const QWidget& w, int index) {
    return findControl<QLineEdit>(w, u"NRSText"_s, index);
}

// Each row of the window: its letter, its caption panel and the field or result beside it.
struct Row {
    char letter;
    int captionIndex;
    const char* valueName;
    int valueIndex;
};
constexpr Row rows[] = {{'d', 3, "NRSText", 2}, {'k', 20, "NRSText", 0}, {'q', 0, "NRSText", 1},
                        {'b', 4, "NRSText", 3}, {'n', 1, "SSPanel1", 0}, {'r', 2, "SSPanel1", 1},
                        {'f', 5, "SSPanel1", 2}};

// The letters of the rows shown; a row whose caption and value disagree shows as '?'.
QString shownRows(const QWidget& window) {
    QString shown;
    for (const Row& row : rows) {
        const bool captionShown = !findControl(window, u"Panel3D6"_s, row.captionIndex)->isHidden();
        if (captionShown ==
            findControl(window, QString::fromLatin1(row.valueName), row.valueIndex)->isHidden())
            shown += u'?';
        else if (captionShown)
            shown += QLatin1Char(row.letter);
    }
    return shown;
}

QStringList results(const QWidget& window) {
    QStringList shown;
    for (int index : {0, 1, 2})
        shown << findControl<ThreedPanel>(window, u"SSPanel1"_s, index)->caption();
    return shown;
}

void selectSituation(const QWidget& window, int index) {
    QTest::mouseClick(findControl(window, u"optP"_s, index), Qt::LeftButton);
}

// Typed with every row shown, so that each field takes its text whatever situation follows.
void typeSizes(const QWidget& window, const QStringList& dkqb) {
    selectSituation(window, 1);
    for (int row = 0; row < 4; ++row)
        QTest::keyClicks(field(window, rows[row].valueIndex), dkqb[row]);
}

void calculate(const QWidget& window) {
    QTest::mouseClick(findControl(window, u"SSSave"_s), Qt::LeftButton);
}

const QStringList shoe{u"312"_s, u"52"_s, u"104"_s, u"26"_s};
const QStringList middleOfShoe{u"170.182"_s, u"-1.273"_s, u"0.286"_s};
const QStringList topOfShoe{u"173.333"_s, u"-1.333"_s, u"0.250"_s};
const QLocale english(QLocale::English, QLocale::UnitedStates);

} // namespace

class TestFrmNrs2 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        TavoBAS::installFontSubstitutes();
        usePalette(false);
        QLocale::setDefault(english);
    }

    // Opens empty in situation 2; the fields stay black on white even under a dark desktop theme.
    void opens() {
        const QPalette desktop = QApplication::palette();
        const auto restoreDesktop = qScopeGuard([&desktop] { QApplication::setPalette(desktop); });
        QPalette dark = desktop;
        dark.setColor(QPalette::Base, QColor(40, 40, 40));
        QApplication::setPalette(dark);
        const frmNRS2 window;
        QCOMPARE(shownRows(window), u"dkqnr"_s);
        QVERIFY(findControl<ThreedOption>(window, u"optP"_s, 2)->value());
        QCOMPARE(results(window), QStringList({"", "", ""}));
        for (int index : {0, 1, 2, 3})
            QCOMPARE(field(window, index)->palette().color(QPalette::Base), QColor(Qt::white));
    }

    // Each click shows the rows of its situation; hidden fields keep their text, and the event of
    // a cleared option changes nothing.
    void situationLayouts() {
        frmNRS2 window;
        showActive(window);
        typeSizes(window, shoe);
        selectSituation(window, 0);
        QCOMPARE(shownRows(window), u"dqbnr"_s);
        selectSituation(window, 2);
        window.optP_Click(0, false);
        QCOMPARE(shownRows(window), u"dkqnr"_s);
        selectSituation(window, 1);
        QCOMPARE(shownRows(window), u"dkqbnrf"_s);
        for (int row = 0; row < 4; ++row)
            QCOMPARE(field(window, rows[row].valueIndex)->text(), shoe[row]);
    }

    // The window reads and writes numbers in the user's notation.
    void calculatesInGerman() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto restoreLocale = qScopeGuard([] { QLocale::setDefault(english); });
        frmNRS2 window;
        showActive(window);
        typeSizes(window, {u"6"_s, u"1"_s, u"2"_s, u"0,5"_s});
        selectSituation(window, 0);
        calculate(window);
        QCOMPARE(results(window), QStringList({u"5,500"_s, u"1,000"_s, u"0,571"_s}));
    }

    // Focus starts in the shoe-size field, and a round of Tab never stops on the option buttons,
    // clicked or not. Results stay until the next press, even while hidden.
    void keyboardAndResults() {
        frmNRS2 window;
        showActive(window);
        QCOMPARE(controlName(QApplication::focusWidget()), u"NRSText(2)"_s);
        typeSizes(window, shoe);
        QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(results(window), middleOfShoe);
        QTest::keyClicks(field(window, 2), u"0"_s);
        selectSituation(window, 2);
        QCOMPARE(results(window), middleOfShoe);

        // The adjustment is written while its row is hidden and shows when the row comes back.
        QTest::keyClick(field(window, 2), Qt::Key_Backspace);
        calculate(window);
        selectSituation(window, 1);
        QCOMPARE(results(window), topOfShoe);
        QCOMPARE(tabStops(field(window, 2), 6).join(u' '),
                 u"NRSText(0) NRSText(1) SSSave cmdOptOK NRSText(3) NRSText(2)"_s);
        QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
        QTRY_VERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestFrmNrs2)
#include "tst_frmnrs2.moc"
