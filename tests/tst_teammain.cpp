#include "controls/flexgrid.h"
#include "controls/threedcommand.h"
#include "style/fontsubstitutes.h"
#include "style/palette.h"
#include "style/windowstyle.h"
#include "team/instructions.h"
#include "team/teammain.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
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

template <class Control> Control* control(const QWidget& window, const QString& name) {
    const QList<Control*> found = window.findChildren<Control*>(name);
    return found.size() == 1 ? found.first() : nullptr;
}

FlexGrid* grid(const QWidget& window, const QString& name) {
    return control<FlexGrid>(window, name);
}

ThreedCommand* button(const QWidget& window, const QString& name) {
    return control<ThreedCommand>(window, name);
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
    button(window, u"SSSave"_s)->click();
    button(window, u"SSCommand1"_s)->click();
}

struct SeenMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QMessageBox::StandardButtons buttons;
    qsizetype buttonCount = 0;
};

// Notes the next modal message box over the window and dismisses it, as the user would.
void answerNextMessage(const QWidget& window, SeenMessage& seen) {
    QTimer::singleShot(0, &window, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                box->buttons().size()};
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
    void initTestCase();
    void opensEmptyWithItsDesign();
    void instructionsKeepTheirText();
    void sessionColumnWidth_data();
    void sessionColumnWidth();
    void pasteMessages_data();
    void pasteMessages();
    void analysis_data();
    void analysis();
    void exitEndsTheModalWindow();
    void accessKeys();
    void palettes_data();
    void palettes();
    void buttonFonts_data();
    void buttonFonts();
    void resultSelectsItsSessions_data();
    void resultSelectsItsSessions();
    void clipboardKeys();
    void longLinesScrollSideways();
};

void TestTeamMain::initTestCase() {
    TavoBAS::installFontSubstitutes();
    TavoBAS::ReducedPalette = false;
    TavoBAS::InitPalette();
    QCOMPARE(QApplication::primaryScreen()->logicalDotsPerInchX(), 96.0);
}

void TestTeamMain::opensEmptyWithItsDesign() {
    const TeamMain window;
    QCOMPARE(window.windowTitle(), u"Team Analysis"_s);
    QCOMPARE(window.minimumSize(), QSize(759, 409));
    QCOMPARE(window.maximumSize(), window.minimumSize());
    QCOMPARE(window.windowFlags() & Qt::WindowMaximizeButtonHint, Qt::WindowFlags());

    QCOMPARE(grid(window, u"GG"_s)->rows(), 1);
    QCOMPARE(grid(window, u"GG"_s)->textMatrix(0, 1), u"Minutes"_s);
    QCOMPARE(grid(window, u"GR"_s)->rows(), 1);
    QCOMPARE(grid(window, u"GR"_s)->textMatrix(0, 0), u"Results"_s);

    QStringList tabOrder;
    QWidget* focus = button(window, u"SSSave"_s);
    do {
        if (focus->focusPolicy() & Qt::TabFocus)
            tabOrder << focus->objectName();
        focus = focus->nextInFocusChain();
    } while (focus != button(window, u"SSSave"_s));
    QCOMPARE(tabOrder, (QStringList{u"SSSave"_s, u"GG"_s, u"SSCommand1"_s, u"GR"_s, u"Text1"_s,
                                    u"SSCommand2"_s}));

    const QRect client = window.rect();
    const QList<QWidget*> controls = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* a : controls) {
        QVERIFY2(client.contains(a->geometry()), qPrintable(a->objectName()));
        for (const QWidget* b : controls)
            QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                     qPrintable(a->objectName()));
    }
}

void TestTeamMain::instructionsKeepTheirText() {
    QCOMPARE(teamInstructions.size(), 405);
    const QStringList lines = QString(teamInstructions).split(u"\r\n"_s);
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines.last(), QString());
    for (int blankEnded : {2, 3, 6})
        QVERIFY(lines[blankEnded].endsWith(u' '));

    const TeamMain window;
    const auto* text = control<QPlainTextEdit>(window, u"Text1"_s);
    // One paragraph per line: CR LF must not count as two breaks.
    QCOMPARE(text->document()->blockCount(), 9);
    QCOMPARE(text->toPlainText(), QString(teamInstructions).replace(u"\r\n"_s, u"\n"_s));
}

void TestTeamMain::sessionColumnWidth_data() {
    QTest::addColumn<float>("gridWidth");
    QTest::addColumn<int>("columnWidth");

    QTest::newRow("design width") << 2880.0f << 1245;
    QTest::newRow("half up to even") << 2881.0f << 1246;
    QTest::newRow("half down to even") << 2883.0f << 1246;
    QTest::newRow("quarter") << 2880.5f << 1245;
    QTest::newRow("three quarters") << 2881.5f << 1246;
}

void TestTeamMain::sessionColumnWidth() {
    QFETCH(float, gridWidth);
    QFETCH(int, columnWidth);
    QCOMPARE(TeamMain::sessionColumnTwips(gridWidth), columnWidth);
}

void TestTeamMain::pasteMessages_data() {
    QTest::addColumn<QString>("clipboardText");
    QTest::addColumn<QString>("message");

    QTest::newRow("header words") << u"Won\tMinutes\r\n5\t30\r\n"_s << u"Non-numeric character"_s;
    QTest::newRow("blank line at end") << u"5\t30\r\n\r\n"_s << u"Non-numeric character"_s;
    QTest::newRow("empty clipboard") << QString() << u"Not enough data"_s;
    QTest::newRow("one field") << u"5\r\n"_s << u"Not enough data"_s;
}

void TestTeamMain::pasteMessages() {
    QFETCH(QString, clipboardText);
    QFETCH(QString, message);
    const TeamMain window;
    FlexGrid* sessions = grid(window, u"GG"_s);
    QGuiApplication::clipboard()->setText(u"5\t30\r\n-20\t1:30\r\n"_s);
    button(window, u"SSSave"_s)->click();
    QCOMPARE(bodyRows(sessions), (QStringList{u"5|30"_s, u"-20|90"_s}));

    QGuiApplication::clipboard()->setText(clipboardText);
    SeenMessage seen;
    answerNextMessage(window, seen);
    button(window, u"SSSave"_s)->click();
    QCOMPARE(seen.title, u"Tavo"_s);
    QCOMPARE(seen.text, message);
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.buttons, QMessageBox::Ok);
    QCOMPARE(seen.buttonCount, 1);
    QCOMPARE(sessions->rows(), 1);
}

void TestTeamMain::analysis_data() {
    QTest::addColumn<QString>("clipboardText");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("spike") << spike
                           << QStringList{rule1 + u" (1000)"_s,
                                          rule6b + u" (0, 0, 0, 0, 0, 1000, 0, 0)"_s};
    QTest::newRow("no rule fires") << quiet << QStringList{u"No signals"_s};
    QTest::newRow("nothing pasted") << QString() << QStringList{};
}

// Each analysis reads the grid anew and replaces the lines of the one before.
void TestTeamMain::analysis() {
    QFETCH(QString, clipboardText);
    QFETCH(QStringList, lines);
    const TeamMain window;
    pasteAndAnalyse(window, steady);
    SeenMessage ignored;
    answerNextMessage(window, ignored);
    pasteAndAnalyse(window, clipboardText);
    QCOMPARE(bodyRows(grid(window, u"GR"_s)), lines);

    button(window, u"SSCommand1"_s)->click();
    QCOMPARE(bodyRows(grid(window, u"GR"_s)), lines);
}

void TestTeamMain::exitEndsTheModalWindow() {
    for (const QString& how : {u"exit button"_s, u"close box"_s}) {
        TeamMain window;
        pasteAndAnalyse(window, spike);
        QTimer::singleShot(0, &window, [&] {
            if (how == u"close box"_s)
                window.close();
            else
                button(window, u"SSCommand2"_s)->click();
        });
        // Should the window not close, this ends the modal loop so that the check below fails.
        QTimer::singleShot(5000, &window, &QDialog::accept);
        QCOMPARE(window.exec(), int(QDialog::Rejected));
        QVERIFY(!window.isVisible());
    }
    const TeamMain reopened;
    QCOMPARE(grid(reopened, u"GG"_s)->rows(), 1);
    QCOMPARE(grid(reopened, u"GR"_s)->rows(), 1);
}

void TestTeamMain::accessKeys() {
    TeamMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QGuiApplication::clipboard()->setText(quiet);
    QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
    QTRY_COMPARE(grid(window, u"GG"_s)->rows(), 4);
    QTest::keyClick(&window, Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(bodyRows(grid(window, u"GR"_s)), QStringList{u"No signals"_s});
    QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
    QTRY_VERIFY(!window.isVisible());
}

void TestTeamMain::palettes_data() {
    QTest::addColumn<bool>("reduced");
    QTest::addColumn<QColor>("main");

    QTest::newRow("full") << false << QColor(240, 232, 208);
    QTest::newRow("reduced") << true << QColor(192, 192, 192);
}

void TestTeamMain::palettes() {
    QFETCH(bool, reduced);
    QFETCH(QColor, main);
    TavoBAS::ReducedPalette = reduced;
    TavoBAS::InitPalette();
    const TeamMain window;
    TavoBAS::ReducedPalette = false;
    TavoBAS::InitPalette();

    QCOMPARE(window.palette().color(QPalette::Window), main);
    for (const QString& name : {u"SSSave"_s, u"SSCommand1"_s, u"SSCommand2"_s})
        QCOMPARE(button(window, name)->property("BackColor").value<QColor>(), main);
    const QColor untouched = QApplication::palette().color(QPalette::Base);
    QCOMPARE(grid(window, u"GG"_s)->palette().color(QPalette::Base), untouched);
    QCOMPARE(grid(window, u"GR"_s)->palette().color(QPalette::Base), untouched);
    QCOMPARE(control<QPlainTextEdit>(window, u"Text1"_s)->palette().color(QPalette::Base),
             untouched);
}

void TestTeamMain::buttonFonts_data() {
    QTest::addColumn<int>("twipsPerPixel");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("size");

    QTest::newRow("96 DPI") << 15 << u"MS Sans Serif"_s << 8.25;
    QTest::newRow("120 DPI") << 12 << u"Small Fonts"_s << 6.0;
}

void TestTeamMain::buttonFonts() {
    QFETCH(int, twipsPerPixel);
    QFETCH(QString, family);
    QFETCH(double, size);
    TeamMain window;
    TavoBAS::ApplyWindowStyle(&window, twipsPerPixel);
    for (const QString& name : {u"SSSave"_s, u"SSCommand1"_s, u"SSCommand2"_s}) {
        const ThreedCommand* b = button(window, name);
        QCOMPARE(b->font().family(), family);
        QCOMPARE(b->font().pointSizeF(), size);
        QVERIFY(b->font().bold());
        const QString caption = b->text().remove(u'&');
        QVERIFY2(b->fontMetrics().horizontalAdvance(caption) < b->width() - 8, qPrintable(caption));
    }
    QCOMPARE(grid(window, u"GG"_s)->font().pointSizeF(), 8.25);
}

void TestTeamMain::resultSelectsItsSessions_data() {
    QTest::addColumn<QString>("clipboardText");
    QTest::addColumn<bool>("pastedAgain");
    QTest::addColumn<int>("resultRow");
    QTest::addColumn<QList<int>>("sessionRows");

    QTest::newRow("single session") << spike << false << 0 << QList<int>{6};
    QTest::newRow("window of eight") << spike << false << 1 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8};
    QTest::newRow("no signals") << quiet << false << 0 << QList<int>{};
    QTest::newRow("sessions since replaced") << spike << true << 1 << QList<int>{};
    QList<int> late(30, 0);
    late[27] = 1000;
    QTest::newRow("below the fold") << hourSessions(late) << false << 0 << QList<int>{28};
}

void TestTeamMain::resultSelectsItsSessions() {
    QFETCH(QString, clipboardText);
    QFETCH(bool, pastedAgain);
    QFETCH(int, resultRow);
    QFETCH(QList<int>, sessionRows);
    TeamMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    pasteAndAnalyse(window, clipboardText);
    if (pastedAgain)
        button(window, u"SSSave"_s)->click();
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

void TestTeamMain::clipboardKeys() {
    TeamMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    FlexGrid* sessions = grid(window, u"GG"_s);
    FlexGrid* results = grid(window, u"GR"_s);
    QGuiApplication::clipboard()->setText(spike);
    sessions->setFocus();
    QTest::keyClick(sessions, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(sessions->rows(), 12);

    button(window, u"SSCommand1"_s)->click();
    clickRow(results, 1);
    clickRow(results, 0, Qt::ControlModifier);
    QTest::keyClick(results, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             results->textMatrix(1, 0) + u'\n' + results->textMatrix(2, 0));
}

void TestTeamMain::longLinesScrollSideways() {
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

QTEST_MAIN(TestTeamMain)
#include "tst_teammain.moc"
