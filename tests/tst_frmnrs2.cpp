#include "controls/threedcommand.h"
#include "controls/threedoption.h"
#include "controls/threedpanel.h"
#include "nrs/frmnrs2.h"
#include "style/fontsubstitutes.h"
#include "style/palette.h"

#include <QApplication>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

template <class Control = QWidget>
Control* find(const QWidget& window, const QString& name, int index = -1) {
    const QList<Control*> named = window.findChildren<Control*>(name);
    for (Control* control : named)
        if (index < 0 || control->property("Index").toInt() == index)
            return control;
    return nullptr;
}

QLineEdit* field(const QWidget& w, int index) {
    return find<QLineEdit>(w, u"NRSText"_s, index);
}
ThreedOption* option(const QWidget& w, int index) {
    return find<ThreedOption>(w, u"optP"_s, index);
}
ThreedPanel* result(const QWidget& w, int index) {
    return find<ThreedPanel>(w, u"SSPanel1"_s, index);
}
ThreedCommand* button(const QWidget& w, const QString& name) {
    return find<ThreedCommand>(w, name);
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
        const bool caption = !find(window, u"Panel3D6"_s, row.captionIndex)->isHidden();
        const bool value =
            !find(window, QString::fromLatin1(row.valueName), row.valueIndex)->isHidden();
        if (caption != value)
            shown += u'?';
        else if (caption)
            shown += QLatin1Char(row.letter);
    }
    return shown;
}

QStringList results(const QWidget& window) {
    return {result(window, 0)->caption(), result(window, 1)->caption(),
            result(window, 2)->caption()};
}

QString nameOf(const QWidget* control) {
    bool inArray = false;
    const int index = control->property("Index").toInt(&inArray);
    return inArray && index >= 0 ? u"%1(%2)"_s.arg(control->objectName()).arg(index)
                                 : control->objectName();
}

void selectSituation(const QWidget& window, int index) {
    QTest::mouseClick(option(window, index), Qt::LeftButton);
}

// Typed with every row shown, so that each field takes its text whatever situation follows.
void typeSizes(const QWidget& window, const QString& d, const QString& k, const QString& q,
               const QString& b) {
    selectSituation(window, 1);
    QTest::keyClicks(field(window, 2), d);
    QTest::keyClicks(field(window, 0), k);
    QTest::keyClicks(field(window, 1), q);
    QTest::keyClicks(field(window, 3), b);
}

void calculate(const QWidget& window) {
    QTest::mouseClick(button(window, u"SSSave"_s), Qt::LeftButton);
}

// Without a window manager nothing activates a shown window by itself.
void showActive(QWidget& window) {
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

// Where focus goes at each Tab press from the shoe-size field.
QStringList tabFromShoeSize(const frmNRS2& window, qsizetype steps) {
    field(window, 2)->setFocus();
    QStringList seen;
    for (qsizetype step = 0; step < steps; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << nameOf(QApplication::focusWidget());
    }
    return seen;
}

} // namespace

class TestFrmNrs2 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opensEmptyInSituation2();
    void stacksValuesOverCaptionsOverFrames();
    void situationLayouts_data();
    void situationLayouts();
    void ignoresOtherOptionEvents_data();
    void ignoresOtherOptionEvents();
    void calculates_data();
    void calculates();
    void readsTheUsersLocale();
    void hiddenFieldsKeepTheirText();
    void resultsStayUntilTheNextPress();
    void tabOrder_data();
    void tabOrder();
    void clickedOptionStaysOutOfTheTabChain();
    void accessKeys();
    void closes_data();
    void closes();
    void palettes_data();
    void palettes();
};

void TestFrmNrs2::initTestCase() {
    TavoBAS::installFontSubstitutes();
    TavoBAS::ReducedPalette = false;
    TavoBAS::InitPalette();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(QApplication::primaryScreen()->logicalDotsPerInchX(), 96.0);
}

void TestFrmNrs2::opensEmptyInSituation2() {
    const frmNRS2 window;
    QCOMPARE(window.windowTitle(), u"NRS Calculate"_s);
    QCOMPARE(window.minimumSize(), QSize(312, 406));
    QCOMPARE(window.maximumSize(), window.minimumSize());
    QCOMPARE(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
             Qt::WindowFlags());
    QVERIFY(!window.windowIcon().isNull());

    QCOMPARE(shownRows(window), u"dkqnr"_s);
    for (int index : {0, 1, 2}) {
        QCOMPARE(option(window, index)->value(), index == 2);
        QCOMPARE(nameOf(option(window, index)->parentWidget()), u"Panel3d1(4)"_s);
        QCOMPARE(result(window, index)->caption(), QString());
    }
    for (int index : {0, 1, 2, 3})
        QCOMPARE(field(window, index)->text(), QString());

    QStringList names;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->objectName().isEmpty())
            names << nameOf(control);
    }
    names.sort();
    QCOMPARE(names,
             (QStringList{u"NRSText(0)"_s,  u"NRSText(1)"_s,  u"NRSText(2)"_s,  u"NRSText(3)"_s,
                          u"Panel3D6(0)"_s, u"Panel3D6(1)"_s, u"Panel3D6(2)"_s, u"Panel3D6(20)"_s,
                          u"Panel3D6(3)"_s, u"Panel3D6(4)"_s, u"Panel3D6(5)"_s, u"Panel3d1(0)"_s,
                          u"Panel3d1(1)"_s, u"Panel3d1(4)"_s, u"SSPanel1(0)"_s, u"SSPanel1(1)"_s,
                          u"SSPanel1(2)"_s, u"SSSave"_s,      u"cmdOptOK"_s,    u"optP(0)"_s,
                          u"optP(1)"_s,     u"optP(2)"_s,     u"text1(4)"_s}));
}

// Each row's field or result covers the end of its caption panel, and every control covers the
// frames; every caption stays clear of what covers it.
void TestFrmNrs2::stacksValuesOverCaptionsOverFrames() {
    const frmNRS2 window;
    const QObjectList stack = window.children();
    for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QVERIFY(window.rect().contains(control->geometry()));
        if (control->objectName() == u"Panel3d1"_s)
            continue;
        for (const QWidget* frame : window.findChildren<QWidget*>(u"Panel3d1"_s))
            QVERIFY2(!frame->geometry().intersects(control->geometry()) ||
                         stack.indexOf(frame) < stack.indexOf(control),
                     qPrintable(nameOf(control)));
    }
    for (const Row& row : rows) {
        const auto* caption = find<ThreedPanel>(window, u"Panel3D6"_s, row.captionIndex);
        const QWidget* value = find(window, QString::fromLatin1(row.valueName), row.valueIndex);
        QVERIFY(caption->geometry().intersects(value->geometry()));
        QVERIFY(stack.indexOf(caption) < stack.indexOf(value));
        QVERIFY(qAbs(caption->geometry().center().y() - value->geometry().center().y()) <= 1);
        const int room = value->x() - caption->x();
        QVERIFY2(caption->fontMetrics().horizontalAdvance(caption->caption()) < room - 4,
                 qPrintable(caption->caption()));
    }
    for (int index : {0, 1, 2})
        QVERIFY(option(window, index)->sizeHint().width() <= option(window, index)->width());
    for (const ThreedCommand* b : window.findChildren<ThreedCommand*>()) {
        const QString caption = b->text().remove(u'&');
        QVERIFY2(b->fontMetrics().horizontalAdvance(caption) < b->width() - 8, qPrintable(caption));
    }
}

void TestFrmNrs2::situationLayouts_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("shown");

    QTest::newRow("cut poor slug out") << QList<int>{0} << u"dqbnr"_s;
    QTest::newRow("cut rich slug to middle") << QList<int>{1} << u"dkqbnrf"_s;
    QTest::newRow("cut rich slug to top") << QList<int>{1, 2} << u"dkqnr"_s;
    QTest::newRow("selected one again at start") << QList<int>{2} << u"dkqnr"_s;
    QTest::newRow("selected one again") << QList<int>{0, 0} << u"dqbnr"_s;
    QTest::newRow("middle after poor") << QList<int>{0, 1} << u"dkqbnrf"_s;
}

void TestFrmNrs2::situationLayouts() {
    QFETCH(QList<int>, clicks);
    QFETCH(QString, shown);
    frmNRS2 window;
    showActive(window);
    for (int index : clicks)
        selectSituation(window, index);
    QCOMPARE(shownRows(window), shown);
    for (int index : {0, 1, 2})
        QCOMPARE(option(window, index)->value(), index == clicks.last());
}

void TestFrmNrs2::ignoresOtherOptionEvents_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("value");

    QTest::newRow("cleared") << 0 << false;
    QTest::newRow("below the array") << -1 << true;
    QTest::newRow("above the array") << 3 << true;
}

void TestFrmNrs2::ignoresOtherOptionEvents() {
    QFETCH(int, index);
    QFETCH(bool, value);
    frmNRS2 window;
    window.optP_Click(index, value);
    QCOMPARE(shownRows(window), u"dkqnr"_s);
}

void TestFrmNrs2::calculates_data() {
    QTest::addColumn<int>("situation");
    QTest::addColumn<QStringList>("sizes");
    QTest::addColumn<QStringList>("shown");

    const QStringList cards{u"312"_s, u"52"_s, u"104"_s, u"26"_s};
    const QStringList decks{u"6"_s, u"1"_s, u"2"_s, u"0.5"_s};
    QTest::newRow("cards, poor slug out")
        << 0 << cards << QStringList{u"286.000"_s, u"1.000"_s, u"0.571"_s};
    QTest::newRow("cards, rich slug to middle")
        << 1 << cards << QStringList{u"170.182"_s, u"-1.273"_s, u"0.286"_s};
    QTest::newRow("cards, rich slug to top")
        << 2 << cards << QStringList{u"173.333"_s, u"-1.333"_s, u"0.250"_s};
    QTest::newRow("decks, poor slug out")
        << 0 << decks << QStringList{u"5.500"_s, u"1.000"_s, u"0.571"_s};
    QTest::newRow("decks, rich slug to middle")
        << 1 << decks << QStringList{u"3.273"_s, u"-1.273"_s, u"0.286"_s};
    QTest::newRow("decks, rich slug to top")
        << 2 << decks << QStringList{u"3.333"_s, u"-1.333"_s, u"0.250"_s};
    QTest::newRow("letters count as 0") << 1 << QStringList{u"312"_s, u"none"_s, u"104"_s, u"26"_s}
                                        << QStringList{u"286.000"_s, u"-1.750"_s, u"0.571"_s};
    const QStringList undefined{u"undefined"_s, u"undefined"_s, u"undefined"_s};
    QTest::newRow("nothing typed")
        << 2 << QStringList{QString(), QString(), QString(), QString()} << undefined;
}

void TestFrmNrs2::calculates() {
    QFETCH(int, situation);
    QFETCH(QStringList, sizes);
    QFETCH(QStringList, shown);
    frmNRS2 window;
    showActive(window);
    typeSizes(window, sizes[0], sizes[1], sizes[2], sizes[3]);
    selectSituation(window, situation);
    calculate(window);
    QCOMPARE(results(window), shown);
    calculate(window);
    QCOMPARE(results(window), shown);
}

void TestFrmNrs2::readsTheUsersLocale() {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    frmNRS2 window;
    showActive(window);
    typeSizes(window, u"6"_s, u"1"_s, u"2"_s, u"0,5"_s);
    calculate(window);
    QLocale::setDefault(before);
    QCOMPARE(results(window), (QStringList{u"3,273"_s, u"-1,273"_s, u"0,286"_s}));
}

void TestFrmNrs2::hiddenFieldsKeepTheirText() {
    frmNRS2 window;
    showActive(window);
    typeSizes(window, u"312"_s, u"52"_s, u"104"_s, u"26"_s);
    selectSituation(window, 0);
    selectSituation(window, 2);
    QCOMPARE(field(window, 0)->text(), u"52"_s);
    QCOMPARE(field(window, 3)->text(), u"26"_s);
    selectSituation(window, 1);
    calculate(window);
    QCOMPARE(results(window), (QStringList{u"170.182"_s, u"-1.273"_s, u"0.286"_s}));
}

void TestFrmNrs2::resultsStayUntilTheNextPress() {
    frmNRS2 window;
    showActive(window);
    typeSizes(window, u"312"_s, u"52"_s, u"104"_s, u"26"_s);
    calculate(window);
    const QStringList middle{u"170.182"_s, u"-1.273"_s, u"0.286"_s};
    QTest::keyClicks(field(window, 2), u"0"_s);
    selectSituation(window, 2);
    QCOMPARE(results(window), middle);
    selectSituation(window, 1);
    QCOMPARE(results(window), middle);

    // The adjustment is written while its row is hidden and shows when the row comes back.
    QTest::keyClick(field(window, 2), Qt::Key_Backspace);
    selectSituation(window, 2);
    calculate(window);
    selectSituation(window, 1);
    QCOMPARE(shownRows(window), u"dkqbnrf"_s);
    QCOMPARE(results(window), (QStringList{u"173.333"_s, u"-1.333"_s, u"0.250"_s}));
}

void TestFrmNrs2::tabOrder_data() {
    QTest::addColumn<int>("situation");
    QTest::addColumn<QStringList>("visited");

    QTest::newRow("slug row hidden") << 2
                                     << QStringList{u"NRSText(0)"_s, u"NRSText(1)"_s, u"SSSave"_s,
                                                    u"cmdOptOK"_s, u"NRSText(2)"_s};
    QTest::newRow("slug row shown")
        << 1 << QStringList{u"NRSText(0)"_s, u"NRSText(1)"_s, u"SSSave"_s,
                            u"cmdOptOK"_s,   u"NRSText(3)"_s, u"NRSText(2)"_s};
    QTest::newRow("track zone row hidden")
        << 0
        << QStringList{u"NRSText(1)"_s, u"SSSave"_s, u"cmdOptOK"_s, u"NRSText(3)"_s,
                       u"NRSText(2)"_s};
}

void TestFrmNrs2::tabOrder() {
    QFETCH(int, situation);
    QFETCH(QStringList, visited);
    frmNRS2 window;
    showActive(window);
    QCOMPARE(nameOf(QApplication::focusWidget()), u"NRSText(2)"_s);
    option(window, situation)->setValue(true);
    QCOMPARE(tabFromShoeSize(window, visited.size()), visited);
}

void TestFrmNrs2::clickedOptionStaysOutOfTheTabChain() {
    frmNRS2 window;
    showActive(window);
    selectSituation(window, 1);
    const QStringList visited = tabFromShoeSize(window, 6);
    QVERIFY2(std::none_of(visited.begin(), visited.end(),
                          [](const QString& name) { return name.startsWith(u"optP"_s); }),
             qPrintable(visited.join(u", "_s)));
}

void TestFrmNrs2::accessKeys() {
    frmNRS2 window;
    showActive(window);
    QTest::keyClicks(field(window, 2), u"312"_s);
    QTest::keyClicks(field(window, 0), u"52"_s);
    QTest::keyClicks(field(window, 1), u"104"_s);
    QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(results(window), (QStringList{u"173.333"_s, u"-1.333"_s, u"0.250"_s}));
    QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
    QTRY_VERIFY(!window.isVisible());
}

void TestFrmNrs2::closes_data() {
    QTest::addColumn<bool>("byCloseBox");

    QTest::newRow("exit button") << false;
    QTest::newRow("close box") << true;
}

void TestFrmNrs2::closes() {
    QFETCH(bool, byCloseBox);
    {
        frmNRS2 window;
        showActive(window);
        typeSizes(window, u"312"_s, u"52"_s, u"104"_s, u"26"_s);
        calculate(window);
        QTimer::singleShot(0, &window, [&] {
            if (byCloseBox)
                window.close();
            else
                QTest::mouseClick(button(window, u"cmdOptOK"_s), Qt::LeftButton);
        });
        // Should the window not close, this ends the modal loop so that the check below fails.
        QTimer::singleShot(5000, &window, &QDialog::accept);
        QCOMPARE(window.exec(), int(QDialog::Rejected));
    }
    const frmNRS2 reopened;
    QCOMPARE(shownRows(reopened), u"dkqnr"_s);
    QVERIFY(option(reopened, 2)->value());
    QCOMPARE(field(reopened, 2)->text(), QString());
    QCOMPARE(results(reopened), (QStringList{QString(), QString(), QString()}));
}

void TestFrmNrs2::palettes_data() {
    QTest::addColumn<bool>("reduced");
    QTest::addColumn<QColor>("main");
    QTest::addColumn<QColor>("panel");

    QTest::newRow("full") << false << QColor(240, 232, 208) << QColor(255, 224, 192);
    QTest::newRow("reduced") << true << QColor(192, 192, 192) << QColor(192, 192, 192);
}

void TestFrmNrs2::palettes() {
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
    for (const QString& name : {u"SSSave"_s, u"cmdOptOK"_s})
        QCOMPARE(button(window, name)->backColor(), main);
    const auto* header = find<ThreedPanel>(window, u"text1"_s, 4);
    QCOMPARE(header->backColor(), main);
    QCOMPARE(header->bevelWidth(), 0);
    for (const ThreedPanel* p : window.findChildren<ThreedPanel*>()) {
        if (p != header)
            QVERIFY2(p->backColor() == panel, qPrintable(nameOf(p)));
    }
    for (int index : {0, 1, 2})
        QCOMPARE(option(window, index)->backColor(), panel);
    for (int index : {0, 1, 2, 3}) {
        QLineEdit* box = field(window, index);
        QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(box->grab().toImage().pixelColor(box->width() - 5, box->height() / 2),
                 QColor(Qt::white));
    }
}

QTEST_MAIN(TestFrmNrs2)
#include "tst_frmnrs2.moc"
