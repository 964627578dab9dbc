#include "controls/threedcommand.h"
#include "controls/threedoption.h"
#include "controls/threedpanel.h"
#include "nrs/frmnrs2.h"
#include "style/fontsubstitutes.h"
#include "style/palette.h"
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

// The letters of the rows shown; a row whose caption and value disagree shows as '?'.
QString shownRows(const QWidget& window) {
    QString shown;
    for (const Row& row : rows) {
        const bool caption = !findControl(window, u"Panel3D6"_s, row.captionIndex)->isHidden();
        const bool value =
            !findControl(window, QString::fromLatin1(row.valueName), row.valueIndex)->isHidden();
        if (caption != value)
            shown += u'?';
        else if (caption)
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

} // namespace

class TestFrmNrs2 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        TavoBAS::installFontSubstitutes();
        TavoBAS::ReducedPalette = false;
        TavoBAS::InitPalette();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(QApplication::primaryScreen()->logicalDotsPerInchX(), 96.0);
    }

    void opensEmptyInSituation2() {
        const frmNRS2 window;
        QCOMPARE(window.windowTitle(), u"NRS Calculate"_s);
        QCOMPARE(window.minimumSize(), QSize(312, 406));
        QCOMPARE(window.maximumSize(), window.minimumSize());
        QCOMPARE(window.windowFlags() &
                     (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
                 Qt::WindowFlags());
        QVERIFY(!window.windowIcon().isNull());
        QCOMPARE(state(window), u"dkqnr, 2: ||| -> ||"_s);
        for (int index : {0, 1, 2})
            QCOMPARE(controlName(option(window, index)->parentWidget()), u"Panel3d1(4)"_s);

        QStringList names;
        for (const QWidget* control : window.findChildren<QWidget*>()) {
            if (!control->objectName().isEmpty())
                names << controlName(control);
        }
        names.sort();
        QCOMPARE(names.join(u' '),
                 u"NRSText(0) NRSText(1) NRSText(2) NRSText(3) Panel3D6(0) Panel3D6(1) "
                 u"Panel3D6(2) Panel3D6(20) Panel3D6(3) Panel3D6(4) Panel3D6(5) Panel3d1(0) "
                 u"Panel3d1(1) Panel3d1(4) SSPanel1(0) SSPanel1(1) SSPanel1(2) SSSave cmdOptOK "
                 u"optP(0) optP(1) optP(2) text1(4)"_s);
    }

    // Each row's field or result covers the end of its caption panel, and every control covers the
    // frames; every caption stays clear of what covers it.
    void stacksValuesOverCaptionsOverFrames() {
        const frmNRS2 window;
        const QObjectList stack = window.children();
        for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QVERIFY(window.rect().contains(control->geometry()));
            if (control->objectName() == u"Panel3d1"_s)
                continue;
            for (const QWidget* frame : window.findChildren<QWidget*>(u"Panel3d1"_s))
                QVERIFY2(!frame->geometry().intersects(control->geometry()) ||
                             stack.indexOf(frame) < stack.indexOf(control),
                         qPrintable(controlName(control)));
        }
        for (const Row& row : rows) {
            const auto* caption = findControl<ThreedPanel>(window, u"Panel3D6"_s, row.captionIndex);
            const QWidget* value =
                findControl(window, QString::fromLatin1(row.valueName), row.valueIndex);
            QVERIFY(caption->geometry().intersects(value->geometry()));
            QVERIFY(stack.indexOf(caption) < stack.indexOf(value));
            QVERIFY(qAbs(caption->geometry().center().y() - value->geometry().center().y()) <= 1);
            const int room = value->x() - caption->x();
            QVERIFY2(caption->fontMetrics().horizontalAdvance(caption->caption()) < room - 4,
                     qPrintable(caption->caption()));
        }
        for (int index : {0, 1, 2})
            QVERIFY(option(window, index)->sizeHint().width() <= option(window, index)->width());
        for (const ThreedCommand* button : window.findChildren<ThreedCommand*>())
            QVERIFY2(captionFits(button), qPrintable(button->text()));
    }

    void situationLayouts_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("shown");

        QTest::newRow("cut poor slug out") << QList<int>{0} << u"dqbnr"_s;
        QTest::newRow("cut rich slug to middle") << QList<int>{1} << u"dkqbnrf"_s;
        QTest::newRow("cut rich slug to top") << QList<int>{1, 2} << u"dkqnr"_s;
        QTest::newRow("selected one again at start") << QList<int>{2} << u"dkqnr"_s;
        QTest::newRow("selected one again") << QList<int>{0, 0} << u"dqbnr"_s;
        QTest::newRow("middle after poor") << QList<int>{0, 1} << u"dkqbnrf"_s;
    }

    void situationLayouts() {
        QFETCH(QList<int>, clicks);
        QFETCH(QString, shown);
        frmNRS2 window;
        showActive(window);
        for (int index : clicks)
            selectSituation(window, index);
        // Events of a cleared option or from outside the array change nothing.
        window.optP_Click(0, false);
        window.optP_Click(-1, true);
        window.optP_Click(3, true);
        QCOMPARE(state(window), u"%1, %2: ||| -> ||"_s.arg(shown).arg(clicks.last()));
    }

    void calculates_data() {
        QTest::addColumn<int>("situation");
        QTest::addColumn<QStringList>("sizes");
        QTest::addColumn<QStringList>("shown");

        QTest::newRow("poor slug out")
            << 0 << shoe << QStringList{u"286.000"_s, u"1.000"_s, u"0.571"_s};
        QTest::newRow("rich slug to middle") << 1 << shoe << middleOfShoe;
        QTest::newRow("rich slug to top") << 2 << shoe << topOfShoe;
        QTest::newRow("nothing typed")
            << 2 << QStringList{QString(), QString(), QString(), QString()}
            << QStringList{u"undefined"_s, u"undefined"_s, u"undefined"_s};
    }

    // A second press gives the same: a calculation changes nothing it reads.
    void calculates() {
        QFETCH(int, situation);
        QFETCH(QStringList, sizes);
        QFETCH(QStringList, shown);
        frmNRS2 window;
        showActive(window);
        typeSizes(window, sizes);
        selectSituation(window, situation);
        calculate(window);
        QCOMPARE(results(window), shown);
        calculate(window);
        QCOMPARE(results(window), shown);
    }

    void readsTheUsersLocale() {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        frmNRS2 window;
        showActive(window);
        typeSizes(window, {u"6"_s, u"1"_s, u"2"_s, u"0,5"_s});
        calculate(window);
        QLocale::setDefault(before);
        QCOMPARE(results(window), (QStringList{u"3,273"_s, u"-1,273"_s, u"0,286"_s}));
    }

    // Hidden fields keep their text, and results stay until the next press, even while hidden.
    void layoutChangesKeepFieldsAndResults() {
        frmNRS2 window;
        showActive(window);
        typeSizes(window, shoe);
        selectSituation(window, 0);
        selectSituation(window, 2);
        QCOMPARE(state(window), u"dkqnr, 2: 312|52|104|26 -> ||"_s);
        selectSituation(window, 1);
        calculate(window);
        QCOMPARE(results(window), middleOfShoe);

        QTest::keyClicks(field(window, 2), u"0"_s);
        selectSituation(window, 2);
        QCOMPARE(results(window), middleOfShoe);
        selectSituation(window, 1);
        QCOMPARE(results(window), middleOfShoe);

        // The adjustment is written while its row is hidden and shows when the row comes back.
        QTest::keyClick(field(window, 2), Qt::Key_Backspace);
        selectSituation(window, 2);
        calculate(window);
        selectSituation(window, 1);
        QCOMPARE(shownRows(window), u"dkqbnrf"_s);
        QCOMPARE(results(window), topOfShoe);
    }

    void tabOrder_data() {
        QTest::addColumn<int>("situation");
        QTest::addColumn<QString>("visited");

        QTest::newRow("slug row hidden")
            << 2 << u"NRSText(0) NRSText(1) SSSave cmdOptOK NRSText(2)"_s;
        QTest::newRow("slug row shown")
            << 1 << u"NRSText(0) NRSText(1) SSSave cmdOptOK NRSText(3) NRSText(2)"_s;
        QTest::newRow("track zone row hidden")
            << 0 << u"NRSText(1) SSSave cmdOptOK NRSText(3) NRSText(2)"_s;
    }

    // A full round from the shoe-size field, after the situation was clicked: the option buttons,
    // clicked or not, are never a stop.
    void tabOrder() {
        QFETCH(int, situation);
        QFETCH(QString, visited);
        frmNRS2 window;
        showActive(window);
        QCOMPARE(controlName(QApplication::focusWidget()), u"NRSText(2)"_s);
        selectSituation(window, situation);
        QCOMPARE(tabStops(field(window, 2), visited.count(u' ') + 1).join(u' '), visited);
    }

    void accessKeys() {
        frmNRS2 window;
        showActive(window);
        for (int row = 0; row < 3; ++row)
            QTest::keyClicks(field(window, rows[row].valueIndex), shoe[row]);
        QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(results(window), topOfShoe);
        QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
        QTRY_VERIFY(!window.isVisible());
    }

    void palettes_data() {
        QTest::addColumn<bool>("reduced");
        QTest::addColumn<QColor>("main");
        QTest::addColumn<QColor>("panel");

        QTest::newRow("full") << false << QColor(240, 232, 208) << QColor(255, 224, 192);
        QTest::newRow("reduced") << true << QColor(192, 192, 192) << QColor(192, 192, 192);
    }

    // The title panel is flattened onto the window; every other panel and the options take the
    // panel colour; the fields stay white.
    void palettes() {
        QFETCH(bool, reduced);
        QFETCH(QColor, main);
        QFETCH(QColor, panel);
        // A dark desktop theme must not reach the fields.
        const QPalette desktop = QApplication::palette();
        const auto restoreDesktop = qScopeGuard([&desktop] { QApplication::setPalette(desktop); });
        QPalette dark = desktop;
        dark.setColor(QPalette::Base, QColor(40, 40, 40));
        QApplication::setPalette(dark);
        TavoBAS::ReducedPalette = reduced;
        TavoBAS::InitPalette();
        const frmNRS2 window;
        TavoBAS::ReducedPalette = false;
        TavoBAS::InitPalette();

        QCOMPARE(window.palette().color(QPalette::Window), main);
        const auto* header = findControl<ThreedPanel>(window, u"text1"_s, 4);
        QCOMPARE(header->bevelWidth(), 0);
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
};

QTEST_MAIN(TestFrmNrs2)
#include "tst_frmnrs2.moc"
