#include "app/frmtavo.h"
#include "controls/flexgrid.h"
#include "controls/threedpanel.h"
#include "style/fontsubstitutes.h"
#include "testsupport.h"

#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

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
    const char* visit;
    const char* exitName;
    void (*use)(QWidget&);
};
const Tool tools[] = {
    {"frmNRS2, NRS Calculate, closed", "cmdOptOK", useNrsCalculator},
    {"TeamMain, Team Analysis, closed", "SSCommand2", useTeamAnalysis},
};

void exitTool(QWidget& tool, int index) {
    QTest::mouseClick(findControl(tool, QString::fromLatin1(tools[index].exitName)),
                      Qt::LeftButton);
}

// Tool windows in existence, shown or not, whoever their parent.
qsizetype toolWindows() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::count_if(windows.begin(), windows.end(),
                         [](const QWidget* w) { return qobject_cast<const QDialog*>(w); });
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

    // Shown centred on the screen, the first tool button taking the focus. The notice is one line
    // in regular weight, drawn flat on the window.
    void design() {
        frmTavo launcher;
        QCOMPARE(launcher.windowTitle(), u"Kelvane Extras"_s);
        QCOMPARE(launcher.minimumSize(), QSize(312, 216));
        QCOMPARE(launcher.maximumSize(), launcher.minimumSize());
        const QWidget* nrs = toolButton(launcher, 0);
        QCOMPARE(nrs->property("Caption").toString(), u"NRS Calculator"_s);
        // 1200, 810, 2490 and 390 twips at 15 twips a pixel.
        QCOMPARE(nrs->geometry(), QRect(80, 54, 166, 26));
        QVERIFY(captionFits(nrs));
        const auto* notice = findControl<ThreedPanel>(launcher, u"text1"_s, 0);
        QVERIFY(!notice->caption().isEmpty() && !notice->caption().contains(u'\n'));
        QVERIFY(!notice->property("FontBold").toBool());
        QCOMPARE(notice->bevelWidth(), 0);

        showActive(launcher);
        const QPoint offCentre =
            launcher.frameGeometry().center() - launcher.screen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 1);
        QCOMPARE(controlName(QApplication::focusWidget()), u"SSCommand1(0)"_s);
        QCOMPARE(tabStops(toolButton(launcher, 0), 3).join(u' '),
                 u"SSCommand1(1) cmdOptOK SSCommand1(0)"_s);
    }

    void opensEachToolAfresh_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("reduced");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("fresh");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<int>("clickedIndex");
        QTest::newRow("NRS Calculator, reduced palette, Team Analysis clicked")
            << 0 << true << QColor(192, 192, 192) << u"312|52|104||173.333|-1.333|0.250"_s
            << u"||||||"_s << u"SSCommand1"_s << 1;
        QTest::newRow("Team Analysis, full palette, exit clicked")
            << 1 << false << QColor(240, 232, 208) << u"100|300|200|No signals"_s << QString()
            << u"cmdOptOK"_s << -1;
    }

    // The launcher only ever sets the palette flag, and the tool uses the colours it filled. While
    // a tool is open the launcher takes no clicks; a tool closed is gone with all it held, even
    // after hundreds of openings.
    void opensEachToolAfresh() {
        QFETCH(int, index);
        QFETCH(bool, reduced);
        QFETCH(QColor, background);
        QFETCH(QString, clicked);
        QFETCH(int, clickedIndex);
        TavoBAS::ReducedPalette = reduced;
        frmTavo launcher;
        showActive(launcher);
        QCOMPARE(launcher.palette().color(QPalette::Window), background);

        QColor toolBackground;
        QString afterUse, secondTool;
        const QString first = visitTool(toolButton(launcher, index), [&](QWidget& tool) {
            toolBackground = tool.palette().color(QPalette::Window);
            tools[index].use(tool);
            afterUse = content(tool);
            // Should the click get through, this closes whatever it opened before checking.
            QTimer::singleShot(0, &tool, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (modal && modal != &tool) {
                    secondTool = QString::fromLatin1(modal->metaObject()->className());
                    modal->close();
                }
            });
            clickAsUser(findControl(launcher, clicked, clickedIndex));
            QCOMPARE(QApplication::activeModalWidget(), &tool);
            QCOMPARE(toolWindows(), 1);
            QVERIFY(launcher.isVisible());
            exitTool(tool, index);
        });
        QCOMPARE(first, QString::fromLatin1(tools[index].visit));
        QCOMPARE(toolBackground, background);
        QCOMPARE(TavoBAS::ReducedPalette, reduced);
        QTEST(afterUse, "used");
        QCOMPARE(secondTool, QString());

        QString reopened;
        const QString second = visitTool(toolButton(launcher, index), [&](QWidget& tool) {
            reopened = content(tool);
            exitTool(tool, index);
        });
        QCOMPARE(second, QString::fromLatin1(tools[index].visit));
        QTEST(reopened, "fresh");

        // By now the clicks and the tool have created the application's pointing device and
        // gesture manager, which stay for the run.
        const auto footprint = [&launcher] {
            return QList<qsizetype>{QApplication::allWidgets().size(),
                                    QGuiApplication::allWindows().size(), qApp->children().size(),
                                    launcher.children().size()};
        };
        const QList<qsizetype> before = footprint();
        for (int round = 0; round < 200; ++round) {
            const QString visit = visitTool(toolButton(launcher, index),
                                            [index](QWidget& tool) { exitTool(tool, index); });
            QVERIFY2(visit == QString::fromLatin1(tools[index].visit),
                     qPrintable(u"opening %1"_s.arg(round)));
        }
        QCOMPARE(footprint(), before);
    }

    void altXEndsTheProgram() {
        QVERIFY(QApplication::quitOnLastWindowClosed());
        frmTavo launcher;
        showActive(launcher);
        const QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        QTimer::singleShot(0, &launcher,
                           [&] { QTest::keyClick(&launcher, Qt::Key_X, Qt::AltModifier); });
        // Should the program not end, this ends the event loop so that the check below fails.
        QTimer::singleShot(5000, &launcher, [] { QApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!launcher.isVisible());
        QCOMPARE(lastClosed.count(), 1);
    }
};

QTEST_MAIN(TestFrmTavo)
#include "tst_frmtavo.moc"
