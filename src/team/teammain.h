#pragma once

#include "team/analysis.h"

#include <QDialog>
#include <QList>

class FlexGrid;
class QPlainTextEdit;
class ThreedCommand;

// The Team Analysis tool: paste a table of sessions into GG, analyse it, read the signals in GR.
// Selecting a result line selects the sessions it is about.
class TeamMain : public QDialog {
    Q_OBJECT

public:
    explicit TeamMain(QWidget* parent = nullptr);

private:
    void DoAnal(const SessionTable& sessions);
    void Form_Load();
    void SSCommand1_Click();
    void SSCommand2_Click();
    void SSSave_Click();

    void createControls();
    void connectControls();
    void selectSessionsOfResults();
    void copyResults() const;

    ThreedCommand* SSSave;
    FlexGrid* GG;
    ThreedCommand* SSCommand1;
    FlexGrid* GR;
    QPlainTextEdit* Text1;
    ThreedCommand* SSCommand2;

    // The lines in GR in their order, with the sessions of GG each is about; forgotten when a
    // paste replaces those sessions.
    QList<ResultLine> resultLines;
};
