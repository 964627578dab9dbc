// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/team/paste.h"
#include "testsupport.h"
#include "ui/controls/flexgrid.h"
#include "ui/controls/zoomchartview.h"
#include "ui/style/fontsubstitutes.h"
#include "ui/team/backgroundjob.h"
#include "ui/team/teamchart.h"
#include "ui/team/teammain.h"

#include <QAbstractButton>
#include <QChart>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolTip>
#include <QValueAxis>
#include <QWheelEvent>
#include <atomic>
#include <csignal>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace {

// Set while a test plays out running short of memory: every large allocation fails.
std::atomic<bool> failLargeAllocations = false;

} // namespace

void* operator new(std::size_t size) {
    if (failLargeAllocations && size > (1 << 20))
        throw std::bad_alloc();
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
// The standard library asks for scratch memory this way and frees it with the delete below.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

// One-hour sessions, so that every amount is its own hourly rate.
QString hourSessions(const QList<int>& amounts) {
    QString text;
    for (int amount : amounts)
        text += QString::number(amount) + u"\t60\r\n"_s;
    return text;
}

const QString quiet = hourSessions({100, 300, 200});
// Fifteen rates inside the Sigma 1 lines: one line listing all fifteen.
const QString steady = hourSessions(
    {1000, 1001, 1000, 1001, 1000, 1001, 1000, 1001, 1000, 1001, 1000, 1001, 1000, 1001, 1000});

// Thirty sessions at 0 but the 28th, whose amount stands out: one signal 1 in a run of 6b.
QString lateOutlier(int amount = 1000) {
    QList<int> amounts(30, 0);
    amounts[27] = amount;
    return hourSessions(amounts);
}

FlexGrid* grid(const QWidget& window, const QString& name) {
    return findControl<FlexGrid>(window, name);
}

// Clicks the button and waits for the paste or analysis it starts to end.
void clickAndWait(const TeamMain& window, const QString& button) {
    findControl<QAbstractButton>(window, button)->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window.findChild<BackgroundJob*>(), 60'000);
}

void pasteAndAnalyse(const TeamMain& window, const QString& clipboardText) {
    QGuiApplication::clipboard()->setText(clipboardText);
    clickAndWait(window, u"SSSave"_s);
    clickAndWait(window, u"SSCommand1"_s);
}

// Opens the chart of the analysis; nothing when it does not show.
TeamChart* openChart(const TeamMain& window) {
    findControl<QAbstractButton>(window, u"SSChart"_s)->click();
    auto* chart = window.findChild<TeamChart*>();
    return chart && QTest::qWaitForWindowExposed(chart) ? chart : nullptr;
}

// Text another program offers, arriving as `sent`: nothing when the transfer fails, as from an
// owner that died mid-transfer.
class OfferedText : public QMimeData {
public:
    explicit OfferedText(QVariant sent) : sent(std::move(sent)) {}

private:
    QStringList formats() const override { return {u"text/plain"_s}; }
    QVariant retrieveData(const QString&, QMetaType) const override { return sent; }
    QVariant sent;
};

// The sessions selected in GG, numbered from 1.
QList<int> selectedSessions(const TeamMain& window) {
    QList<int> selected;
    for (const QModelIndex& row : grid(window, u"GG"_s)->selectionModel()->selectedRows())
        selected << row.row() + 1;
    std::sort(selected.begin(), selected.end());
    return selected;
}

void clickRow(FlexGrid* g, int bodyRow, Qt::KeyboardModifiers modifiers = {}) {
    g->scrollTo(g->model()->index(bodyRow, 0));
    const QRect cell = g->visualRect(g->model()->index(bodyRow, 0));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, modifiers, cell.center());
}

} // namespace

class TestTeamMain : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        TavoBAS::installFontSubstitutes();
        // The rules chosen are remembered in a settings file of the tests' own.
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();
    }

    void refusedPaste_data() {
        // A string is copied as text; anything else is text offered by another program, which
        // sends these bytes, or nothing at all.
        QTest::addColumn<QVariant>("clipboard");
        QTest::addColumn<bool>("memoryShort");
        QTest::addColumn<QString>("message");
        QTest::newRow("header words") << QVariant(u"Won\tMinutes\r\n5\t30\r\n"_s) << false
                                      << u"Non-numeric character|Row 1, column 1: “Won”."_s;
        QTest::newRow("empty clipboard") << QVariant(u""_s) << false << u"Not enough data|"_s;
        QTest::newRow("no characters sent")
            << QVariant(QByteArray("")) << false << u"Not enough data|"_s;
        QTest::newRow("unreadable") << QVariant() << false << u"The clipboard could not be read|"_s;
        QTest::newRow("memory short")
            << QVariant(u"5\t60\n"_s.repeated(200'000)) << true << u"Not enough memory|"_s;
    }

    // A refused paste says why and where in a plain "Tavo" box with OK only and leaves the grid
    // empty. An analysis reads the grid anew and replaces the lines of the one before.
    void refusedPaste() {
        QFETCH(QVariant, clipboard);
        QFETCH(bool, memoryShort);
        QFETCH(QString, message);
        const TeamMain window;
        pasteAndAnalyse(window, steady);

        QString seen;
        QTimer answer;
        answer.callOnTimeout([&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = u"%1|%2|%3|%4|%5"_s.arg(box->windowTitle(), box->text(), box->informativeText())
                       .arg(int(box->icon()))
                       .arg(box->buttons().size() == 1 ? int(box->standardButtons()) : -1);
            box->accept();
        });
        answer.start(10);
        QGuiApplication::clipboard()->clear();
        if (clipboard.typeId() != QMetaType::QString)
            QGuiApplication::clipboard()->setMimeData(new OfferedText(clipboard));
        else if (!clipboard.toString().isEmpty())
            QGuiApplication::clipboard()->setText(clipboard.toString());
        failLargeAllocations = memoryShort;
        clickAndWait(window, u"SSSave"_s);
        failLargeAllocations = false;
        clickAndWait(window, u"SSCommand1"_s);
        QCOMPARE(seen, u"Tavo|%1|%2|%3"_s.arg(message)
                           .arg(int(QMessageBox::NoIcon))
                           .arg(int(QMessageBox::Ok)));
        QCOMPARE(gridRowCount(grid(window, u"GG"_s)), 1);
        QCOMPARE(gridRowCount(grid(window, u"GR"_s)), 1);
    }

    // While a message box is open, a click on Team Analysis does nothing: the box stays until
    // Return closes it.
    void messageBoxStaysModal() {
        TeamMain window;
        showActive(window);
        QGuiApplication::clipboard()->setText(u"Won\tMinutes\r\n5\t30\r\n"_s);
        QPointer<QMessageBox> box;
        bool stayed = false;
        QTimer answer;
        answer.callOnTimeout([&] {
            if (!(box = window.findChild<QMessageBox*>()))
                return;
            answer.stop();
            clickAsUser(findControl(window, u"SSCommand2"_s));
            stayed = window.isVisible() && box->isVisible();
            QTest::keyClick(box, Qt::Key_Return);
        });
        answer.start(10);
        clickAndWait(window, u"SSSave"_s);
        QVERIFY(stayed);
        QTRY_VERIFY(!box);
    }

    void cancelled_data() {
        QTest::addColumn<bool>("analysing");
        QTest::newRow("paste") << false;
        QTest::newRow("analysis") << true;
    }

    // A long paste or analysis shows the busy cursor at once and its progress soon after; Cancel
    // leaves the grid it fills with its header row only.
    void cancelled() {
        QFETCH(bool, analysing);
        TeamMain window;
        showActive(window);
        copyLongTable(analysing);
        if (analysing)
            clickAndWait(window, u"SSSave"_s);
        findControl<QAbstractButton>(window, analysing ? u"SSCommand1"_s : u"SSSave"_s)->click();
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
        const QPointer<QProgressDialog> progress = window.findChild<QProgressDialog*>();
        if (analysing) { // too quick for its dialog to show: canceled as its button does
            emit progress->canceled();
        } else {
            QTRY_VERIFY(progress && progress->isVisible());
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        }
        QTRY_VERIFY(!window.findChild<BackgroundJob*>());
        QCOMPARE(gridRowCount(grid(window, analysing ? u"GR"_s : u"GG"_s)), 1);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void otherProgramsText_data() {
        QTest::addColumn<QString>("offered"); // by xclip, stopped before it can send it if silent
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("rows");
        const QString text = u"UTF8_STRING"_s;
        QTest::newRow("silent owner")
            << quiet << text << true << u"The clipboard could not be read|"_s << 1;
        QTest::newRow("UTF-8") << u"5\t60\r\n€\t1\r\n"_s << text << false
                               << u"Non-numeric character|Row 2, column 1: “€”."_s << 1;
        QTest::newRow("sent in parts")
            << u"5\t60\r\n"_s.repeated(400'000) << text << false << QString() << 400'001;
        QTest::newRow("HTML with values, no text")
            << u"<table><tr><td sdval=\"-20.5\" sdnum=\"1033;1033;0.00;[RED]0.00\">20.50</td>"
               u"<td sdval=\"0.0625\" sdnum=\"1033;0;[MM]:SS\">90:00</td></tr></table>"_s
            << u"text/html"_s << false << QString() << 2;
    }

    // On X11 another program sends the text or a spreadsheet's HTML, or never does: the window goes
    // on answering with the paste's progress, and gives up after some seconds of silence.
    void otherProgramsText() {
        if (QGuiApplication::platformName() != u"xcb"_s)
            QSKIP("needs X11: run by tst_teammain_x11");
        QFETCH(QString, offered);
        QFETCH(QString, target);
        QFETCH(bool, silent);
        QFETCH(QString, message);
        QFETCH(int, rows);
        TeamMain window;
        showActive(window);
        QProcess owner;
        owner.start(u"xclip"_s, {u"-quiet"_s, u"-selection"_s, u"clipboard"_s, u"-t"_s, target});
        owner.write(offered.toUtf8());
        owner.closeWriteChannel();
        QTRY_VERIFY(!QGuiApplication::clipboard()->mimeData()->formats().isEmpty());
        if (silent)
            kill(pid_t(owner.processId()), SIGSTOP);
        QString seen;
        bool progressShown = false;
        QTimer answer;
        answer.callOnTimeout([&] {
            if (const auto* progress = window.findChild<QProgressDialog*>())
                progressShown = progressShown || progress->isVisible();
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen = box->text() + u'|' + box->informativeText();
                box->accept();
            }
        });
        answer.start(10);
        clickAndWait(window, u"SSSave"_s);
        QVERIFY(progressShown || !silent);
        QCOMPARE(seen, message);
        QCOMPARE(gridRowCount(grid(window, u"GG"_s)), rows);
        owner.kill();
        owner.waitForFinished();
    }

    // Each session column is half the grid less 195 twips, centred; the help shows its paragraphs
    // whole. Ctrl+V pastes into the sessions; a result line selects its sessions and brings them
    // into view, and Ctrl+C copies the selected lines, also as a table and as RTF; lines left from
    // before a paste select nothing. Esc leaves the window open, Alt+X closes it.
    void keys() {
        TeamMain window;
        showActive(window);
        FlexGrid* sessions = grid(window, u"GG"_s);
        FlexGrid* results = grid(window, u"GR"_s);
        QCOMPARE(sessions->columnWidth(1), 83);
        const auto* help = findControl<QPlainTextEdit>(window, u"Text1"_s);
        QCOMPARE(help->document()->blockCount(), 5);
        QCOMPARE(help->verticalScrollBar()->maximum(), 0);
        QCOMPARE(tabStops(findControl(window, u"SSSave"_s), 6).join(u' '),
                 u"GG SSCommand1 GR Text1 SSCommand2 SSSave"_s);
        QGuiApplication::clipboard()->setText(lateOutlier());
        sessions->setFocus();
        QTest::keyClick(sessions, Qt::Key_V, Qt::ControlModifier);
        QTRY_COMPARE(gridRowCount(sessions), 31);
        QCOMPARE(sessions->model()->index(0, 1).data(Qt::TextAlignmentRole), int(Qt::AlignCenter));
        QTest::keyClick(&window, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(gridRowCount(results), 4);
        clickRow(results, 1);
        clickRow(results, 0, Qt::ControlModifier);
        QCOMPARE(selectedSessions(window), QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 28}));
        QVERIFY(sessions->viewport()->rect().contains(
            sessions->visualRect(sessions->model()->index(27, 0))));
        QTest::keyClick(results, Qt::Key_C, Qt::ControlModifier);
        const QString first = u"Signal 1: A single value beyond limits (1000)"_s;
        const QString second = u"Signal 6b: 7 out of 8 consecutive values to down side of center. "
                               u"(0, 0, 0, 0, 0, 0, 0, 0)"_s;
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), first + u'\n' + second);
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->html(),
                 u"<table><tr><td>%1</td></tr><tr><td>%2</td></tr></table>"_s.arg(first, second));
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->data(u"text/rtf"_s),
                 "{\\rtf1\\ansi\\deff0\n" + first.toLatin1() + "\\par\n" + second.toLatin1() +
                     "\\par\n}");

        QGuiApplication::clipboard()->setText(quiet);
        clickAndWait(window, u"SSSave"_s);
        clickRow(results, 0);
        QCOMPARE(selectedSessions(window), QList<int>());
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(window.isVisible());
        QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
        QTRY_VERIFY(!window.isVisible());
    }

    // Chart opens once an analysis has sessions, shading the sessions of a line already chosen.
    // A result line shades its sessions on the chart and brings them into view; clicking a point
    // selects its session and the lines about it. Ctrl+C copies the chart as an image; a new paste
    // greys it out until the next analysis.
    void chartLinks() {
        TeamMain window;
        showActive(window);
        auto* chartButton = findControl<QAbstractButton>(window, u"SSChart"_s);
        QVERIFY(!chartButton->isEnabled());
        pasteAndAnalyse(window, lateOutlier());
        QCOMPARE(tabStops(findControl(window, u"SSCommand2"_s), 2).join(u' '), u"SSChart SSSave"_s);
        clickRow(grid(window, u"GR"_s), 0); // Signal 1, session 28, chosen before the chart opens
        TeamChart* chart = openChart(window);
        QVERIFY(chart);
        auto* rates = chart->findChild<ZoomChartView*>(u"Rates"_s);
        QCOMPARE(rates->shadedSpans(), (QList<QPair<double, double>>{{27.5, 28.5}}));
        grid(window, u"GR"_s)->clearSelection();

        // The wheel zooms in around the pointer, Home shows every session again.
        const auto* xAxis = qobject_cast<QValueAxis*>(rates->chart()->axes(Qt::Horizontal)[0]);
        const QPointF session20 = rates->chart()->mapToPosition({20, 0});
        QWheelEvent wheel(session20, rates->mapToGlobal(session20), {}, {0, 120}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(rates->viewport(), &wheel);
        QVERIFY(xAxis->max() - xAxis->min() < 29);
        QCOMPARE(rates->chart()->mapToPosition({20, 0}).x(), session20.x());
        QTest::keyClick(rates, Qt::Key_Home);
        QCOMPARE(QPointF(xAxis->min(), xAxis->max()), QPointF(0.5, 30.5));

        rates->requestRange(0.5, 10.5);
        clickRow(grid(window, u"GR"_s), 0); // Signal 1, session 28
        QCOMPARE(rates->shadedSpans(), (QList<QPair<double, double>>{{27.5, 28.5}}));
        QVERIFY(xAxis->min() < 28 && xAxis->max() > 28 && xAxis->max() - xAxis->min() == 10);

        grid(window, u"GR"_s)->clearSelection();
        const QPointF session28 = rates->chart()->mapToPosition({28, 1000});
        QTest::mouseClick(rates->viewport(), Qt::LeftButton, {}, session28.toPoint());
        QCOMPARE(selectedSessions(window), QList<int>{28});
        QCOMPARE(grid(window, u"GR"_s)->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(grid(window, u"GR"_s)->selectionModel()->selectedRows()[0].row(), 0);

        QGuiApplication::clipboard()->clear();
        QTest::keyClick(rates, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->image().size(),
                 rates->parentWidget()->size() * chart->devicePixelRatio());

        QGuiApplication::clipboard()->setText(quiet);
        clickAndWait(window, u"SSSave"_s);
        QCOMPARE(rates->accessibleDescription(), u"Press Analyze"_s);
        clickAndWait(window, u"SSCommand1"_s);
        QCOMPARE(rates->accessibleDescription(), QString());
    }

    // The chart opens for one session and for rates near the largest double alike, its value
    // ticks on every plot whole, finite and distinct, the expectation's too.
    void chartValueTicks_data() {
        QTest::addColumn<QString>("table");
        QTest::newRow("one session") << hourSessions({5});
        QTest::newRow("largest doubles") << u"8e307\t60\n8e307\t60\n-8e307\t60\n-8e307\t60"_s;
    }

    void chartValueTicks() {
        const auto forgotten = qScopeGuard([] { QSettings().clear(); });
        TeamMain window;
        showActive(window);
        QFETCH(QString, table);
        pasteAndAnalyse(window, table);
        TeamChart* chart = openChart(window);
        QVERIFY(chart);
        findControl<QLineEdit>(*chart, u"EVField"_s)->setText(u"75"_s);
        findControl<QLineEdit>(*chart, u"SDField"_s)->setText(u"813"_s);
        chart->findChild<QTabWidget*>()->setCurrentIndex(1);
        for (const ZoomChartView* plot : chart->findChildren<ZoomChartView*>()) {
            const auto* axis = qobject_cast<QValueAxis*>(plot->chart()->axes(Qt::Vertical)[0]);
            const double step = axis->tickType() == QValueAxis::TicksDynamic
                                    ? axis->tickInterval()
                                    : (axis->max() - axis->min()) / (axis->tickCount() - 1);
            QStringList ticks;
            for (double tick = axis->min(); tick <= axis->max() && ticks.size() < 20; tick += step)
                ticks << QString::asprintf("%.0f", tick);
            QVERIFY2(ticks.size() >= 2 && ticks.size() < 20 && ticks.removeDuplicates() == 0 &&
                         std::isfinite(step) && step >= 1,
                     qPrintable(ticks.join(u' ')));
        }
    }

    // Qt Charts lays out an item for every tick of each range and interval an axis passes
    // through: when a chart of three sessions turns to 20,000, no axis passes through a state
    // of thousands of ticks, as the expected win's did (for seconds with a million sessions).
    void chartAxesNeverCrowd() {
        const auto forgotten = qScopeGuard([] { QSettings().clear(); });
        TeamMain window;
        showActive(window);
        pasteAndAnalyse(window, quiet);
        TeamChart* chart = openChart(window);
        QVERIFY(chart);
        findControl<QLineEdit>(*chart, u"EVField"_s)->setText(u"7500"_s);
        findControl<QLineEdit>(*chart, u"SDField"_s)->setText(u"813"_s);
        double mostTicks = 0;
        for (const ZoomChartView* plot : chart->findChildren<ZoomChartView*>()) {
            for (QAbstractAxis* shown : plot->chart()->axes()) {
                auto* axis = qobject_cast<QValueAxis*>(shown);
                const auto count = [axis, &mostTicks] {
                    mostTicks =
                        std::max(mostTicks, (axis->max() - axis->min()) / axis->tickInterval());
                };
                connect(axis, &QValueAxis::rangeChanged, chart, count);
                connect(axis, &QValueAxis::tickIntervalChanged, chart, count);
            }
        }
        QList<int> amounts(20'000);
        for (int i = 0; i < amounts.size(); ++i)
            amounts[i] = i * 7919 % 2001 - 1000;
        pasteAndAnalyse(window, hourSessions(amounts));
        QVERIFY2(mostTicks > 1 && mostTicks < 100, qPrintable(QString::number(mostTicks)));
    }

    // Every line keeps its label, none over another and all in the view, in a small window, with
    // text as large as at 120 DPI, and with an outlier that crowds the lines together; a label's
    // tooltip gives the line's own name and its value. The legend names the marks drawn only.
    void chartLabels_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("textScale");
        QTest::addColumn<int>("outlier");
        QTest::newRow("as opened") << QSize() << 1.0 << 1000;
        QTest::newRow("640 × 480, crowded") << QSize(640, 480) << 1.0 << 100'000;
        QTest::newRow("640 × 480, 120 DPI text") << QSize(640, 480) << 1.25 << 100'000;
    }

    void chartLabels() {
        QFETCH(QSize, size);
        QFETCH(double, textScale);
        QFETCH(int, outlier);
        const QFont usual = QApplication::font();
        QFont larger = usual;
        larger.setPointSizeF(usual.pointSizeF() * textScale);
        QApplication::setFont(larger);
        const auto restoreFont = qScopeGuard([&] { QApplication::setFont(usual); });
        TeamMain window;
        showActive(window);
        pasteAndAnalyse(window, lateOutlier(outlier));
        TeamChart* chart = openChart(window);
        QVERIFY(chart);
        if (size.isValid())
            chart->resize(size);
        const QList<ZoomChartView*> plots{chart->findChild<ZoomChartView*>(u"Rates"_s),
                                          chart->findChild<ZoomChartView*>(u"MovingRanges"_s)};
        for (ZoomChartView* plot : plots) {
            const qsizetype lines = plot == plots[0] ? 7 : 2;
            // The view as it is laid out by then, which a resize changes only later.
            const auto allPlaced = [&] {
                const QRectF view = plot->rect();
                const QList<QRectF>& places = plot->lineLabelPlaces();
                for (qsizetype i = 0; i < places.size(); ++i)
                    for (qsizetype j = 0; j < i; ++j)
                        // Labels that only touch may share an edge up to a rounding.
                        if (const QRectF both = places[i].intersected(places[j]);
                            both.height() > 1e-6 && both.width() > 1e-6)
                            return false;
                return places.size() == lines && std::ranges::all_of(places, [&](const QRectF& r) {
                           return view.contains(r);
                       });
            };
            QTRY_VERIFY(allPlaced());
        }
        QStringList legend;
        for (const QLegendMarker* marker : plots[0]->chart()->legend()->markers())
            if (marker->isVisible())
                legend << marker->label();
        QCOMPARE(legend, QStringList({u"Rate"_s, u"Limits (1)"_s, u"Shift (6a, 6b)"_s,
                                      u"Afraid to bet (9)"_s}));

        const QPoint label = plots[0]->lineLabelPlaces().first().center().toPoint();
        QMouseEvent move(QEvent::MouseMove, label, plots[0]->viewport()->mapToGlobal(label),
                         Qt::NoButton, {}, {});
        QApplication::sendEvent(plots[0]->viewport(), &move);
        QTRY_COMPARE(QToolTip::text(), u"Mean %1"_s.arg(double(outlier) / 30, 0, 'g', 15));
        // Neither page makes a small window taller than asked.
        if (size.isValid())
            QTRY_COMPARE(chart->height(), size.height());
    }

    // Hovering a point tells its session, its cells, its rate and the signals it is in; a chart
    // greyed out by a new paste tells nothing.
    void chartTooltips() {
        TeamMain window;
        showActive(window);
        pasteAndAnalyse(window, lateOutlier());
        TeamChart* chart = openChart(window);
        QVERIFY(chart);
        auto* rates = chart->findChild<ZoomChartView*>(u"Rates"_s);
        // The tip shown once the pointer rests on a point; a tip that goes when the window is
        // activated comes back at the next move.
        const auto tipAt = [rates](int session, double rate) {
            const QPoint at = rates->chart()->mapToPosition({double(session), rate}).toPoint();
            QMouseEvent move(QEvent::MouseMove, at, rates->viewport()->mapToGlobal(at),
                             Qt::NoButton, {}, {});
            QApplication::sendEvent(rates->viewport(), &move);
            return QToolTip::text();
        };
        const QString info =
            u"Session %1\nWon/Lost: %2    Minutes: 60\nRate: %2 dollars per hour\n%3"_s;
        QTRY_COMPARE(tipAt(28, 1000), info.arg(28).arg(1000).arg(u"Signals: 1, 6b"_s));
        QTRY_COMPARE(tipAt(2, 0), info.arg(2).arg(0).arg(u"Signals: 6b, 9"_s));
        QTRY_COMPARE(tipAt(20, 0), info.arg(20).arg(0).arg(u"Signals: 6b, 9"_s));
        QGuiApplication::clipboard()->setText(quiet);
        clickAndWait(window, u"SSSave"_s);
        QTRY_COMPARE(tipAt(28, 1000), QString());
    }

    void saveImage_data() {
        QTest::addColumn<bool>("pictures"); // whether ~/Pictures is there
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filter");   // the chosen type's place in the list
        QTest::addColumn<QString>("seen"); // the dialogs' folders, the boxes' texts, files in ~/sub
        QTest::newRow("no suffix typed, file there")
            << false << u"report"_s << 0
            << u"~|report.png already exists.\nDo you want to replace it?||~|~"_s;
        QTest::newRow("PDF in another folder")
            << true << u"../sub/report"_s << 2 << u"~/Pictures|~/sub|report.pdf"_s;
        QTest::newRow("no such folder")
            << false << u"missing/report.png"_s << 0
            << u"~|The image could not be saved.|~/missing/report.png|~"_s;
    }

    // Save Image starts in the folder last written, else in Pictures, else at home, and adds the
    // chosen type's suffix before asking whether to replace a file; a failed save says so.
    void saveImage() {
        QFETCH(bool, pictures);
        QFETCH(QString, typed);
        QFETCH(int, filter);
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        const QTemporaryDir home;
        const auto restoreHome = qScopeGuard([was = qgetenv("HOME")] { qputenv("HOME", was); });
        qputenv("HOME", QFile::encodeName(home.path()));
        QVERIFY(!pictures || QDir(home.path()).mkdir(u"Pictures"_s));
        QVERIFY(QDir(home.path()).mkdir(u"sub"_s));
        QVERIFY(QFile(home.filePath(u"report.png"_s)).open(QIODevice::WriteOnly));

        QStringList seen;
        QTimer user;
        user.callOnTimeout([&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                seen << box->text() << box->informativeText();
                QTest::keyClick(box, Qt::Key_Escape);
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                seen << dialog->directory().path();
                if (typed.isEmpty())
                    return dialog->reject();
                for (int press = 0; press < filter; ++press)
                    QTest::keyClick(dialog->findChild<QWidget*>(u"fileTypeCombo"_s), Qt::Key_Down);
                dialog->findChild<QWidget*>(u"fileNameEdit"_s)->setProperty("text", typed);
                typed.clear();
                // Accepting may ask whether to replace the file, a box this timer answers.
                QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
            }
        });
        user.start(10);
        TeamChart chart(nullptr);
        chart.saveImage();
        chart.saveImage();
        seen << QDir(home.filePath(u"sub"_s)).entryList(QDir::Files);
        QTEST(seen.join(u'|').replace(home.path(), u"~"_s), "seen");
    }

    // Thousands of lines about as many runs of sessions select just those sessions, and at once.
    void manyRunsSelected() {
        TeamMain window;
        showActive(window);
        QString text; // rising and falling steps, so that runs of several rules alternate
        for (int i = 0; i < 168'000; ++i)
            text += QString::number((i / 700) % 2 ? 6 - i % 7 : i % 7) + u"\t60\n"_s;
        pasteAndAnalyse(window, text);
        FlexGrid* results = grid(window, u"GR"_s);
        const int lines = results->model()->rowCount(), middle = lines / 2;
        clickRow(results, middle);
        clickRow(results, lines - 1, Qt::ShiftModifier);
        QElapsedTimer timer;
        timer.start();
        clickRow(results, 0, Qt::ShiftModifier);
        QVERIFY2(timer.elapsed() < 500, qPrintable(u"%1 ms"_s.arg(timer.elapsed())));
        const Analysis analysis = analyseSessions(pasteSessions(text, QLocale()).sessions.values);
        std::vector<bool> about(168'000), selected(168'000);
        for (int line = 0; line <= middle; ++line)
            std::fill_n(about.begin() + analysis.sessionsOf(line).first,
                        analysis.sessionsOf(line).count, true);
        for (const QItemSelectionRange& run : grid(window, u"GG"_s)->selectionModel()->selection())
            std::fill(selected.begin() + run.top(), selected.begin() + run.bottom() + 1, true);
        QVERIFY(selected == about);
    }

    // The menu of a session in the grid starts a phase there, or says why it cannot; the menu of
    // a point on the chart leaves its session out of the limits, which the phase table shows.
    // Each change analyses the sessions again at once; a paste that only adds rows keeps it, any
    // other paste clears it and says so.
    void sessionMenus() {
        TeamMain window;
        showActive(window);
        pasteAndAnalyse(window, lateOutlier());
        QStringList offered;
        QString chosen;
        QTimer user;
        user.callOnTimeout([&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions())
                if (!action->isSeparator())
                    offered << action->text() + (action->isEnabled()
                                                     ? QString()
                                                     : u" ("_s + action->toolTip() + u')');
            for (QAction* action : menu->actions())
                if (action->text() == chosen)
                    action->trigger();
            menu->close();
        });
        user.start(10);
        FlexGrid* sessions = grid(window, u"GG"_s);
        const auto menuAtRow = [&](int row, const QString& choice) {
            offered.clear();
            chosen = choice;
            const QPoint at = sessions->visualRect(sessions->model()->index(row, 0)).center();
            QContextMenuEvent event(QContextMenuEvent::Mouse, at,
                                    sessions->viewport()->mapToGlobal(at));
            QApplication::sendEvent(sessions->viewport(), &event);
            QTRY_VERIFY_WITH_TIMEOUT(!window.findChild<BackgroundJob*>(), 60'000);
        };
        menuAtRow(0, {});
        QCOMPARE(
            offered,
            QStringList(
                {u"Start a New Phase Here (A phase already begins here)"_s,
                 u"Lock Limits After This Session (A phase needs at least two sessions in its baseline)"_s,
                 u"Leave Out of the Limits"_s}));
        menuAtRow(20, u"Start a New Phase Here"_s);
        QVERIFY(gridCellText(grid(window, u"GR"_s), 1, 0).startsWith(u"Phase "_s));

        TeamChart* chart = openChart(window);
        QVERIFY(chart);
        auto* rates = chart->findChild<ZoomChartView*>(u"Rates"_s);
        FlexGrid* phases = chart->findChild<FlexGrid*>(u"Phases"_s);
        QCOMPARE(gridRowCount(phases), 3);
        offered.clear();
        chosen = u"Leave Out of the Limits"_s;
        const QPoint session28 = rates->chart()->mapToPosition({28, 1000}).toPoint();
        QMouseEvent move(QEvent::MouseMove, session28, rates->viewport()->mapToGlobal(session28),
                         Qt::NoButton, {}, {});
        QApplication::sendEvent(rates->viewport(), &move);
        QContextMenuEvent event(QContextMenuEvent::Mouse, session28,
                                rates->viewport()->mapToGlobal(session28));
        QApplication::sendEvent(rates->viewport(), &event);
        QTRY_VERIFY_WITH_TIMEOUT(!window.findChild<BackgroundJob*>(), 60'000);
        QTRY_COMPARE(gridCellText(phases, 2, 2), u"21–30, 1 left out"_s);

        QGuiApplication::clipboard()->setText(lateOutlier() + hourSessions({5}));
        clickAndWait(window, u"SSSave"_s);
        clickAndWait(window, u"SSCommand1"_s);
        QCOMPARE(gridCellText(phases, 2, 2), u"21–31, 1 left out"_s);
        QGuiApplication::clipboard()->setText(quiet);
        clickAndWait(window, u"SSSave"_s);
        QCOMPARE(rates->accessibleDescription(),
                 u"Press Analyze\nPhases cleared: the table changed"_s);
        clickAndWait(window, u"SSCommand1"_s);
        QCOMPARE(gridRowCount(phases), 2);
    }

    // Rules… runs only the rules chosen, which the chart's title names, and the next window
    // remembers them.
    void rulesChosen() {
        const auto allAgain = qScopeGuard([] { QSettings().clear(); });
        TeamMain window;
        showActive(window);
        pasteAndAnalyse(window, lateOutlier());
        TeamChart* chart = openChart(window);
        QVERIFY(chart);
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            for (auto* button : dialog->findChildren<QAbstractButton*>())
                if (button->text().startsWith(u"&Limits Only"_s) || button->text() == u"OK"_s)
                    button->click();
        });
        for (auto* button : chart->findChildren<QAbstractButton*>())
            if (button->text() == u"&Rules…"_s)
                button->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window.findChild<BackgroundJob*>(), 60'000);
        QCOMPARE(gridRowCount(grid(window, u"GR"_s)), 2);
        QVERIFY(gridCellText(grid(window, u"GR"_s), 1, 0).startsWith(u"Signal 1:"_s));
        QVERIFY(chart->findChild<QLabel*>(u"Title"_s)->text().endsWith(u" · Rules 1"_s));
        TeamMain next;
        pasteAndAnalyse(next, lateOutlier());
        QCOMPARE(gridRowCount(grid(next, u"GR"_s)), 2);
    }

    // The game entered per 100 hands is remembered for the next chart; the figures follow the
    // sessions selected in GG, and a Shift+drag across the expectation chart selects them there.
    void againstExpectation() {
        const auto forgotten = qScopeGuard([] { QSettings().clear(); });
        {
            TeamMain window;
            showActive(window);
            pasteAndAnalyse(window, quiet);
            TeamChart* chart = openChart(window);
            QVERIFY(chart);
            findControl<QComboBox>(*chart, u"UnitChoice"_s)->setCurrentIndex(1);
            QTest::keyClicks(findControl<QLineEdit>(*chart, u"EVField"_s), u"150"_s);
            QTest::keyClicks(findControl<QLineEdit>(*chart, u"SDField"_s), u"1,150"_s);
            QTest::keyClicks(findControl<QLineEdit>(*chart, u"SpeedField"_s), u"50"_s);
            clickRow(grid(window, u"GG"_s), 1);
            clickRow(grid(window, u"GG"_s), 2, Qt::ShiftModifier);
            const QString figures =
                findControl<QPlainTextEdit>(*chart, u"FiguresText"_s)->toPlainText();
            QVERIFY2(figures.startsWith(u"Whole record\n3 sessions, 3.0 hours\nWon $600 · "
                                        u"expected $225 · difference $375\n"_s) &&
                         figures.contains(u"\n\nSessions 2–3\n2 sessions, 2.0 hours\nWon "
                                          u"$500 · expected $150 · difference $350\n"_s),
                     qPrintable(figures));

            auto* page = findControl<QWidget>(*chart, u"ExpectationPage"_s);
            chart->findChild<QTabWidget*>()->setCurrentWidget(page);
            auto* view = page->findChild<ZoomChartView*>();
            const auto at = [view](double hours) {
                return view->chart()->mapToPosition({hours, 0}).toPoint();
            };
            QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(0.5));
            QTest::mouseMove(view->viewport(), at(2.5));
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(2.5));
            QCOMPARE(selectedSessions(window), QList<int>({1, 2}));
        }
        TeamMain window;
        pasteAndAnalyse(window, quiet);
        TeamChart* chart = openChart(window);
        QVERIFY(chart);
        QCOMPARE(findControl<QComboBox>(*chart, u"UnitChoice"_s)->currentIndex(), 1);
        QCOMPARE(findControl<QLineEdit>(*chart, u"SDField"_s)->text(), u"1,150"_s);
        findControl<QLineEdit>(*chart, u"SpeedField"_s)->setText(u"0"_s);
        QVERIFY(findControl<QPlainTextEdit>(*chart, u"FiguresText"_s)
                    ->toPlainText()
                    .startsWith(u"Enter"_s));
    }

    // The report holds its pages' charts as drawn and its text as text: the result lines, the
    // expectation's figures; the data holds a row for each session. Both go where the user says.
    void reportAndData() {
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        QVERIFY2(!pdftotext.isEmpty(), "needs pdftotext (poppler-utils)");
        const auto forgotten = qScopeGuard([] { QSettings().clear(); });
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        const QTemporaryDir folder;
        TeamMain window;
        showActive(window);
        pasteAndAnalyse(window, lateOutlier());
        TeamChart* chart = openChart(window);
        QVERIFY(chart);
        findControl<QLineEdit>(*chart, u"EVField"_s)->setText(u"75"_s);
        findControl<QLineEdit>(*chart, u"SDField"_s)->setText(u"813.17"_s);
        // Drawn onto a page, as into a saved image, a chart leaves the page's own background.
        QImage page(chart->findChild<QWidget*>(u"Rates"_s)->size(), QImage::Format_RGB32);
        page.fill(Qt::white);
        chart->findChild<QWidget*>(u"Rates"_s)->render(&page, {}, {}, QWidget::DrawChildren);
        QCOMPARE(page.pixelColor(1, 1), QColor(Qt::white));

        QString name;
        QTimer user;
        user.callOnTimeout([&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                dialog && !name.isEmpty()) {
                dialog->selectFile(folder.filePath(std::exchange(name, {})));
                QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
            }
        });
        user.start(10);
        name = u"report"_s;
        for (auto write : {&TeamChart::saveReport, &TeamChart::exportData}) {
            std::invoke(write, chart);
            QTRY_VERIFY_WITH_TIMEOUT(!chart->findChild<BackgroundJob*>(), 60'000);
            name = u"sessions.tsv"_s;
        }

        QProcess text;
        text.start(pdftotext, {folder.filePath(u"report.pdf"_s), u"-"_s});
        QVERIFY(text.waitForFinished(30'000) && text.exitCode() == 0);
        const QString report = QString::fromUtf8(text.readAllStandardOutput());
        QCOMPARE(report.count(u'\f'), 3);
        // A line wrapped on the page reads back with a line end for a blank.
        const QString words = report.simplified();
        FlexGrid* results = grid(window, u"GR"_s);
        for (int line = 1; line < gridRowCount(results); ++line)
            QVERIFY2(words.contains(gridCellText(results, line, 0)),
                     qPrintable(gridCellText(results, line, 0)));
        QVERIFY(words.contains(u"Whole record 30 sessions, 30.0 hours"_s));
        QVERIFY(words.contains(u"30 sessions · 30.0 hours · won $1,000 · $33 an hour overall"_s));

        QFile data(folder.filePath(u"sessions.tsv"_s));
        QVERIFY(data.open(QIODevice::ReadOnly));
        const QList<QByteArray> rows = data.readAll().split('\n');
        QCOMPARE(rows.size(), 32); // the header, a row per session, and nothing after the last
        QVERIFY(rows[0].startsWith("Session\tAmount cell\t"));
    }

    // "No signals" selects nothing. The one results column grows to the longest line and shrinks
    // back to the grid.
    void resultsReadable() {
        TeamMain window;
        showActive(window);
        FlexGrid* results = grid(window, u"GR"_s);
        pasteAndAnalyse(window, steady);
        const QString line = gridCellText(results, 1, 0);
        QTRY_VERIFY(results->columnWidth(0) > results->fontMetrics().horizontalAdvance(line));
        pasteAndAnalyse(window, quiet);
        clickRow(results, 0);
        QCOMPARE(selectedSessions(window), QList<int>());
        QTRY_COMPARE(results->columnWidth(0), results->viewport()->width());
    }
};

QTEST_MAIN(TestTeamMain)
#include "tst_teammain.moc"
