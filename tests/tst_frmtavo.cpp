#include "app/frmtavo.h"
#include "controls/flexgrid.h"
#include "controls/threedpanel.h"
#include "style/fontsubstitutes.h"
#include "style/palette.h"
#include "testsupport.h"

#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
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

QWidget* toolButton(const QWidget& launcher, int index) {
    return findControl(launcher, u"SSCommand1"_s, index);
}

// A click the way the user makes it: into the top-level window, where a modal window blocks it.
void clickAsUser(QWidget* control) {
    QWidget* window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      control->mapTo(window, control->rect().center()));
}

// What a user typed into a tool or got out of it: fields, results, grid cells under the headers.
QString content(const QWidget& tool) {
    QStringList texts;
    for (const QLineEdit* field : tool.findChildren<QLineEdit*>())
        texts << field->text();
    for (const ThreedPanel* result : tool.findChildren<ThreedPanel*>(u"SSPanel1"_s))
        texts << result->caption();
    for (const FlexGrid* grid : tool.findChildren<FlexGrid*>())
        for (int row = 1; row < grid->rows(); ++row)
            texts << grid->textMatrix(row, 0);
    return texts.join(u'|');
}

void useNrsCalculator(QWidget& tool) {
    QTest::keyClicks(findControl(tool, u"NRSText"_s, 2), u"312"_s);
    QTest::keyClicks(findControl(tool, u"NRSText"_s, 0), u"52"_s);
    QTest::keyClicks(findControl(tool, u"NRSText"_s, 1), u"104"_s);
    QTest::mouseClick(findControl(tool, u"SSSave"_s), Qt::LeftButton);
}

void useTeamAnalysis(QWidget& tool) {
    QGuiApplication::clipboard()->setText(u"100\t60\r\n300\t60\r\n200\t60\r\n"_s);
    QTest::mouseClick(findControl(tool, u"SSSave"_s), Qt::LeftButton);
    QTest::mouseClick(findControl(tool, u"SSCommand1"_s), Qt::LeftButton);
}

// What the launcher opens from each tool button, and how a user works and leaves each tool.
struct Tool {
    const char* className;
    const char* title;
    const char* exitName;
    void (*use)(QWidget&);
};
const Tool tools[] = {
    {"frmNRS2", "NRS Calculate", "cmdOptOK", useNrsCalculator},
    {"TeamMain", "Team Analysis", "SSCommand2", useTeamAnalysis},
};

// Tool windows in existence, shown or not, whoever their parent.
qsizetype toolWindows() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::count_if(windows.begin(), windows.end(),
                         [](const QWidget* w) { return qobject_cast<const QDialog*>(w); });
}

// "class, title, closed": what a visit to a tool should report.
QString closedVisit(const Tool& kind) {
    return u"%1, %2, closed"_s.arg(QString::fromLatin1(kind.className),
                                   QString::fromLatin1(kind.title));
}

// Clicks a launcher button that opens a tool and runs `inside` once the tool is up; `inside` is
// expected to close it. Tells what opened, empty when nothing did. A tool left open is closed
// here, so a failed check cannot keep the test waiting in the modal loop.
template <class Inside> QString visitTool(QWidget* button, Inside inside) {
    QString visit;
    QTimer whenOpen;
    whenOpen.setSingleShot(true);
    whenOpen.callOnTimeout([&] {
        auto* tool = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!tool)
            return;
        inside(*tool);
        const bool closedInside = !tool->isVisible();
        visit = u"%1, %2, %3"_s.arg(QString::fromLatin1(tool->metaObject()->className()),
                                    tool->windowTitle(), closedInside ? u"closed"_s : u"open"_s);
        if (!closedInside)
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
        QTest::mouseClick(findControl(tool, QString::fromLatin1(kind.exitName)), Qt::LeftButton);
}

} // namespace

class TestFrmTavo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        TavoBAS::installFontSubstitutes();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(QApplication::primaryScreen()->logicalDotsPerInchX(), 96.0);
        QCOMPARE(QApplication::primaryScreen()->depth(), 32);
    }

    // The flag outlives every window; each test starts the way a run does.
    void init() { TavoBAS::ReducedPalette = false; }

    void windowDesign() {
        const frmTavo launcher;
        QCOMPARE(launcher.windowTitle(), u"Kelvane Extras"_s);
        QCOMPARE(launcher.minimumSize(), QSize(312, 216));
        QCOMPARE(launcher.maximumSize(), launcher.minimumSize());
        QVERIFY(!launcher.windowIcon().isNull());

        QStringList names;
        for (const QWidget* control : launcher.findChildren<QWidget*>())
            names << controlName(control);
        names.sort();
        QCOMPARE(names.join(u' '), u"SSCommand1(0) SSCommand1(1) cmdOptOK text1(0) text1(4)"_s);
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("bold");

        QTest::newRow("NRS Calculator") << u"SSCommand1"_s << 0 << u"NRS Calculator"_s
                                        << twipsRect(1200, 810, 2490, 390) << true;
        QTest::newRow("Team Analysis") << u"SSCommand1"_s << 1 << u"Team Analysis"_s
                                       << twipsRect(1200, 1410, 2490, 390) << true;
        QTest::newRow("title") << u"text1"_s << 4 << u"Select a tool"_s
                               << twipsRect(975, 60, 2895, 525) << true;
        QTest::newRow("exit") << u"cmdOptOK"_s << -1 << u"E&xit"_s
                              << twipsRect(3135, 1965, 1200, 390) << true;
        QTest::newRow("copyright")
            << u"text1"_s << 0 << QString() << twipsRect(150, 2565, 4380, 525) << false;
    }

    void controls() {
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
        QVERIFY(captionFits(control));
        // Both panels are designed raised over inset; on screen they read as plain text on the
        // window.
        if (const auto* panel = qobject_cast<const ThreedPanel*>(control)) {
            QCOMPARE(panel->alignment(), Qt::AlignCenter);
            QCOMPARE(QList<int>({panel->bevelOuter(), panel->bevelInner(), panel->bevelWidth()}),
                     QList<int>({ThreedPanel::Raised, ThreedPanel::Inset, 0}));
            QCOMPARE(panel->backColor(), launcher.palette().color(QPalette::Window));
        }
    }

    // Shown centred on the screen, the first tool button taking the focus.
    void shownCentredWithTabOrder() {
        frmTavo launcher;
        showActive(launcher);
        const QPoint offCentre =
            launcher.frameGeometry().center() - launcher.screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 1,
                 qPrintable(u"%1, %2"_s.arg(offCentre.x()).arg(offCentre.y())));
        QCOMPARE(controlName(QApplication::focusWidget()), u"SSCommand1(0)"_s);
        QCOMPARE(tabStops(toolButton(launcher, 0), 3),
                 (QStringList{u"SSCommand1(1)"_s, u"cmdOptOK"_s, u"SSCommand1(0)"_s}));
    }

    void paletteDecidedOnce_data() {
        QTest::addColumn<bool>("reducedBefore");
        QTest::addColumn<QColor>("background");

        QTest::newRow("true-colour display") << false << QColor(240, 232, 208);
        QTest::newRow("reduced palette already chosen") << true << QColor(192, 192, 192);
    }

    // The launcher only ever sets the flag; each tool opened from it uses what it filled.
    void paletteDecidedOnce() {
        QFETCH(bool, reducedBefore);
        QFETCH(QColor, background);
        TavoBAS::ReducedPalette = reducedBefore;
        frmTavo launcher;
        showActive(launcher);
        QCOMPARE(TavoBAS::ReducedPalette, reducedBefore);
        QCOMPARE(launcher.palette().color(QPalette::Window), background);

        for (int index : {0, 1}) {
            QColor toolBackground;
            const QString visit = visitTool(toolButton(launcher, index), [&](QWidget& tool) {
                toolBackground = tool.palette().color(QPalette::Window);
                tool.close();
            });
            QCOMPARE(visit, closedVisit(tools[index]));
            QCOMPARE(toolBackground, background);
            QCOMPARE(TavoBAS::ReducedPalette, reducedBefore);
        }
    }

    void opensEachToolAfresh_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("byCloseBox");
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("fresh");

        const QString nrsUsed = u"312|52|104||173.333|-1.333|0.250"_s;
        const QString nrsFresh = u"||||||"_s;
        const QString teamUsed = u"100|300|200|No signals"_s;
        const QString teamFresh;
        QTest::newRow("NRS Calculator, exit button") << 0 << false << nrsUsed << nrsFresh;
        QTest::newRow("NRS Calculator, close box") << 0 << true << nrsUsed << nrsFresh;
        QTest::newRow("Team Analysis, exit button") << 1 << false << teamUsed << teamFresh;
        QTest::newRow("Team Analysis, close box") << 1 << true << teamUsed << teamFresh;
    }

    void opensEachToolAfresh() {
        QFETCH(int, index);
        QFETCH(bool, byCloseBox);
        QFETCH(QString, used);
        QFETCH(QString, fresh);
        const Tool& kind = tools[index];
        frmTavo launcher;
        showActive(launcher);

        QString afterUse;
        const QString first = visitTool(toolButton(launcher, index), [&](QWidget& tool) {
            kind.use(tool);
            afterUse = content(tool);
            closeTool(tool, kind, byCloseBox);
        });
        QCOMPARE(first, closedVisit(kind));
        QCOMPARE(afterUse, used);
        // Gone once closed, with all it held.
        QCOMPARE(toolWindows(), 0);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);

        QString reopened;
        const QString second = visitTool(toolButton(launcher, index), [&](QWidget& tool) {
            reopened = content(tool);
            closeTool(tool, kind, byCloseBox);
        });
        QCOMPARE(second, closedVisit(kind));
        QCOMPARE(reopened, fresh);
    }

    void blockedWhileToolOpen_data() {
        QTest::addColumn<int>("open");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<int>("clickedIndex");

        QTest::newRow("NRS open, Team Analysis clicked") << 0 << u"SSCommand1"_s << 1;
        QTest::newRow("Team open, NRS Calculator clicked") << 1 << u"SSCommand1"_s << 0;
        QTest::newRow("NRS open, NRS Calculator clicked") << 0 << u"SSCommand1"_s << 0;
        QTest::newRow("Team open, exit clicked") << 1 << u"cmdOptOK"_s << -1;
    }

    void blockedWhileToolOpen() {
        QFETCH(int, open);
        QFETCH(QString, clicked);
        QFETCH(int, clickedIndex);
        frmTavo launcher;
        showActive(launcher);

        QString secondTool, seen;
        const QString visit = visitTool(toolButton(launcher, open), [&](QWidget& tool) {
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
            seen = u"tool modal: %1, tool windows: %2, launcher shown: %3"_s
                       .arg(QApplication::activeModalWidget() == &tool)
                       .arg(toolWindows())
                       .arg(launcher.isVisible());
            tool.close();
        });
        QCOMPARE(visit, closedVisit(tools[open]));
        QCOMPARE(secondTool, QString());
        QCOMPARE(seen, u"tool modal: 1, tool windows: 1, launcher shown: 1"_s);
    }

    void closingEndsTheProgram_data() {
        QTest::addColumn<QString>("how");

        QTest::newRow("Alt+X") << u"Alt+X"_s;
        QTest::newRow("exit button") << u"exit button"_s;
        QTest::newRow("close box") << u"close box"_s;
    }

    void closingEndsTheProgram() {
        QFETCH(QString, how);
        QVERIFY(QApplication::quitOnLastWindowClosed());
        frmTavo launcher;
        showActive(launcher);
        const QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);

        QTimer::singleShot(0, &launcher, [&] {
            if (how == u"Alt+X"_s)
                QTest::keyClick(&launcher, Qt::Key_X, Qt::AltModifier);
            else if (how == u"exit button"_s)
                clickAsUser(findControl(launcher, u"cmdOptOK"_s));
            else
                launcher.close();
        });
        // Should the program not end, this ends the event loop so that the check below fails.
        QTimer::singleShot(5000, &launcher, [] { QApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!launcher.isVisible());
        QCOMPARE(lastClosed.count(), 1);
    }

    // Every opening builds a whole window; none may leave anything behind once closed.
    void openAndCloseWithoutGrowth() {
        frmTavo launcher;
        showActive(launcher);
        const auto openAndClose = [&launcher](int index) {
            return visitTool(toolButton(launcher, index),
                             [index](QWidget& tool) { closeTool(tool, tools[index], false); });
        };
        // The first click and the first grid create the application's pointing device and gesture
        // manager, which stay for the run.
        for (int index : {0, 1})
            QCOMPARE(openAndClose(index), closedVisit(tools[index]));
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
            for (int index : {0, 1})
                QVERIFY2(openAndClose(index) == closedVisit(tools[index]),
                         qPrintable(u"round %1, tool %2"_s.arg(round).arg(index)));
        }
        qInfo("%d openings of each tool took %lld ms", openings, soak.elapsed());
        QCOMPARE(footprint(), before);
    }
};

QTEST_MAIN(TestFrmTavo)
#include "tst_frmtavo.moc"
