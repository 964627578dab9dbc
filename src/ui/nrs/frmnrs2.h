// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/nrs/calcnrs.h"

#include <QDialog>
#include <array>
#include <map>

class QButtonGroup;
class QLineEdit;
class ThreedCommand;
class ThreedOption;
class ThreedPanel;

// The NRS Calculator: four sizes and a cutting situation in, the pseudo-decks n, the multiplier r
// and the adjustment f out. Each situation shows only the rows it uses.
class frmNRS2 : public QDialog {
    Q_OBJECT

public:
    explicit frmNRS2(QWidget* parent = nullptr);

    void optP_Click(int Index, bool Value);
    void SSSave_Click();
    void cmdOptOK_Click();

private:
    void createControls();
    void addInputRow(int captionIndex, const QString& caption, int fieldIndex, int topTwips);
    void addResultRow(int captionIndex, const QString& caption, int resultIndex, int topTwips);
    void orderTabs();
    void connectControls();
    void addKeys();
    QString shownResults() const;
    void showRowsOf(Situation situation);
    Situation selectedSituation() const;
    void Form_Load();

    // Control arrays by their design index; the row captions use 0 to 5 and 20.
    std::map<int, ThreedPanel*> Panel3D6;
    std::array<QLineEdit*, 4> NRSText{};
    std::array<ThreedOption*, 3> optP{};
    QButtonGroup* situations = nullptr;
    std::array<ThreedPanel*, 3> SSPanel1{};
    ThreedCommand* SSSave = nullptr;
    ThreedCommand* cmdOptOK = nullptr;
};
