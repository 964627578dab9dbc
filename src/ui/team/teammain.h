// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/team/analysis.h"

#include <QDialog>
#include <memory>
#include <optional>
#include <utility>

class BackgroundJob;
class QAction;
class FlexGrid;
class QPlainTextEdit;
class TeamChart;
class ThreedCommand;

// The Team Analysis tool: paste a table of sessions into GG, analyse it, read the signals in GR.
// Selecting a result line selects the sessions it is about. A long paste or analysis runs in the
// background, and can be cancelled. The control chart of the analysis opens in a window of its
// own, linked with the results both ways.
class TeamMain : public QDialog {
    Q_OBJECT

public:
    explicit TeamMain(QWidget* parent = nullptr);

private:
    void DoAnal();
    void Form_Load();
    void SSCommand1_Click();
    void SSCommand2_Click();
    void SSSave_Click();
    void SSChart_Click();

    void createControls();
    void connectControls();
    // Keeps the window to one job at a time, and says when a job ran out of memory.
    void track(BackgroundJob* started);
    void showSessions(SessionTable pasted);
    void showResults(std::shared_ptr<const SessionTable> analysed, Analysis analysis);
    void showMessage(const QString& text, const QString& informativeText = {});
    std::pair<QList<SessionSpan>, SessionSpan> sessionsOfSelectedLines() const;
    void selectSessionsOfResults();
    void copyResults();
    void selectSession(qsizetype session);
    void selectSessions(SessionSpan span);
    std::optional<SessionSpan> selectedSessions() const;
    void showSessionMenu(std::optional<qsizetype> session, const QPoint& at,
                         const QList<QAction*>& more);
    void chooseRules(RuleSet rules);

    ThreedCommand* SSSave;
    FlexGrid* GG;
    ThreedCommand* SSCommand1;
    FlexGrid* GR;
    QPlainTextEdit* Text1;
    ThreedCommand* SSCommand2;
    ThreedCommand* SSChart;
    TeamChart* chart = nullptr; // made when first asked for

    // What GG shows, and the analysis behind the lines in GR. The lines stay when a paste
    // replaces the sessions they are about, but no longer select any.
    std::shared_ptr<const SessionTable> sessions;
    std::shared_ptr<const Analysis> analysis;
    std::shared_ptr<const SessionTable> analysedSessions;
    bool resultsLinked = false;
    // How the next analysis judges the sessions.
    AnalysisSettings settings;
    BackgroundJob* job = nullptr; // the paste or analysis running, if any
};
