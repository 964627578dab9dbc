// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/team/teamchart.h"

#include "core/common/savedfile.h"
#include "core/common/wholenumber.h"
#include "core/team/sessionexport.h"
#include "core/team/sessiontotals.h"
#include "ui/controls/flexgrid.h"
#include "ui/controls/threedcommand.h"
#include "ui/controls/twipsgeometry.h"
#include "ui/controls/widgetimage.h"
#include "ui/controls/zoomchartview.h"
#include "ui/style/appicon.h"
#include "ui/style/windowstyle.h"
#include "ui/team/backgroundjob.h"
#include "ui/team/controlplot.h"
#include "ui/team/expectationpage.h"
#include "ui/team/expectationplot.h"
#include "ui/team/rulesdialog.h"
#include "ui/team/teamreport.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <functional>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int windowWidthTwips = 13500;
constexpr int windowHeightTwips = 9750;
const QMargins plotMargins(4, 4, 4, 4);
// A cell longer than this is cut in a tooltip.
constexpr qsizetype shownCellLength = 40;

// Colours that stay apart for readers who tell red from green poorly.
const QColor vermillion(213, 94, 0);
const QColor orange(230, 159, 0);
const QColor skyBlue(86, 180, 233);
const QColor bluishGreen(0, 158, 115);
const QColor yellow(240, 228, 66);
const QColor blue(0, 114, 178);
const QColor reddishPurple(204, 121, 167);
const QColor grey(120, 120, 120);

// Each line over each phase, from the middle between its first session and the one before to
// the middle after its last.
template <class Line> QList<LineStep> stepsOf(std::span<const Phase> phases, Line line) {
    QList<LineStep> steps;
    for (const Phase& phase : phases)
        steps.append({double(phase.first) + 0.5, double(phase.first + phase.count) + 0.5,
                      std::invoke(line, phase.lines)});
    return steps;
}

QList<ChartLine> individualsLines(std::span<const Phase> p) {
    return {{u"Mean"_s, u"Average"_s, stepsOf(p, &ChartLines::Mean), Qt::SolidLine, bluishGreen},
            {u"UCL"_s, u"Upper limit"_s, stepsOf(p, &ChartLines::UCL), Qt::DashLine, vermillion},
            {u"LCL"_s, u"Lower limit"_s, stepsOf(p, &ChartLines::LCL), Qt::DashLine, vermillion},
            {u"USig2"_s, u"+2σ"_s, stepsOf(p, &ChartLines::USig2), Qt::DashDotLine, reddishPurple},
            {u"LSig2"_s, u"−2σ"_s, stepsOf(p, &ChartLines::LSig2), Qt::DashDotLine, reddishPurple},
            {u"USig1"_s, u"+1σ"_s, stepsOf(p, &ChartLines::USig1), Qt::DotLine, grey},
            {u"LSig1"_s, u"−1σ"_s, stepsOf(p, &ChartLines::LSig1), Qt::DotLine, grey}};
}

QList<ChartLine> rangeLines(std::span<const Phase> p) {
    return {{u"MRBar"_s, u"Average range"_s, stepsOf(p, &ChartLines::MRBar), Qt::SolidLine,
             bluishGreen},
            {u"URL"_s, u"Range limit"_s, stepsOf(p, rangeLimit), Qt::DashLine, vermillion}};
}

// In the order of ruleFamilies: the first shows over the others.
QList<MarkKind> ruleMarks() {
    const QString names[] = {u"Limits (1)"_s,       u"2σ (2, 3)"_s,      u"1σ (4a, 4b)"_s,
                             u"Trend (5a, 5b)"_s,   u"Shift (6a, 6b)"_s, u"Over-protection (7)"_s,
                             u"Afraid to bet (9)"_s};
    const std::pair<QScatterSeries::MarkerShape, QColor> looks[] = {
        {QScatterSeries::MarkerShapeRotatedRectangle, vermillion},
        {QScatterSeries::MarkerShapeTriangle, orange},
        {QScatterSeries::MarkerShapeRectangle, skyBlue},
        {QScatterSeries::MarkerShapePentagon, bluishGreen},
        {QScatterSeries::MarkerShapeCircle, reddishPurple},
        {QScatterSeries::MarkerShapeStar, yellow},
        {QScatterSeries::MarkerShapeCircle, blue}};
    static_assert(std::size(looks) == std::size(ruleFamilies));
    QList<MarkKind> kinds;
    for (std::size_t k = 0; k < std::size(ruleFamilies); ++k)
        kinds.append({ruleFamilies[k], names[k], looks[k].first, looks[k].second,
                      k + 1 == std::size(ruleFamilies)});
    return kinds;
}

const QList<MarkKind> rangeMarks{{beyondLimitsRule, u"Above the range limit"_s,
                                  QScatterSeries::MarkerShapeRotatedRectangle, vermillion}};

// The table's totals at the sessions' true lengths, and what the analysis was asked to do
// beyond the usual. The rate is the whole record's, won over hours, which a reader must not
// take for the chart's Average, the mean of the sessions' rates with their one-hour floor.
QString titleText(const SessionTotals& totals, const Analysis& analysis) {
    QString text = u"%1 sessions · %2 hours · %3 %4"_s.arg(
        QLocale().toString(totals.sessions), QLocale().toString(totals.hours(), 'f', 1),
        totals.amount < 0 ? u"lost"_s : u"won"_s, dollarsText(std::abs(totals.amount)));
    if (totals.hours() > 0)
        text += u" · %1 an hour overall"_s.arg(dollarsText(totals.amount / totals.hours()));
    if (analysis.phases().size() > 1)
        text += u" · %1 phases"_s.arg(analysis.phases().size());
    if (const QString rules = rulesChosenText(analysis.rulesRun()); !rules.isEmpty())
        text += u" · "_s + rules;
    return text;
}

// A phase's sessions, numbered from 1: "1–35".
QString sessionsText(qsizetype first, qsizetype last) {
    return first == last ? QString::number(first + 1) : u"%1–%2"_s.arg(first + 1).arg(last + 1);
}

// The phase table shows this many phases without scrolling, one at least: the plots above
// take the rest of the window.
constexpr std::size_t phasesInSight = 4;

int phaseTableHeight(const FlexGrid* table, int rows) {
    return table->verticalHeader()->defaultSectionSize() * std::max(rows, 1) +
           table->horizontalHeader()->sizeHint().height() +
           table->horizontalScrollBar()->sizeHint().height() + 4;
}

// Each phase in a row: its sessions, its baseline, and its lines.
GridBody phaseRows(std::shared_ptr<const Analysis> analysis) {
    return {int(analysis->phases().size()), [analysis](int row, int column) {
                const Phase& phase = analysis->phases()[std::size_t(row)];
                const qsizetype last = phase.first + phase.count - 1;
                const std::span<const qsizetype> leftOut = analysis->leftOutSessions();
                const auto leftOutHere = std::ranges::count_if(
                    leftOut, [&](qsizetype s) { return s >= phase.first && s <= last; });
                switch (column) {
                case 0:
                    return QString::number(row + 1);
                case 1:
                    return sessionsText(phase.first, last);
                case 2:
                    return sessionsText(phase.first, phase.lock.value_or(last)) +
                           (leftOutHere ? u", %1 left out"_s.arg(leftOutHere) : QString());
                default:
                    const double line[] = {phase.lines.Mean, phase.lines.UCL, phase.lines.LCL,
                                           phase.lines.MRBar};
                    return signedWholeNumberText(line[column - 3]);
                }
            }};
}

QString shownCell(QStringView cell) {
    cell = cell.trimmed();
    return cell.size() <= shownCellLength ? cell.toString()
                                          : cell.first(shownCellLength).toString() + u'…';
}

QString rulesText(RuleSet rules) {
    return rules ? u"Signals: "_s + signalRuleIds(rules).join(u", "_s) : u"No signal"_s;
}

} // namespace

TeamChart::TeamChart(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(u"TeamChart"_s);
    setWindowTitle(u"Control Chart"_s);
    setWindowIcon(TavoBAS::appIcon());
    // A point's tooltip shows also while Team Analysis has the focus.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    resize(twipsToSize(this, windowWidthTwips, windowHeightTwips));

    plots = new QWidget(this);
    // In every copied and saved image too, so that the picture says what it is of.
    title = new QLabel(plots);
    title->setObjectName(u"Title"_s);
    title->setAlignment(Qt::AlignCenter);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    individuals = new ControlPlot({}, u"Dollars per hour"_s, u"Rate"_s, plots);
    ranges = new ControlPlot(u"Session"_s, u"Moving range"_s, u"Moving range"_s, plots);
    ranges->chart()->legend()->hide();
    auto* plotColumn = new QVBoxLayout(plots);
    plotColumn->setContentsMargins({});
    plotColumn->setSpacing(0);
    plotColumn->addWidget(title);
    plotColumn->addWidget(individuals->view(), 3);
    plotColumn->addWidget(ranges->view(), 2);
    phaseTable = new FlexGrid(plots);
    phaseTable->setObjectName(u"Phases"_s);
    phaseTable->setAccessibleName(u"Phases"_s);
    phaseTable->setFormatString(
        u"Phase|Sessions|Baseline|Average|Upper limit|Lower limit|Average range"_s);
    phaseTable->setStretchLastColumn(true);
    phaseTable->setMinimumHeight(phaseTableHeight(phaseTable, 1));
    plotColumn->addWidget(phaseTable);
    for (ControlPlot* plot : {individuals, ranges})
        plot->view()->installEventFilter(this);
    individuals->view()->setObjectName(u"Rates"_s);
    individuals->view()->setAccessibleName(u"Rates"_s);
    ranges->view()->setObjectName(u"MovingRanges"_s);
    ranges->view()->setAccessibleName(u"Moving ranges"_s);

    expectation = new ExpectationPage(this);
    pages = new QTabWidget(this);
    // No frame around the pages: in a small window every line of the plots counts.
    pages->setDocumentMode(true);
    pages->addTab(plots, u"C&ontrol Chart"_s);
    pages->addTab(expectation, u"Against &Expectation"_s);
    auto* window = new QVBoxLayout(this);
    window->addWidget(pages, 1);
    // Above the buttons, where a narrow window leaves it a line or two rather than a column.
    auto* hint = new QLabel(
        u"Wheel, + −: zoom · Drag, ← →: pan · Home: show all · Click a point: select it · "
        u"Shift+drag: select sessions"_s,
        this);
    hint->setWordWrap(true);
    window->addWidget(hint);
    auto* row = new QHBoxLayout;
    window->addLayout(row);
    row->addStretch(1);
    connect(addCommandButton(row, u"Show &All"_s, 1200), &ThreedCommand::clicked, this,
            &TeamChart::showAll);
    connect(addCommandButton(row, u"&Copy Image"_s, 1500), &ThreedCommand::clicked, this,
            &TeamChart::copyImage);
    connect(addCommandButton(row, u"&Save Image…"_s, 1500), &ThreedCommand::clicked, this,
            &TeamChart::saveImage);
    connect(addCommandButton(row, u"&Rules…"_s, 1200), &ThreedCommand::clicked, this,
            &TeamChart::chooseRules);
    createActions();
    ThreedCommand* report = addCommandButton(row, u"Re&port…"_s, 1200);
    connect(report, &ThreedCommand::clicked, this, [this, report] {
        QMenu menu(this);
        menu.addActions(reportActions);
        menu.exec(report->mapToGlobal(QPoint(0, report->height())));
    });
    TavoBAS::ApplyWindowStyle(this);

    for (ControlPlot* plot : {individuals, ranges}) {
        connect(plot->view(), &ZoomChartView::xRangeRequested, this, &TeamChart::showRange);
        connect(plot->view(), &ZoomChartView::pointerAt, this,
                [this, plot](const QPointF& at, const QPoint& global) {
                    showPointInfo(plot, at, global);
                });
    }
    connect(individuals->view(), &ZoomChartView::clickedAt, this, &TeamChart::clickedAt);
    connect(expectation, &ExpectationPage::sessionClicked, this, &TeamChart::sessionClicked);
    connect(expectation, &ExpectationPage::sessionsPicked, this, &TeamChart::sessionsPicked);
}

void TeamChart::createActions() {
    const auto action = [this](const QString& text, const QKeySequence& key, auto slot) {
        auto* act = new QAction(text, this);
        act->setShortcut(key);
        connect(act, &QAction::triggered, this, slot);
        addAction(act);
        for (ControlPlot* plot : {individuals, ranges})
            plot->view()->addAction(act);
        return act;
    };
    QAction* copy = action(u"Copy Image"_s, QKeySequence::Copy, &TeamChart::copyImage);
    QAction* save = action(u"Save Image…"_s, QKeySequence::Save, &TeamChart::saveImage);
    action(u"Show All"_s, Qt::Key_Home, &TeamChart::showAll);
    action(u"Rules…"_s, {}, &TeamChart::chooseRules);
    reportActions = {
        action(u"Save Report…"_s, Qt::CTRL | Qt::SHIFT | Qt::Key_S, &TeamChart::saveReport),
        action(u"Print…"_s, QKeySequence::Print, &TeamChart::printReport),
        action(u"Export Data…"_s, Qt::CTRL | Qt::SHIFT | Qt::Key_E, &TeamChart::exportData)};
    for (ControlPlot* plot : {individuals, ranges}) {
        connect(plot->view(), &ZoomChartView::menuRequested, this,
                [this, plot](std::optional<QPointF> at, const QPoint& global) {
                    menuAt(plot, at, global);
                });
        connect(plot->view(), &ZoomChartView::spanPicked, this,
                [this, plot](double from, double to, bool done) {
                    // Session s stands at x = s + 1 above and its range at x = s below.
                    const double offset = plot == individuals ? 1 : 0;
                    const auto first = qsizetype(std::max(0.0, std::ceil(from - offset)));
                    const auto last = std::min(sessions ? sessions->sessionCount() - 1 : -1,
                                               qsizetype(std::floor(std::min(to - offset, 1e18))));
                    if (done && analysis && !outdated && last >= first)
                        emit sessionsPicked({first, last - first + 1});
                });
    }
    ZoomChartView* expectationView = expectation->plot()->view();
    expectationView->addActions({copy, save});
    connect(expectationView, &ZoomChartView::menuRequested, this,
            [this, expectationView](std::optional<QPointF>, const QPoint& global) {
                QMenu menu(this);
                menu.addActions(expectationView->actions());
                menu.exec(global);
            });
}

// At a point, the menu is about its session; from the keyboard, about the session selected.
void TeamChart::menuAt(ControlPlot* plot, std::optional<QPointF> at, const QPoint& global) {
    std::optional<qsizetype> session;
    if (analysis && !outdated && at)
        if (const std::optional<qsizetype> near = plot->valueNear(*at))
            session = plot == individuals ? *near : *near + 1;
    emit sessionMenuRequested(session, global, actions());
}

void TeamChart::chooseRules() {
    RulesDialog dialog(analysis ? analysis->rulesRun() : savedRules(), this);
    if (dialog.exec() == QDialog::Accepted)
        emit rulesChosen(dialog.chosen());
}

void TeamChart::showAnalysis(std::shared_ptr<const SessionTable> table,
                             std::shared_ptr<const Analysis> analysed) {
    sessions = std::move(table);
    // The plots draw the old analysis until each is given the new one.
    const std::shared_ptr<const Analysis> previous = std::exchange(analysis, std::move(analysed));
    outdated = false;
    const double fullTo = double(analysis->rates().size()) + 0.5;
    individuals->setSeries(analysis->rates(), 1, analysis->rulesOfSessions(), ruleMarks(),
                           individualsLines(analysis->phases()), 0.5, fullTo);
    ranges->setSeries(analysis->movingRanges(), 2, analysis->rangeMarks(), rangeMarks,
                      rangeLines(analysis->phases()), 0.5, fullTo);
    title->setText(titleText(totalsOf(sessions->values), *analysis));
    expectation->showSessions(sessions);
    phaseTable->setBody(phaseRows(analysis));
    phaseTable->setMaximumHeight(phaseTableHeight(
        phaseTable, int(std::min<std::size_t>(analysis->phases().size(), phasesInSight))));
    QList<QPair<double, double>> baselines;
    QList<double> starts;
    for (const Phase& phase : analysis->phases()) {
        if (phase.first > 0)
            starts.append(double(phase.first) + 0.5);
        if (phase.lock)
            baselines.append({double(phase.first) + 0.5, double(*phase.lock) + 1.5});
    }
    for (ControlPlot* plot : {individuals, ranges}) {
        plot->view()->setTintedSpans(baselines);
        plot->view()->setDividers(starts);
    }
    const std::span<const qsizetype> leftOut = analysis->leftOutSessions();
    individuals->setHollow({leftOut.begin(), leftOut.end()});
    showRange(0.5, fullTo);
    alignPlotsSoon();
    for (ControlPlot* plot : {individuals, ranges})
        plot->view()->setCoverText({});
    shadeSessions({}, {});
}

bool TeamChart::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize)
        alignPlotsSoon();
    return QWidget::eventFilter(watched, event);
}

// Once both plots have their new size and labels.
void TeamChart::alignPlotsSoon() {
    if (!std::exchange(aligning, true))
        QMetaObject::invokeMethod(this, &TeamChart::alignPlots, Qt::QueuedConnection);
}

// Each chart lays itself out around its own axis labels; then the one with the narrower labels
// gets that much more margin, so that a session stands at the same place in both.
void TeamChart::alignPlots() {
    aligning = false;
    double left = 0, right = QWIDGETSIZE_MAX;
    for (ControlPlot* plot : {individuals, ranges}) {
        plot->chart()->setMargins(plotMargins + QMargins(0, 0, plot->view()->lineLabelWidth(), 0));
        plot->chart()->layout()->invalidate();
        plot->chart()->layout()->activate();
        left = std::max(left, plot->chart()->plotArea().left());
        right = std::min(right, plot->chart()->plotArea().right());
    }
    for (ControlPlot* plot : {individuals, ranges}) {
        const QRectF own = plot->chart()->plotArea();
        plot->chart()->setMargins(plot->chart()->margins() +
                                  QMargins(int(std::lround(left - own.left())), 0,
                                           int(std::lround(own.right() - right)), 0));
    }
}

void TeamChart::showOutdated(const QString& note) {
    outdated = true;
    QToolTip::hideText();
    const QString cover = note.isEmpty() ? u"Press Analyze"_s : u"Press Analyze\n"_s + note;
    for (ControlPlot* plot : {individuals, ranges})
        plot->view()->setCoverText(cover);
    expectation->showCover(cover);
}

void TeamChart::showSelectedSessions(std::optional<SessionSpan> span) {
    if (!outdated)
        expectation->showSpan(span);
}

void TeamChart::showAll() {
    (pages->currentWidget() == plots ? individuals->view() : expectation->plot()->view())
        ->showAll();
}

QWidget* TeamChart::picture() const {
    return pages->currentWidget() == plots ? plots : expectation->picture();
}

void TeamChart::shadeSessions(const QList<SessionSpan>& runs, SessionSpan current) {
    QList<QPair<double, double>> spans;
    spans.reserve(runs.size());
    for (const SessionSpan& run : runs)
        spans.append({double(run.first) + 0.5, double(run.first + run.count) + 0.5});
    for (ControlPlot* plot : {individuals, ranges})
        plot->view()->setShadedSpans(spans);
    const double first = double(current.first) + 0.5, last = first + double(current.count);
    if (current.count == 0 || (first >= shownFrom && last <= shownTo))
        return;
    const double width = std::max(shownTo - shownFrom, double(current.count) + 2);
    const double middle = (first + last) / 2;
    individuals->view()->requestRange(middle - width / 2, middle + width / 2);
}

void TeamChart::showRange(double from, double to) {
    shownFrom = from;
    shownTo = to;
    individuals->showRange(from, to);
    ranges->showRange(from, to);
}

void TeamChart::showPointInfo(ControlPlot* plot, const QPointF& at, const QPoint& globalPosition) {
    const std::optional<qsizetype> near =
        analysis && !outdated ? plot->valueNear(at) : std::nullopt;
    if (!near) {
        QToolTip::hideText();
        return;
    }
    QString info = sessionInfo(plot == individuals ? *near : *near + 1);
    if (plot == ranges) {
        const auto range = std::size_t(*near);
        info += u"\nMoving range: "_s + wholeNumberText(analysis->movingRanges()[range]);
        if (analysis->rangeMarks()[range])
            info += u", above the range limit"_s;
    }
    QToolTip::showText(globalPosition, info, plot->view());
}

QString TeamChart::sessionInfo(qsizetype session) const {
    return u"Session %1\nWon/Lost: %2    Minutes: %3\nRate: %4 dollars per hour\n%5"_s
        .arg(session + 1)
        .arg(shownCell(sessions->cells.at(session * 2)),
             shownCell(sessions->cells.at(session * 2 + 1)),
             wholeNumberText(analysis->rates()[std::size_t(session)]),
             rulesText(analysis->rulesOfSessions()[std::size_t(session)]));
}

void TeamChart::clickedAt(const QPointF& at) {
    if (!analysis || outdated)
        return;
    if (const std::optional<qsizetype> session = individuals->valueNear(at))
        emit sessionClicked(*session);
}

void TeamChart::copyImage() {
    copyWidgetImage(picture());
}

// Where to write a file of one of these kinds, starting in the folder written to last, else in
// `start`, else in the home folder; empty when the user cancels.
QString TeamChart::askSavePath(const QString& title, const QStringList& filters,
                               const QString& name, QStandardPaths::StandardLocation start) {
    QString& folder = lastFolders[start];
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(start);
        if (!QFileInfo(folder).isDir())
            folder = QDir::homePath();
    }
    QFileDialog dialog(this, title, folder, filters.join(u";;"_s));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(name);
    // A name typed without a suffix gets the chosen type's before the dialog asks whether to
    // replace the file of that name: appended afterwards, it would replace one unasked.
    const auto suffixOf = [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter.section(u"*."_s, 1).chopped(1));
    };
    suffixOf(filters.first());
    connect(&dialog, &QFileDialog::filterSelected, &dialog, suffixOf);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().first();
    folder = QFileInfo(path).absolutePath();
    return path;
}

void TeamChart::showSaveFailure(const QString& text, const QString& details) {
    QMessageBox message(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    message.setInformativeText(details);
    message.exec();
}

void TeamChart::saveImage() {
    const QString path = askSavePath(
        u"Save Image"_s,
        {u"PNG image (*.png)"_s, u"SVG image (*.svg)"_s, u"PDF document (*.pdf)"_s},
        pages->currentWidget() == plots ? u"control-chart.png"_s : u"against-expectation.png"_s,
        QStandardPaths::PicturesLocation);
    if (!path.isEmpty() && !saveWidgetImage(picture(), path))
        showSaveFailure(u"The image could not be saved."_s, QDir::toNativeSeparators(path));
}

TeamReportContent TeamChart::reportContent() {
    // A page not on show is laid out only when shown, and its charts only once their layout
    // requests are handled: shown and laid out for a moment, without a paint, it draws as it
    // would on the screen.
    QWidget* shown = pages->currentWidget();
    pages->setCurrentWidget(shown == plots ? static_cast<QWidget*>(expectation) : plots);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    pages->setCurrentWidget(shown);
    TeamReportContent content;
    content.summary = title->text();
    content.controlCharts = {chartPicture(individuals->view()), chartPicture(ranges->view())};
    content.expectationChart = chartPicture(expectation->plot()->view());
    content.expectationTitle = expectation->title();
    content.figures = expectation->figures();
    const GridBody phases = phaseRows(analysis);
    for (int column = 0; column < phaseTable->model()->columnCount(); ++column)
        content.phaseColumns.append(
            phaseTable->model()->headerData(column, Qt::Horizontal).toString());
    for (int row = 0; row < phases.rows; ++row) {
        QStringList cells;
        for (int column = 0; column < content.phaseColumns.size(); ++column)
            cells.append(phases.text(row, column));
        content.phases.append(cells);
    }
    const QStringList rules = signalRuleIds(analysis->rulesRun());
    content.rules =
        analysis->rulesRun() == allSignalRules
            ? u"All eleven rules: "_s + rules.join(u", "_s)
            : u"%1 of the eleven rules: %2"_s.arg(rules.size()).arg(rules.join(u", "_s));
    content.analysis = analysis;
    return content;
}

// Writes in the background, with a Cancel past half a second; `work` says what went wrong, if
// anything.
void TeamChart::writeInBackground(const QString& label, const QString& failureText,
                                  std::function<QString(const ProgressReport&)> work) {
    writing =
        runInBackground(this, label, std::move(work), [this, failureText](const QString& failure) {
            if (!failure.isEmpty())
                showSaveFailure(failureText, failure);
        });
    connect(writing, &BackgroundJob::ended, this,
            [this, failureText](BackgroundJob::Ending ending) {
                writing->deleteLater();
                writing = nullptr;
                if (ending == BackgroundJob::OutOfMemory)
                    showSaveFailure(failureText, u"Not enough memory"_s);
            });
}

bool TeamChart::canWrite() const {
    return analysis && !outdated && !writing;
}

void TeamChart::saveReport() {
    if (!canWrite())
        return;
    const QString path = askSavePath(u"Save Report"_s, {u"PDF document (*.pdf)"_s},
                                     u"team-report.pdf"_s, QStandardPaths::DocumentsLocation);
    if (path.isEmpty())
        return;
    writeInBackground(u"Writing the report…"_s, u"The report could not be saved."_s,
                      [content = reportContent(), path](const ProgressReport& progress) {
                          const QByteArray document = reportPdf(content, QLocale(), progress);
                          return document.isEmpty() ? QDir::toNativeSeparators(path)
                                                    : saveWholeFile(path, document);
                      });
}

void TeamChart::printReport() {
    if (!canWrite())
        return;
    // At the screen's resolution, as the report's PDF is made.
    auto printer = std::make_shared<QPrinter>(QPrinter::ScreenResolution);
    printer->setPageSize(QPageSize(paperFor(QLocale())));
    QPrintDialog dialog(printer.get(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    writeInBackground(u"Printing the report…"_s, u"The report could not be printed."_s,
                      [content = reportContent(), printer](const ProgressReport& progress) {
                          return paintReport(*printer, content, progress) ? QString()
                                                                          : printer->printerName();
                      });
}

void TeamChart::exportData() {
    if (!canWrite())
        return;
    const QString path =
        askSavePath(u"Export Data"_s, {u"CSV file (*.csv)"_s, u"Tab-separated text (*.tsv)"_s},
                    u"sessions.csv"_s, QStandardPaths::DocumentsLocation);
    if (path.isEmpty())
        return;
    writeInBackground(
        u"Exporting the sessions…"_s, u"The data could not be exported."_s,
        [table = sessions, analysed = analysis, path](const ProgressReport& progress) {
            return saveWholeFile(
                path, sessionDataText(*table, *analysed, separatorForFile(path), progress));
        });
}
