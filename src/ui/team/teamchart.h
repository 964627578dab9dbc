// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/team/analysis.h"
#include "ui/team/teamreport.h"

#include <QHash>
#include <QStandardPaths>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class BackgroundJob;
class ControlPlot;
class ExpectationPage;
class FlexGrid;
class QAction;
class QLabel;
class QTabWidget;

// The control chart of the last analysis: the rates against their lines above, the moving
// ranges below, on one x axis the user zooms and pans. Points in a signal's window are marked;
// hovering a point tells its session, clicking it asks for that session to be selected. A second
// page sets the same sessions against what the game should have given.
class TeamChart : public QWidget {
    Q_OBJECT

public:
    explicit TeamChart(QWidget* owner);

    // Draws an analysis of these sessions, no longer greyed out.
    void showAnalysis(std::shared_ptr<const SessionTable> sessions,
                      std::shared_ptr<const Analysis> analysis);
    // Greys the chart out until the next analysis, saying why when there is more to it.
    void showOutdated(const QString& note = {});
    // Shades the sessions of the chosen result lines, and brings the window of `current` into
    // view when it is among them.
    void shadeSessions(const QList<SessionSpan>& runs, SessionSpan current);
    // The sessions selected in the table, which the expectation's figures are also given for.
    void showSelectedSessions(std::optional<SessionSpan> span);

    void copyImage();
    void saveImage();
    // The analysis, its charts and figures as a PDF, on paper, and the sessions as a CSV file.
    void saveReport();
    void printReport();
    void exportData();
    // What a report of the analysis holds, its charts laid out as on the screen.
    TeamReportContent reportContent();

signals:
    void sessionClicked(qsizetype session); // 0-based
    void sessionsPicked(SessionSpan span);  // by a Shift+drag across a chart
    // A menu asked for at a session, or at none in particular, to hold these actions as well.
    void sessionMenuRequested(std::optional<qsizetype> session, const QPoint& at,
                              const QList<QAction*>& more);
    void rulesChosen(RuleSet rules);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void alignPlotsSoon();
    void alignPlots();
    void showRange(double from, double to);
    void showPointInfo(ControlPlot* plot, const QPointF& at, const QPoint& globalPosition);
    void clickedAt(const QPointF& at);
    QString sessionInfo(qsizetype session) const;
    void createActions();
    void menuAt(ControlPlot* plot, std::optional<QPointF> at, const QPoint& global);
    void chooseRules();
    void showAll();
    QWidget* picture() const;
    QString askSavePath(const QString& title, const QStringList& filters, const QString& name,
                        QStandardPaths::StandardLocation start);
    void showSaveFailure(const QString& text, const QString& details);
    void writeInBackground(const QString& label, const QString& failureText,
                           std::function<QString(const ProgressReport&)> work);
    bool canWrite() const;

    ControlPlot* individuals;
    ControlPlot* ranges;
    QWidget* plots;
    ExpectationPage* expectation;
    QTabWidget* pages;
    QLabel* title;
    FlexGrid* phaseTable;
    std::shared_ptr<const SessionTable> sessions;
    std::shared_ptr<const Analysis> analysis;
    bool outdated = false;
    bool aligning = false; // plots to be aligned once both have their new size
    double shownFrom = 0, shownTo = 1;
    // The folder each kind of file was last written to, where its dialog starts next time.
    QHash<QStandardPaths::StandardLocation, QString> lastFolders;
    QList<QAction*> reportActions;    // which the Report button's menu holds
    BackgroundJob* writing = nullptr; // a report or data being written, if any
};
