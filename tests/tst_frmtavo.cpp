#include "app/frmtavo.h"
#include "controls/flexgrid.h"
#include "controls/threedcommand.h"
#include "controls/threedpanel.h"
#include "style/fontsubstitutes.h"
#include "style/palette.h"
#include "testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int twipsPerPixel = 15; // the design's 96 DPI

QRect twipsRect(int left, int top, int width, int height) {
    return {left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel,
            height / twipsPerPixel};
}

ThreedCommand* toolButton(const QWidget& launcher, int index) {
    return findControl<ThreedCommand>(launcher, u"SSCommand1"_s, index);
}

ThreedCommand* button(const QWidget& window, const QString& name) {
    return findControl<ThreedCommand>(window, name);
}

// Without a window manager nothing activates a shown window by itself.
void showActive(QWidget& window) {
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

// A click the way the user makes it: into the top-level window, where a modal window blocks it.
void clickAsUser(QWidget* control) {
    QWidget* window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      control->mapTo(window, control->rect().center()));
}

QString nrsState(const QWidget& tool) {
    QStringList fields;
    for (int index : {0, 1, 2, 3})
        fields << findControl<QLineEdit>(tool, u"NRSText"_s, index)->text();
    QStringList results;
    for (int index : {0, 1, 2})
        results << findControl<ThreedPanel>(tool, u"SSPanel1"_s, index)->caption();
    return fields.join(u'|') + u" -> "_s + results.join(u'|');
}

void useNrsCalculator(QWidget& tool) {
    QTest::keyClicks(findControl(tool, u"NRSText"_s, 2), u"312"_s);
    QTest::keyClicks(findControl(tool, u"NRSText"_s, 0), u"52"_s);
    QTest::keyClicks(findControl(tool, u"NRSText"_s, 1), u"104"_s);
    QTest::mouseClick(button(tool, u"SSSave"_s), Qt::LeftButton);
}

QString teamState(const QWidget& tool) {
    const auto* sessions = findControl<FlexGrid>(tool, u"GG"_s);
    const auto* results = findControl<FlexGrid>(tool, u"GR"_s);
    QStringList lines;
    for (int row = 1; row < results->rows(); ++row)
        lines << results->textMatrix(row, 0);
    return u"%1 sessions -> %2"_s.arg(sessions->rows() - 1).arg(lines.join(u'|'));
}

void useTeamAnalysis(QWidget& tool) {
    QGuiApplication::clipboard()->setText(u"100\t60\r\n300\t60\r\n200\t60\r\n"_s);
    QTest::mouseClick(button(tool, u"SSSave"_s), Qt::LeftButton);
    QTest::mouseClick(button(tool, u"SSCommand1"_s), Qt::LeftButton);
}

// What the launcher opens from each tool button, and how a user works and leaves each tool.
struct Tool {
    const char* className;
    const char* title;
    const char* exitName;
    void (*use)(QWidget&);
    QString (*state)(const QWidget&);
};
const Tool tools[] = {
    {"frmNRS2", "NRS Calculate", "cmdOptOK", useNrsCalculator, nrsState},
    {"TeamMain", "Team Analysis", "SSCommand2", useTeamAnalysis, teamState},
};

// Tool windows in existence, shown or not, whoever their parent.
qsizetype toolWindows() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::count_if(windows.begin(), windows.end(),
                         [](const QWidget* w) { return qobject_cast<const QDialog*>(w); });
}

struct Visit {
    bool opened = false;
    QString className;
    QString title;
    bool closedInside = false;
};

// Clicks a launcher button that opens a tool and runs `inside` once the tool is up; `inside` is
// expected to close it. A tool left open is closed here, so a failed check cannot keep the test
// waiting in the modal loop.
template <class Inside> Visit visitTool(QWidget* button, Inside inside) {
    Visit visit;
    QTimer whenOpen;
    whenOpen.setSingleShot(true);
    whenOpen.callOnTimeout([&] {
        auto* tool = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!tool)
            return;
        visit = {true, QString::fromLatin1(tool->metaObject()->className()), tool->windowTitle()};
        inside(*tool);
        visit.closedInside = !tool->isVisible();
        if (!visit.closedInside)
            tool->reject();
    });
    whenOpen.start(0);
    clickAsUser(button);
    return visit;
}

void closeTool(QWidget& tool, const Tool& kind, bool byCloseBox) {
    if (byCloseBox)
        tool.close();
    else
        QTest::mouseClick(button(tool, QString::fromLatin1(kind.exitName)), Qt::LeftButton);
}

} // namespace

class TestFrmTavo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void windowDesign();
    void controls_data();
    void controls();
    void tabOrder();
    void titlePanelsAreFlat();
    void centredOnScreen();
    void paletteDecidedOnce_data();
    void paletteDecidedOnce();
    void opensEachToolAfresh_data();
    void opensEachToolAfresh();
    void blockedWhileToolOpen_data();
    void blockedWhileToolOpen();
    void closingEndsTheProgram_data();
    void closingEndsTheProgram();
    void openAndCloseWithoutGrowth();
};

void TestFrmTavo::initTestCase() {
    TavoBAS::installFontSubstitutes();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(QApplication::primaryScreen()->logicalDotsPerInchX(), 96.0);
    QCOMPARE(QApplication::primaryScreen()->depth(), 32);
}

// The flag outlives every window; each test starts the way a run does.
void TestFrmTavo::init() {
    TavoBAS::ReducedPalette = false;
}

void TestFrmTavo::windowDesign() {
    const frmTavo launcher;
    QCOMPARE(launcher.windowTitle(), u"Kelvane Extras"_s);
    QCOMPARE(launcher.minimumSize(), QSize(312, 216));
    QCOMPARE(launcher.maximumSize(), launcher.minimumSize());
    QVERIFY(!launcher.windowIcon().isNull());

    QStringList names;
    for (const QWidget* control : launcher.findChildren<QWidget*>())
        names << controlName(control);
    names.sort();
    QCOMPARE(names, (QStringList{u"SSCommand1(0)"_s, u"SSCommand1(1)"_s, u"cmdOptOK"_s,
                                 u"text1(0)"_s, u"text1(4)"_s}));
}

void TestFrmTavo::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("bold");

    QTest::newRow("NRS Calculator")
        << u"SSCommand1"_s << 0 << u"NRS Calculator"_s << twipsRect(1200, 810, 2490, 390) << true;
    QTest::newRow("Team Analysis")
        << u"SSCommand1"_s << 1 << u"Team Analysis"_s << twipsRect(1200, 1410, 2490, 390) << true;
    QTest::newRow("title") << u"text1"_s << 4 << u"Select a tool"_s << twipsRect(975, 60, 2895, 525)
                           << true;
    QTest::newRow("exit") << u"cmdOptOK"_s << -1 << u"E&xit"_s << twipsRect(3135, 1965, 1200, 390)
                          << true;
    QTest::newRow("copyright") << u"text1"_s << 0 << QString() << twipsRect(150, 2565, 4380, 525)
                               << false;
}

void TestFrmTavo::controls() {
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    QFETCH(bool, bold);
    const frmTavo launcher;
    const QWidget* control = findControl(launcher, name, index);
    QVERIFY(control);
    const QString shown = control->property("Caption").toString();
    // The notice's wording is free; it must be one line.
    if (caption.isEmpty())
        QVERIFY(!shown.isEmpty() && !shown.contains(u'\n'));
    else
        QCOMPARE(shown, caption);
    QCOMPARE(control->geometry(), geometry);
    QCOMPARE(control->property("FontName").toString(), u"MS Sans Serif"_s);
    QCOMPARE(control->property("FontSize").toDouble(), 8.25);
    QCOMPARE(control->property("FontBold").toBool(), bold);
    // The design font resolves to a wider one here: the caption must still fit on one line.
    QVERIFY2(control->fontMetrics().horizontalAdvance(QString(shown).remove(u'&')) <
                 control->width() - 8,
             qPrintable(shown));
    if (const auto* panel = qobject_cast<const ThreedPanel*>(control))
        QCOMPARE(panel->alignment(), Qt::AlignCenter);
}

void TestFrmTavo::tabOrder() {
    frmTavo launcher;
    showActive(launcher);
    QCOMPARE(controlName(QApplication::focusWidget()), u"SSCommand1(0)"_s);
    QStringList visited;
    for (int press = 0; press < 3; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << controlName(QApplication::focusWidget());
    }
    QCOMPARE(visited, (QStringList{u"SSCommand1(1)"_s, u"cmdOptOK"_s, u"SSCommand1(0)"_s}));
    for (const ThreedPanel* panel : launcher.findChildren<ThreedPanel*>())
        QCOMPARE(panel->focusPolicy(), Qt::NoFocus);
}

// Both panels are designed raised over inset; on screen they read as plain text on the window.
void TestFrmTavo::titlePanelsAreFlat() {
    frmTavo launcher;
    showActive(launcher);
    const QColor background = launcher.palette().color(QPalette::Window);
    QCOMPARE(background, QColor(240, 232, 208));
    for (int index : {0, 4}) {
        auto* panel = findControl<ThreedPanel>(launcher, u"text1"_s, index);
        QCOMPARE(panel->bevelOuter(), int(ThreedPanel::Raised));
        QCOMPARE(panel->bevelInner(), int(ThreedPanel::Inset));
        QCOMPARE(panel->bevelWidth(), 0);
        QCOMPARE(panel->backColor(), background);
        const QImage drawn = panel->grab().toImage();
        for (const QPoint& edge : {QPoint(0, 0), QPoint(drawn.width() - 1, drawn.height() - 1)})
            QCOMPARE(drawn.pixelColor(edge), background);
    }
}

void TestFrmTavo::centredOnScreen() {
    frmTavo launcher;
    showActive(launcher);
    const QPoint offCentre =
        launcher.frameGeometry().center() - launcher.screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 1,
             qPrintable(u"%1, %2"_s.arg(offCentre.x()).arg(offCentre.y())));
}

void TestFrmTavo::paletteDecidedOnce_data() {
    QTest::addColumn<bool>("reducedBefore");
    QTest::addColumn<QColor>("background");

    QTest::newRow("true-colour display") << false << QColor(240, 232, 208);
    QTest::newRow("reduced palette already chosen") << true << QColor(192, 192, 192);
}

// The launcher only ever sets the flag; each tool opened from it uses what it filled.
void TestFrmTavo::paletteDecidedOnce() {
    QFETCH(bool, reducedBefore);
    QFETCH(QColor, background);
    TavoBAS::ReducedPalette = reducedBefore;
    frmTavo launcher;
    showActive(launcher);
    QCOMPARE(TavoBAS::ReducedPalette, reducedBefore);
    QCOMPARE(launcher.palette().color(QPalette::Window), background);

    for (int index : {0, 1}) {
        QColor toolBackground;
        const Visit visit = visitTool(toolButton(launcher, index), [&](QWidget& tool) {
            toolBackground = tool.palette().color(QPalette::Window);
            tool.close();
        });
        QVERIFY(visit.opened);
        QCOMPARE(toolBackground, background);
        QCOMPARE(TavoBAS::ReducedPalette, reducedBefore);
    }
}

void TestFrmTavo::opensEachToolAfresh_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("byCloseBox");
    QTest::addColumn<QString>("used");
    QTest::addColumn<QString>("fresh");

    const QString nrsUsed = u"52|104|312| -> 173.333|-1.333|0.250"_s;
    const QString nrsFresh = u"||| -> ||"_s;
    const QString teamUsed = u"3 sessions -> No signals"_s;
    const QString teamFresh = u"0 sessions -> "_s;
    QTest::newRow("NRS Calculator, exit button") << 0 << false << nrsUsed << nrsFresh;
    QTest::newRow("NRS Calculator, close box") << 0 << true << nrsUsed << nrsFresh;
    QTest::newRow("Team Analysis, exit button") << 1 << false << teamUsed << teamFresh;
    QTest::newRow("Team Analysis, close box") << 1 << true << teamUsed << teamFresh;
}

void TestFrmTavo::opensEachToolAfresh() {
    QFETCH(int, index);
    QFETCH(bool, byCloseBox);
    QFETCH(QString, used);
    QFETCH(QString, fresh);
    const Tool& kind = tools[index];
    frmTavo launcher;
    showActive(launcher);

    QString afterUse;
    const Visit first = visitTool(toolButton(launcher, index), [&](QWidget& tool) {
        kind.use(tool);
        afterUse = kind.state(tool);
        closeTool(tool, kind, byCloseBox);
    });
    QVERIFY(first.opened);
    QCOMPARE(first.className, QString::fromLatin1(kind.className));
    QCOMPARE(first.title, QString::fromLatin1(kind.title));
    QCOMPARE(afterUse, used);
    QVERIFY(first.closedInside);
    // Gone once closed, with all it held.
    QCOMPARE(toolWindows(), 0);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);

    QString reopened;
    const Visit second = visitTool(toolButton(launcher, index), [&](QWidget& tool) {
        reopened = kind.state(tool);
        closeTool(tool, kind, byCloseBox);
    });
    QVERIFY(second.opened);
    QCOMPARE(reopened, fresh);
}

void TestFrmTavo::blockedWhileToolOpen_data() {
    QTest::addColumn<int>("open");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<int>("clickedIndex");

    QTest::newRow("NRS open, Team Analysis clicked") << 0 << u"SSCommand1"_s << 1;
    QTest::newRow("Team open, NRS Calculator clicked") << 1 << u"SSCommand1"_s << 0;
    QTest::newRow("NRS open, NRS Calculator clicked") << 0 << u"SSCommand1"_s << 0;
    QTest::newRow("Team open, exit clicked") << 1 << u"cmdOptOK"_s << -1;
}

void TestFrmTavo::blockedWhileToolOpen() {
    QFETCH(int, open);
    QFETCH(QString, clicked);
    QFETCH(int, clickedIndex);
    frmTavo launcher;
    showActive(launcher);

    bool toolStillModal = false;
    QString secondTool;
    qsizetype toolsOpen = 0;
    bool launcherShown = false;
    const Visit visit = visitTool(toolButton(launcher, open), [&](QWidget& tool) {
        // Should the click get through, this closes whatever it opened before checking.
        QTimer intruder;
        intruder.setSingleShot(true);
        intruder.callOnTimeout([&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal != &tool) {
                secondTool = QString::fromLatin1(modal->metaObject()->className());
                modal->close();
            }
        });
        intruder.start(0);
        clickAsUser(findControl(launcher, clicked, clickedIndex));
        toolStillModal = QApplication::activeModalWidget() == &tool;
        toolsOpen = toolWindows();
        launcherShown = launcher.isVisible();
        tool.close();
    });
    QVERIFY(visit.opened);
    QCOMPARE(secondTool, QString());
    QCOMPARE(toolsOpen, 1);
    QVERIFY(toolStillModal);
    QVERIFY(launcherShown);
}

void TestFrmTavo::closingEndsTheProgram_data() {
    QTest::addColumn<QString>("how");

    QTest::newRow("Alt+X") << u"Alt+X"_s;
    QTest::newRow("exit button") << u"exit button"_s;
    QTest::newRow("close box") << u"close box"_s;
}

void TestFrmTavo::closingEndsTheProgram() {
    QFETCH(QString, how);
    QVERIFY(QApplication::quitOnLastWindowClosed());
    frmTavo launcher;
    showActive(launcher);
    const QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);

    QTimer::singleShot(0, &launcher, [&] {
        if (how == u"Alt+X"_s)
            QTest::keyClick(&launcher, Qt::Key_X, Qt::AltModifier);
        else if (how == u"exit button"_s)
            clickAsUser(button(launcher, u"cmdOptOK"_s));
        else
            launcher.close();
    });
    // Should the program not end, this ends the event loop so that the check below fails.
    QTimer giveUp;
    giveUp.setSingleShot(true);
    giveUp.callOnTimeout([] { QApplication::exit(1); });
    giveUp.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!launcher.isVisible());
    QCOMPARE(lastClosed.count(), 1);
}

// Every opening builds a whole window; none may leave anything behind once closed.
void TestFrmTavo::openAndCloseWithoutGrowth() {
    frmTavo launcher;
    showActive(launcher);
    const auto openAndClose = [&launcher](int index) {
        return visitTool(toolButton(launcher, index),
                         [index](QWidget& tool) { closeTool(tool, tools[index], false); });
    };
    // The first click and the first grid create the application's pointing device and gesture
    // manager, which stay for the run.
    for (int index : {0, 1})
        QVERIFY(openAndClose(index).closedInside);
    const auto footprint = [&launcher] {
        return QList<qsizetype>{QApplication::allWidgets().size(),
                                QGuiApplication::allWindows().size(), qApp->children().size(),
                                launcher.children().size()};
    };
    const QList<qsizetype> before = footprint();

    QElapsedTimer soak;
    soak.start();
    constexpr int openings = 200;
    for (int round = 0; round < openings; ++round) {
        for (int index : {0, 1}) {
            const Visit visit = openAndClose(index);
            QVERIFY2(visit.opened && visit.closedInside,
                     qPrintable(u"round %1, tool %2"_s.arg(round).arg(index)));
        }
    }
    qInfo("%d openings of each tool took %lld ms", openings, soak.elapsed());
    QCOMPARE(footprint(), before);
}

QTEST_MAIN(TestFrmTavo)
#include "tst_frmtavo.moc"
