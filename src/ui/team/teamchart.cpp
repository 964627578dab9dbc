// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/team/teamchart.h"

#include "core/common/wholenumber.h"
#include "ui/controls/threedcommand.h"
#include "ui/controls/twipsgeometry.h"
#include "ui/controls/widgetimage.h"
#include "ui/controls/zoomchartview.h"
#include "ui/style/appicon.h"
#include "ui/style/windowstyle.h"
#include "ui/team/controlplot.h"

#include <QAction>
#include <QChart>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QMessageBox>
#include <QStandardPaths>
#include <QToolTip>
#include <QVBoxLayout>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int windowWidthTwips = 13500;
constexpr int windowHeightTwips = 9750;
// The upper limit of the moving ranges, in average moving ranges.
constexpr double rangeLimitFactor = 3.268;
const QMargins plotMargins(4, 4, 4, 4);
// A cell longer than this is cut in a tooltip.
constexpr qsizetype shownCellLength = 40;

const QColor centreColour(20, 120, 40);
const QColor limitColour(200, 30, 30);
const QColor sigma2Colour(150, 90, 160);
const QColor sigma1Colour(110, 110, 110);

QList<ChartLine> individualsLines(const ChartLines& c) {
    return {{u"Mean"_s, c.Mean, Qt::SolidLine, centreColour},
            {u"UCL"_s, c.UCL, Qt::DashLine, limitColour},
            {u"LCL"_s, c.LCL, Qt::DashLine, limitColour},
            {u"USig2"_s, c.USig2, Qt::DotLine, sigma2Colour},
            {u"LSig2"_s, c.LSig2, Qt::DotLine, sigma2Colour},
            {u"USig1"_s, c.USig1, Qt::DotLine, sigma1Colour},
            {u"LSig1"_s, c.LSig1, Qt::DotLine, sigma1Colour}};
}

QList<ChartLine> rangeLines(const ChartLines& c) {
    return {{u"MRBar"_s, c.MRBar, Qt::SolidLine, centreColour},
            {u"URL"_s, c.MRBar * rangeLimitFactor, Qt::DashLine, limitColour}};
}

QString shownCell(QStringView cell) {
    cell = cell.trimmed();
    return cell.size() <= shownCellLength ? cell.toString()
                                          : cell.first(shownCellLength).toString() + u'…';
}

QString rulesText(RuleSet rules) {
    QStringList names;
    for (int rule = 0; rule < signalRuleCount; ++rule)
        if (rules & (1u << rule))
            names << signalRuleId(rule);
    return names.isEmpty() ? u"No signal"_s : u"Signals: "_s + names.join(u", "_s);
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
    individuals = new ControlPlot({}, u"Dollars per hour"_s, u"Rate"_s, plots);
    ranges = new ControlPlot(u"Session"_s, u"Moving range"_s, u"Moving range"_s, plots);
    ranges->chart()->legend()->hide();
    auto* plotColumn = new QVBoxLayout(plots);
    plotColumn->setContentsMargins({});
    plotColumn->setSpacing(0);
    plotColumn->addWidget(individuals->view(), 3);
    plotColumn->addWidget(ranges->view(), 2);
    for (ControlPlot* plot : {individuals, ranges})
        plot->view()->installEventFilter(this);
    individuals->view()->setAccessibleName(u"Rates"_s);
    ranges->view()->setAccessibleName(u"Moving ranges"_s);

    auto* window = new QVBoxLayout(this);
    window->addWidget(plots, 1);
    auto* row = new QHBoxLayout;
    window->addLayout(row);
    auto* hint = new QLabel(u"Wheel or + −: zoom   Drag or ← →: pan   Double-click or Home: "
                            u"show all   Click a point: select its session"_s,
                            this);
    hint->setWordWrap(true);
    row->addWidget(hint, 1);
    connect(addCommandButton(row, u"Show &All"_s, 1200), &ThreedCommand::clicked,
            individuals->view(), &ZoomChartView::showAll);
    connect(addCommandButton(row, u"&Copy Image"_s, 1500), &ThreedCommand::clicked, this,
            &TeamChart::copyImage);
    connect(addCommandButton(row, u"&Save Image…"_s, 1500), &ThreedCommand::clicked, this,
            &TeamChart::saveImage);
    createActions();
    TavoBAS::ApplyWindowStyle(this);

    for (ControlPlot* plot : {individuals, ranges}) {
        connect(plot->view(), &ZoomChartView::xRangeRequested, this, &TeamChart::showRange);
        connect(plot->view(), &ZoomChartView::pointerAt, this,
                [this, plot](const QPointF& at, const QPoint& global) {
                    showPointInfo(plot, at, global);
                });
    }
    connect(individuals->view(), &ZoomChartView::clickedAt, this, &TeamChart::clickedAt);
}

void TeamChart::createActions() {
    const auto action = [this](const QString& text, const QKeySequence& key, auto slot) {
        auto* act = new QAction(text, this);
        act->setShortcut(key);
        connect(act, &QAction::triggered, this, slot);
        addAction(act);
        for (ControlPlot* plot : {individuals, ranges})
            plot->view()->addAction(act);
    };
    action(u"Copy Image"_s, QKeySequence::Copy, &TeamChart::copyImage);
    action(u"Save Image…"_s, QKeySequence::Save, &TeamChart::saveImage);
    action(u"Show All"_s, Qt::Key_Home, [this] { individuals->view()->showAll(); });
    for (ControlPlot* plot : {individuals, ranges})
        plot->view()->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TeamChart::showAnalysis(std::shared_ptr<const SessionTable> table,
                             std::shared_ptr<const Analysis> analysed) {
    sessions = std::move(table);
    analysis = std::move(analysed);
    outdated = false;
    const double fullTo = double(analysis->rates().size()) + 0.5;
    individuals->setSeries(analysis->rates(), 1, analysis->rulesOfSessions(),
                           individualsLines(analysis->lines()), 0.5, fullTo);
    ranges->setSeries(analysis->movingRanges(), 2, {}, rangeLines(analysis->lines()), 0.5, fullTo);
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
        plot->chart()->setMargins(plotMargins);
        plot->chart()->layout()->invalidate();
        plot->chart()->layout()->activate();
        left = std::max(left, plot->chart()->plotArea().left());
        right = std::min(right, plot->chart()->plotArea().right());
    }
    for (ControlPlot* plot : {individuals, ranges}) {
        const QRectF own = plot->chart()->plotArea();
        plot->chart()->setMargins(plotMargins + QMargins(int(std::lround(left - own.left())), 0,
                                                         int(std::lround(own.right() - right)), 0));
    }
}

void TeamChart::showOutdated() {
    outdated = true;
    QToolTip::hideText();
    for (ControlPlot* plot : {individuals, ranges})
        plot->view()->setCoverText(u"Press Analyze"_s);
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
    if (plot == ranges)
        info +=
            u"\nMoving range: "_s + wholeNumberText(analysis->movingRanges()[std::size_t(*near)]);
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
    copyWidgetImage(plots);
}

void TeamChart::saveImage() {
    static const QStringList filters{u"PNG image (*.png)"_s, u"SVG image (*.svg)"_s,
                                     u"PDF document (*.pdf)"_s};
    QString folder = imageFolder;
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        if (!QFileInfo(folder).isDir())
            folder = QDir::homePath();
    }
    QFileDialog dialog(this, u"Save Image"_s, folder, filters.join(u";;"_s));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(u"control-chart.png"_s);
    // A name typed without a suffix gets the chosen type's before the dialog asks whether to
    // replace the file of that name: appended afterwards, it would replace one unasked.
    const auto suffixOf = [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter.section(u"*."_s, 1).chopped(1));
    };
    suffixOf(filters.first());
    connect(&dialog, &QFileDialog::filterSelected, &dialog, suffixOf);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    if (saveWidgetImage(plots, path)) {
        imageFolder = QFileInfo(path).absolutePath();
        return;
    }
    QMessageBox message(QMessageBox::Warning, windowTitle(), u"The image could not be saved."_s,
                        QMessageBox::Ok, this);
    message.setInformativeText(QDir::toNativeSeparators(path));
    message.exec();
}
