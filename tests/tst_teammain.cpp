#include "controls/flexgrid.h"
#include "controls/threedcommand.h"
#include "style/fontsubstitutes.h"
#include "style/palette.h"
#include "style/windowstyle.h"
#include "team/instructions.h"
#include "team/teammain.h"
#include "testsupport.h"

#include <QClipboard>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString rule1 = u"Signal 1: A single value beyond limits"_s;
const QString rule6b = u"Signal 6b: 7 out of 8 consecutive values to down side of center."_s;

// One-hour sessions, so that every amount is its own hourly rate.
QString hourSessions(const QList<int>& amounts) {
    QString text;
    for (int amount : amounts)
        text += QString::number(amount) + u"\t60\r\n"_s;
    return text;
}

const QString spike = hourSessions({0, 0, 0, 0, 0, 1000, 0, 0, 0, 0, 0});
const QString quiet = hourSessions({100, 300, 200});
// Fifteen rates inside the Sigma 1 lines: one line listing all fifteen.
const QString steady = hourSessions(
    {1000, 1001, 1000, 1001, 1000, 1001, 1000, 1001, 1000, 1001, 1000, 1001, 1000, 1001, 1000});

FlexGrid* grid(const QWidget& window, const QString& name) {
    return findControl<FlexGrid>(window, name);
}

void click(const QWidget& window, const QString& buttonName) {
    findControl<ThreedCommand>(window, buttonName)->click();
}

QStringList bodyRows(const FlexGrid* g) {
    QStringList rows;
    for (int row = 1; row < g->rows(); ++row) {
        QStringList cells;
        for (int col = 0; col < g->cols(); ++col)
            cells << g->textMatrix(row, col);
        rows << cells.join(u'|');
    }
    return rows;
}

void pasteAndAnalyse(const TeamMain& window, const QString& clipboardText) {
    QGuiApplication::clipboard()->setText(clipboardText);
    click(window, u"SSSave"_s);
    click(window, u"SSCommand1"_s);
}

// Notes the next modal message box as "title|text|icon|buttons" and dismisses it, as the user
// would.
void answerNextMessage(const QWidget& window, QString& seen) {
    QTimer::singleShot(0, &window, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = u"%1|%2|%3|%4"_s.arg(box->windowTitle(), box->text())
                   .arg(int(box->icon()))
                   .arg(box->buttons().size() == 1 ? int(box->standardButtons()) : -1);
        box->accept();
    });
}

void clickRow(FlexGrid* g, int bodyRow, Qt::KeyboardModifiers modifiers = {}) {
    const QRect cell = g->visualRect(g->model()->index(bodyRow, 0));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, modifiers, cell.center());
}

} // namespace

class TestTeamMain : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        TavoBAS::installFontSubstitutes();
        TavoBAS::ReducedPalette = false;
        TavoBAS::InitPalette();
        QCOMPARE(QApplication::primaryScreen()->logicalDotsPerInchX(), 96.0);
    }

    void opensEmptyWithItsDesign() {
        const TeamMain window;
        QCOMPARE(window.windowTitle(), u"Team Analysis"_s);
        QCOMPARE(window.minimumSize(), QSize(759, 409));
        QCOMPARE(window.maximumSize(), window.minimumSize());
        QCOMPARE(window.windowFlags() & Qt::WindowMaximizeButtonHint, Qt::WindowFlags());
        QCOMPARE(grid(window, u"GG"_s)->textMatrix(0, 1), u"Minutes"_s);
        QCOMPARE(grid(window, u"GR"_s)->textMatrix(0, 0), u"Results"_s);

        // One paragraph per line: CR LF must not count as two breaks.
        QCOMPARE(teamInstructions.size(), 405);
        const auto* text = findControl<QPlainTextEdit>(window, u"Text1"_s);
        QCOMPARE(text->document()->blockCount(), 9);
        QCOMPARE(text->toPlainText(), QString(teamInstructions).replace(u"\r\n"_s, u"\n"_s));

        QStringList tabOrder;
        QWidget* const first = findControl(window, u"SSSave"_s);
        QWidget* focus = first;
        do {
            if (focus->focusPolicy() & Qt::TabFocus)
                tabOrder << focus->objectName();
            focus = focus->nextInFocusChain();
        } while (focus != first);
        QCOMPARE(tabOrder, (QStringList{u"SSSave"_s, u"GG"_s, u"SSCommand1"_s, u"GR"_s, u"Text1"_s,
                                        u"SSCommand2"_s}));

        const QList<QWidget*> controls = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (const QWidget* a : controls) {
            QVERIFY2(window.rect().contains(a->geometry()), qPrintable(a->objectName()));
            for (const QWidget* b : controls)
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName()));
        }
    }

    void sessionColumnWidth_data() {
        QTest::addColumn<float>("gridWidth");
        QTest::addColumn<int>("columnWidth");

        QTest::newRow("design width") << 2880.0f << 1245;
        QTest::newRow("half up to even") << 2881.0f << 1246;
        QTest::newRow("half down to even") << 2883.0f << 1246;
    }

    void sessionColumnWidth() {
        QFETCH(float, gridWidth);
        QFETCH(int, columnWidth);
        QCOMPARE(TeamMain::sessionColumnTwips(gridWidth), columnWidth);
    }

    void pasteAndAnalysis_data() {
        QTest::addColumn<QString>("clipboardText");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("lines");

        const QString nonNumeric = u"Non-numeric character"_s;
        QTest::newRow("spike") << spike << QString()
                               << QStringList{rule1 + u" (1000)"_s,
                                              rule6b + u" (0, 0, 0, 0, 0, 1000, 0, 0)"_s};
        QTest::newRow("no rule fires") << quiet << QString() << QStringList{u"No signals"_s};
        QTest::newRow("header words")
            << u"Won\tMinutes\r\n5\t30\r\n"_s << nonNumeric << QStringList{};
        QTest::newRow("empty clipboard") << QString() << u"Not enough data"_s << QStringList{};
    }

    // A refused paste says why in a plain "Tavo" box with OK only and leaves the grid empty. Each
    // analysis reads the grid anew and replaces the lines of the one before.
    void pasteAndAnalysis() {
        QFETCH(QString, clipboardText);
        QFETCH(QString, message);
        QFETCH(QStringList, lines);
        const TeamMain window;
        FlexGrid* sessions = grid(window, u"GG"_s);
        pasteAndAnalyse(window, u"5\t30\r\n-20\t1:30\r\n"_s + steady);
        QCOMPARE(bodyRows(sessions).mid(0, 2), (QStringList{u"5|30"_s, u"-20|90"_s}));
        QVERIFY(grid(window, u"GR"_s)->rows() > 1);

        QString seen;
        answerNextMessage(window, seen);
        pasteAndAnalyse(window, clipboardText);
        const QString box = u"Tavo|%1|%2|%3"_s.arg(message).arg(int(QMessageBox::NoIcon));
        QCOMPARE(seen, message.isEmpty() ? QString() : box.arg(int(QMessageBox::Ok)));
        if (!message.isEmpty())
            QCOMPARE(sessions->rows(), 1);
        QCOMPARE(bodyRows(grid(window, u"GR"_s)), lines);
        click(window, u"SSCommand1"_s);
        QCOMPARE(bodyRows(grid(window, u"GR"_s)), lines);
    }

    // Alt+P, Alt+A and Alt+X press their buttons; Ctrl+V pastes into the sessions and Ctrl+C copies
    // the selected result lines.
    void keys() {
        TeamMain window;
        showActive(window);
        FlexGrid* sessions = grid(window, u"GG"_s);
        FlexGrid* results = grid(window, u"GR"_s);
        QGuiApplication::clipboard()->setText(spike);
        sessions->setFocus();
        QTest::keyClick(sessions, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(sessions->rows(), 12);
        QTest::keyClick(&window, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(results->rows(), 3);
        clickRow(results, 1);
        clickRow(results, 0, Qt::ControlModifier);
        QTest::keyClick(results, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 results->textMatrix(1, 0) + u'\n' + results->textMatrix(2, 0));

        QGuiApplication::clipboard()->setText(quiet);
        QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(sessions->rows(), 4);
        QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
        QTRY_VERIFY(!window.isVisible());
    }

    void palettesAndFonts_data() {
        QTest::addColumn<bool>("reduced");
        QTest::addColumn<QColor>("main");
        QTest::addColumn<int>("twipsPerPixel");
        QTest::addColumn<QString>("buttonFont");

        QTest::newRow("full, 96 DPI") << false << QColor(240, 232, 208) << 15 << u"MS Sans Serif"_s;
        QTest::newRow("reduced, 120 DPI")
            << true << QColor(192, 192, 192) << 12 << u"Small Fonts"_s;
    }

    // Buttons take the main colour and, off 96 DPI, "Small Fonts" 6; grids and text stay as they
    // are.
    void palettesAndFonts() {
        QFETCH(bool, reduced);
        QFETCH(QColor, main);
        QFETCH(int, twipsPerPixel);
        QFETCH(QString, buttonFont);
        TavoBAS::ReducedPalette = reduced;
        TavoBAS::InitPalette();
        TeamMain window;
        TavoBAS::ApplyWindowStyle(&window, twipsPerPixel);
        TavoBAS::ReducedPalette = false;
        TavoBAS::InitPalette();

        QCOMPARE(window.palette().color(QPalette::Window), main);
        for (const QString& name : {u"SSSave"_s, u"SSCommand1"_s, u"SSCommand2"_s}) {
            const auto* button = findControl<ThreedCommand>(window, name);
            QCOMPARE(button->property("BackColor").value<QColor>(), main);
            QCOMPARE(button->font().family(), buttonFont);
            QCOMPARE(button->font().pointSizeF(), twipsPerPixel == 15 ? 8.25 : 6.0);
            QVERIFY(button->font().bold());
            QVERIFY2(captionFits(button), qPrintable(name));
        }
        for (const QString& name : {u"GG"_s, u"GR"_s, u"Text1"_s}) {
            const auto* untouched = findControl(window, name);
            QCOMPARE(untouched->palette().color(QPalette::Base),
                     QApplication::palette().color(QPalette::Base));
            QCOMPARE(untouched->font().pointSizeF(), 8.25);
        }
    }

    void resultSelectsItsSessions_data() {
        QTest::addColumn<QString>("clipboardText");
        QTest::addColumn<bool>("pastedAgain");
        QTest::addColumn<int>("resultRow");
        QTest::addColumn<QList<int>>("sessionRows");

        QTest::newRow("single session") << spike << false << 0 << QList<int>{6};
        QTest::newRow("window of eight")
            << spike << false << 1 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8};
        QTest::newRow("no signals") << quiet << false << 0 << QList<int>{};
        QTest::newRow("sessions since replaced") << spike << true << 1 << QList<int>{};
        QList<int> late(30, 0);
        late[27] = 1000;
        QTest::newRow("below the fold") << hourSessions(late) << false << 0 << QList<int>{28};
    }

    void resultSelectsItsSessions() {
        QFETCH(QString, clipboardText);
        QFETCH(bool, pastedAgain);
        QFETCH(int, resultRow);
        QFETCH(QList<int>, sessionRows);
        TeamMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        pasteAndAnalyse(window, clipboardText);
        if (pastedAgain)
            click(window, u"SSSave"_s);
        FlexGrid* sessions = grid(window, u"GG"_s);
        clickRow(grid(window, u"GR"_s), resultRow);

        QList<int> selected;
        for (const QModelIndex& row : sessions->selectionModel()->selectedRows())
            selected << row.row() + 1;
        std::sort(selected.begin(), selected.end());
        QCOMPARE(selected, sessionRows);
        if (!selected.isEmpty()) {
            const QModelIndex first = sessions->model()->index(selected.first() - 1, 0);
            QVERIFY(sessions->viewport()->rect().contains(sessions->visualRect(first)));
        }
    }

    void longLinesScrollSideways() {
        TeamMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        FlexGrid* results = grid(window, u"GR"_s);
        pasteAndAnalyse(window, steady);
        QCOMPARE(results->rows(), 2);
        const QString line = results->textMatrix(1, 0);
        QTRY_VERIFY(results->columnWidth(0) > results->fontMetrics().horizontalAdvance(line));
        QTRY_VERIFY(results->horizontalScrollBar()->maximum() > 0);

        pasteAndAnalyse(window, quiet);
        QTRY_COMPARE(results->columnWidth(0), results->viewport()->width());
    }
};

QTEST_MAIN(TestTeamMain)
#include "tst_teammain.moc"
