#include "controls/threedcommand.h"
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
ThreedOption* option(const QWidget& w, int index) {
    return findControl<ThreedOption>(w, u"optP"_s, index);
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

const ThreedPanel* caption(const QWidget& window, const Row& row) {
    return findControl<ThreedPanel>(window, u"Panel3D6"_s, row.captionIndex);
}
const QWidget* value(const QWidget& window, const Row& row) {
    return findControl(window, QString::fromLatin1(row.valueName), row.valueIndex);
}

// The letters of the rows shown; a row whose caption and value disagree shows as '?'.
QString shownRows(const QWidget& window) {
    QString shown;
    for (const Row& row : rows) {
        const bool captionShown = !caption(window, row)->isHidden();
        if (captionShown != !value(window, row)->isHidden())
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

// "rows shown, selected situations: d|k|q|b -> n|r|f", all a user sees of the window's state.
QString state(const QWidget& window) {
    QStringList selected, sizes;
    for (int index : {0, 1, 2})
        if (option(window, index)->value())
            selected << QString::number(index);
    for (int index : {2, 0, 1, 3})
        sizes << field(window, index)->text();
    return u"%1, %2: %3 -> %4"_s.arg(shownRows(window), selected.join(u' '), sizes.join(u'|'),
                                     results(window).join(u'|'));
}

void selectSituation(const QWidget& window, int index) {
    QTest::mouseClick(option(window, index), Qt::LeftButton);
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
        QCOMPARE(QApplication::primaryScreen()->logicalDotsPerInchX(), 96.0);
    }

    // Opens empty in situation 2 with the options inside their frame. Each row's field or result
    // lies over the end of its caption panel, where the widest caption, the slug's, still shows
    // whole. The title panel takes the window's colour, every other panel and the options the
    // panel colour; the fields stay white even under a dark desktop theme.
    void design() {
        const QPalette desktop = QApplication::palette();
        const auto restoreDesktop = qScopeGuard([&desktop] { QApplication::setPalette(desktop); });
        QPalette dark = desktop;
        dark.setColor(QPalette::Base, QColor(40, 40, 40));
        QApplication::setPalette(dark);
        const frmNRS2 window;
        QCOMPARE(window.windowTitle(), u"NRS Calculate"_s);
        QCOMPARE(window.minimumSize(), QSize(312, 406));
        QCOMPARE(window.maximumSize(), window.minimumSize());
        QCOMPARE(window.windowFlags() &
                     (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
                 Qt::WindowFlags());
        QCOMPARE(state(window), u"dkqnr, 2: ||| -> ||"_s);
        for (int index : {0, 1, 2})
            QCOMPARE(controlName(option(window, index)->parentWidget()), u"Panel3d1(4)"_s);

        const QObjectList stack = window.children();
        for (const Row& row : rows)
            QVERIFY(stack.indexOf(caption(window, row)) < stack.indexOf(value(window, row)));
        const ThreedPanel* slug = caption(window, rows[3]);
        QVERIFY(slug->fontMetrics().horizontalAdvance(slug->caption()) <
                value(window, rows[3])->x() - slug->x() - 4);

        const QColor main(240, 232, 208), panel(255, 224, 192);
        QCOMPARE(window.palette().color(QPalette::Window), main);
        const QWidget* header = findControl(window, u"text1"_s, 4);
        for (const QWidget* control : window.findChildren<QWidget*>()) {
            const QVariant backColor = control->property("BackColor");
            if (backColor.isValid()) {
                const bool mainColoured =
                    control == header || qobject_cast<const ThreedCommand*>(control);
                QVERIFY2(backColor.value<QColor>() == (mainColoured ? main : panel),
                         qPrintable(controlName(control)));
            }
        }
        for (int index : {0, 1, 2, 3})
            QCOMPARE(field(window, index)->palette().color(QPalette::Base), QColor(Qt::white));
    }

    void situationLayouts_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("shown");
        QTest::newRow("cut poor slug out") << QList<int>{0} << u"dqbnr"_s;
        QTest::newRow("cut rich slug to middle, after poor") << QList<int>{0, 1} << u"dkqbnrf"_s;
        QTest::newRow("cut rich slug to top") << QList<int>{2} << u"dkqnr"_s;
        QTest::newRow("selected one again") << QList<int>{0, 0} << u"dqbnr"_s;
    }

    // Fields hidden keep their text.
    void situationLayouts() {
        QFETCH(QList<int>, clicks);
        QFETCH(QString, shown);
        frmNRS2 window;
        showActive(window);
        typeSizes(window, shoe);
        for (int index : clicks)
            selectSituation(window, index);
        // The event of a cleared option changes nothing.
        window.optP_Click(0, false);
        QCOMPARE(state(window), u"%1, %2: 312|52|104|26 -> ||"_s.arg(shown).arg(clicks.last()));
    }

    void calculates_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("situation");
        QTest::addColumn<QStringList>("sizes");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("poor slug out")
            << english << 0 << shoe << QStringList{u"286.000"_s, u"1.000"_s, u"0.571"_s};
        QTest::newRow("decimal comma") << QLocale(QLocale::German, QLocale::Germany) << 1
                                       << QStringList{u"6"_s, u"1"_s, u"2"_s, u"0,5"_s}
                                       << QStringList{u"3,273"_s, u"-1,273"_s, u"0,286"_s};
    }

    void calculates() {
        QFETCH(QLocale, locale);
        QFETCH(int, situation);
        QFETCH(QStringList, sizes);
        QLocale::setDefault(locale);
        const auto restoreLocale = qScopeGuard([] { QLocale::setDefault(english); });
        frmNRS2 window;
        showActive(window);
        typeSizes(window, sizes);
        selectSituation(window, situation);
        calculate(window);
        QTEST(results(window), "shown");
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
        QCOMPARE(shownRows(window), u"dkqbnrf"_s);
        QCOMPARE(results(window), topOfShoe);
        QCOMPARE(tabStops(field(window, 2), 6).join(u' '),
                 u"NRSText(0) NRSText(1) SSSave cmdOptOK NRSText(3) NRSText(2)"_s);
        QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
        QTRY_VERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestFrmNrs2)
#include "tst_frmnrs2.moc"
