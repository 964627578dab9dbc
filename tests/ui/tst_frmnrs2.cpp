// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "testsupport.h"
#include "ui/controls/threedoption.h"
#include "ui/controls/threedpanel.h"
#include "ui/nrs/frmnrs2.h"
#include "ui/style/fontsubstitutes.h"

#include <QLineEdit>
#include <QScopeGuard>

using namespace Qt::Literals::StringLiterals;

namespace {

QLineEdit* field(const QWidget& w, int index) {
    return findControl<QLineEdit>(w, u"NRSText"_s, index);
}

// The optional rows shown: the track zone k, the slug b and the adjustment f, each by its letter
// when both its caption and its value show, as '?' when only one of them does.
QString shownRows(const QWidget& window) {
    const std::tuple<char, int, QString, int> rows[] = {
        {'k', 20, u"NRSText"_s, 0}, {'b', 4, u"NRSText"_s, 3}, {'f', 5, u"SSPanel1"_s, 2}};
    QString shown;
    for (const auto& [letter, caption, value, index] : rows) {
        const bool captionShown = !findControl(window, u"Panel3D6"_s, caption)->isHidden();
        const bool valueShown = !findControl(window, value, index)->isHidden();
        if (captionShown || valueShown)
            shown += captionShown && valueShown ? QChar(letter) : QChar(u'?');
    }
    return shown;
}

QStringList results(const QWidget& window) {
    const auto result = [&window](int index) {
        return findControl<ThreedPanel>(window, u"SSPanel1"_s, index)->caption();
    };
    return {result(0), result(1), result(2)};
}

// The fields of d, k, q and b, in the order the window shows them, typed with every row shown.
constexpr int sizeFields[] = {2, 0, 1, 3};
void typeSizes(const QWidget& window, const QStringList& dkqb) {
    clickControl(window, u"optP"_s, 1);
    for (int row = 0; row < 4; ++row)
        QTest::keyClicks(field(window, sizeFields[row]), dkqb[row]);
}

// Numbers in German notation, which the window reads and writes as the user's.
const QStringList shoe{u"312"_s, u"52"_s, u"104"_s, u"26,0"_s};
const QStringList middleOfShoe{u"170,182"_s, u"-1,273"_s, u"0,286"_s};
const QStringList topOfShoe{u"173,333"_s, u"-1,333"_s, u"0,250"_s};

} // namespace

class TestFrmNrs2 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TavoBAS::installFontSubstitutes();
    }

    // Opens empty in situation 2, the fields black on white even under a dark desktop theme. Each
    // click shows the rows of its situation; hidden fields keep their text, and the event of a
    // cleared option changes nothing.
    void situations() {
        const QPalette desktop = QApplication::palette();
        const auto restoreDesktop = qScopeGuard([&desktop] { QApplication::setPalette(desktop); });
        QPalette dark = desktop;
        dark.setColor(QPalette::Base, QColor(40, 40, 40));
        QApplication::setPalette(dark);
        frmNRS2 window;
        showActive(window);
        QCOMPARE(shownRows(window), u"k"_s);
        QVERIFY(findControl<ThreedOption>(window, u"optP"_s, 2)->value());
        for (int index : {0, 1, 2, 3})
            QCOMPARE(field(window, index)->palette().color(QPalette::Base), QColor(Qt::white));

        typeSizes(window, shoe);
        clickControl(window, u"optP"_s, 0);
        QCOMPARE(shownRows(window), u"b"_s);
        clickControl(window, u"optP"_s, 2);
        window.optP_Click(0, false);
        QCOMPARE(shownRows(window), u"k"_s);
        clickControl(window, u"optP"_s, 1);
        QCOMPARE(shownRows(window), u"kbf"_s);
        for (int row = 0; row < 4; ++row)
            QCOMPARE(field(window, sizeFields[row])->text(), shoe[row]);
    }

    // Focus starts in the shoe-size field, and a round of Tab never stops on the option buttons,
    // clicked or not. Results stay until the next press, even while hidden. Esc does not close.
    void keyboardAndResults() {
        frmNRS2 window;
        showActive(window);
        QCOMPARE(controlName(QApplication::focusWidget()), u"NRSText(2)"_s);
        typeSizes(window, shoe);
        QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(results(window), middleOfShoe);
        QTest::keyClicks(field(window, 2), u"0"_s);
        clickControl(window, u"optP"_s, 2);
        QCOMPARE(results(window), middleOfShoe);

        // The adjustment is written while its row is hidden and shows when the row comes back.
        QTest::keyClick(field(window, 2), Qt::Key_Backspace);
        clickControl(window, u"SSSave"_s);
        clickControl(window, u"optP"_s, 1);
        QCOMPARE(results(window), topOfShoe);
        QCOMPARE(tabStops(field(window, 2), 6).join(u' '),
                 u"NRSText(0) NRSText(1) SSSave cmdOptOK NRSText(3) NRSText(2)"_s);
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(window.isVisible());
        QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
        QTRY_VERIFY(!window.isVisible());
    }

    // A result too long for its panel shrinks rather than being cut; too long even at 6 points,
    // it shows "###" and the whole value as its tooltip.
    void longResultsFit_data() {
        QTest::addColumn<QStringList>("dkqb");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("shrunk");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("short") << shoe << u"0,286"_s << false << QString();
        QTest::newRow("long negative") << QStringList{u"312"_s, u"52"_s, u"312,0001"_s, {}}
                                       << u"-2839894,250"_s << true << QString();
        QTest::newRow("too long") << QStringList{u"1"_s, u"-100000000000000000000"_s, u"0"_s, {}}
                                  << u"###"_s << false << u"100000002004087734272,000"_s;
    }

    void longResultsFit() {
        QFETCH(QStringList, dkqb);
        frmNRS2 window;
        showActive(window);
        typeSizes(window, dkqb);
        clickControl(window, u"SSSave"_s);
        const auto* f = findControl<ThreedPanel>(window, u"SSPanel1"_s, 2);
        QTEST(f->captionLayout().text, "shown");
        QTEST(f->captionLayout().font.pointSizeF() < f->fontSize(), "shrunk");
        QTEST(f->toolTip(), "toolTip");
    }
};

QTEST_MAIN(TestFrmNrs2)
#include "tst_frmnrs2.moc"
