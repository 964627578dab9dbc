// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "testsupport.h"
#include "ui/controls/flexgrid.h"
#include "ui/launcher/frmtavo.h"
#include "ui/team/backgroundjob.h"

#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>

using namespace Qt::Literals::StringLiterals;

namespace {

#ifdef __SANITIZE_ADDRESS__
constexpr qint64 closingBoundMs = 300;
#else
constexpr qint64 closingBoundMs = 100;
#endif

QWidget* toolButton(const QWidget& launcher, int index) {
    return findControl(launcher, u"SSCommand1"_s, index);
}

// What a user put into a tool: the fields' texts and the grids' cells.
QString content(const QWidget& tool) {
    QStringList texts;
    for (const QLineEdit* field : tool.findChildren<QLineEdit*>())
        texts << field->text();
    for (const FlexGrid* grid : tool.findChildren<FlexGrid*>())
        for (int row = 1; row < gridRowCount(grid); ++row)
            for (int column = 0; column < grid->model()->columnCount(); ++column)
                texts << gridCellText(grid, row, column);
    return texts.join(u"").trimmed();
}

// Types a shoe size into the NRS Calculator and calculates; pastes a session into Team Analysis.
void useTool(QWidget& tool) {
    if (QWidget* shoe = findControl(tool, u"NRSText"_s, 2))
        QTest::keyClicks(shoe, u"312"_s);
    QGuiApplication::clipboard()->setText(u"100\t60\r\n"_s);
    clickControl(tool, u"SSSave"_s);
}

const QString exitName[] = {u"cmdOptOK"_s, u"SSCommand2"_s};

// Clicks a launcher button that opens a tool and runs `inside` once the tool is up; `inside` is
// expected to close it. Tells the tool's class, title and whether `inside` closed it; empty when
// nothing opened. A tool left open is closed here, so a failed check cannot hang the test.
template <class Inside> QString visitTool(QWidget* button, Inside inside) {
    QString visit;
    QTimer::singleShot(0, [&] {
        auto* tool = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!tool)
            return;
        inside(*tool);
        visit =
            u"%1, %2, %3"_s.arg(QString::fromLatin1(tool->metaObject()->className()),
                                tool->windowTitle(), tool->isVisible() ? u"open"_s : u"closed"_s);
        tool->reject();
    });
    clickAsUser(button);
    return visit;
}

} // namespace

class TestFrmTavo : public QObject {
    Q_OBJECT

private slots:
    // A true-colour screen, which shows the full palette.
    void initTestCase() { QCOMPARE(QApplication::primaryScreen()->depth(), 32); }

    void opensEachToolAfresh_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("reduced");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QString>("visit");
        QTest::newRow("NRS Calculator, reduced palette")
            << 0 << true << QColor(192, 192, 192) << u"frmNRS2, NRS Calculate, closed"_s;
        QTest::newRow("Team Analysis, full palette")
            << 1 << false << QColor(240, 232, 208) << u"TeamMain, Team Analysis, closed"_s;
    }

    // The launcher decides the palette and the tool uses its colours. While a tool is open the
    // launcher takes no clicks; a tool closed is gone with all it held, even after hundreds of
    // openings.
    void opensEachToolAfresh() {
        QFETCH(int, index);
        QFETCH(bool, reduced);
        QFETCH(QColor, background);
        QFETCH(QString, visit);
        TavoBAS::ReducedPalette = reduced;
        frmTavo launcher;
        showActive(launcher);
        QCOMPARE(launcher.palette().color(QPalette::Window), background);

        const auto exitTool = [index](QWidget& tool) {
            clickControl(tool, exitName[index]);
        };
        QCOMPARE(visitTool(toolButton(launcher, index),
                           [&](QWidget& tool) {
                               QCOMPARE(tool.palette().color(QPalette::Window), background);
                               QCOMPARE(tool.maximumSize(), tool.minimumSize()); // not resizable
                               useTool(tool);
                               QTRY_VERIFY(!content(tool).isEmpty());
                               clickAsUser(toolButton(launcher, 1 - index));
                               clickAsUser(findControl(launcher, u"cmdOptOK"_s));
                               QCOMPARE(QApplication::activeModalWidget(), &tool);
                               QVERIFY(launcher.isVisible());
                               exitTool(tool);
                           }),
                 visit);
        QCOMPARE(visitTool(toolButton(launcher, index),
                           [&](QWidget& tool) {
                               QCOMPARE(content(tool), QString());
                               exitTool(tool);
                           }),
                 visit);

        // The pointing device and gesture manager that the clicks created stay for the run.
        const auto footprint = [&launcher] {
            return QList<qsizetype>{QApplication::allWidgets().size(),
                                    QGuiApplication::allWindows().size(), qApp->children().size(),
                                    launcher.children().size()};
        };
        const QList<qsizetype> before = footprint();
        for (int round = 0; round < 200; ++round)
            QCOMPARE(visitTool(toolButton(launcher, index), exitTool), visit);
        QCOMPARE(footprint(), before);
    }

    // Shown centred on the screen, the first tool button taking the focus; Alt+X ends the program.
    void opensAndEnds() {
        frmTavo launcher;
        showActive(launcher);
        const QPoint offCentre =
            launcher.frameGeometry().center() - launcher.screen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 1);
        QCOMPARE(controlName(QApplication::focusWidget()), u"SSCommand1(0)"_s);
        QCOMPARE(tabStops(toolButton(launcher, 0), 3).join(u' '),
                 u"SSCommand1(1) cmdOptOK SSCommand1(0)"_s);
        const QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        QTimer::singleShot(0, &launcher,
                           [&] { QTest::keyClick(&launcher, Qt::Key_X, Qt::AltModifier); });
        // Should the program not end, this ends the event loop so that the check below fails.
        QTimer::singleShot(5000, &launcher, [] { QApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(lastClosed.count(), 1);
    }

    void endsWhileToolWorks_data() {
        QTest::addColumn<bool>("analysing");
        QTest::addColumn<bool>("quitting");
        QTest::newRow("Exit while pasting") << false << false;
        QTest::newRow("Exit while analysing") << true << false;
        QTest::newRow("program ends while pasting") << false << true;
    }

    // Team Analysis closed, or the program ended as a desktop session ends it, in the middle of
    // a long paste or analysis: the work stops and the window is gone within 100 ms (three times
    // that under AddressSanitizer, which slows every allocation), the busy cursor with it.
    void endsWhileToolWorks() {
        QFETCH(bool, analysing);
        QFETCH(bool, quitting);
        frmTavo launcher;
        showActive(launcher);
        copyLongTable(analysing);
        qint64 closingMs = -1;
        QTimer::singleShot(0, &launcher, [&] {
            QElapsedTimer sinceClose;
            visitTool(toolButton(launcher, 1), [&](QWidget& tool) {
                if (analysing) {
                    clickControl(tool, u"SSSave"_s);
                    QTRY_VERIFY_WITH_TIMEOUT(!tool.findChild<BackgroundJob*>(), 60'000);
                }
                clickControl(tool, analysing ? u"SSCommand1"_s : u"SSSave"_s);
                QVERIFY(tool.findChild<BackgroundJob*>());
                sinceClose.start();
                if (quitting)
                    QApplication::quit();
                else
                    clickControl(tool, u"SSCommand2"_s);
            });
            closingMs = sinceClose.isValid() ? sinceClose.elapsed() : -1;
            QApplication::exit(0);
        });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY2(closingMs >= 0 && closingMs < closingBoundMs,
                 qPrintable(u"%1 ms"_s.arg(closingMs)));
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestFrmTavo)
#include "tst_frmtavo.moc"
