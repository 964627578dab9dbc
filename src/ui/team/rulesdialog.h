// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/team/signalrules.h"

#include <QDialog>
#include <QList>

class QCheckBox;

// Which signal rules run: a check box for each, with its id and what it hints at, and the two
// usual choices a click away.
class RulesDialog : public QDialog {
    Q_OBJECT

public:
    RulesDialog(RuleSet initial, QWidget* parent);
    RuleSet chosen() const;

private:
    void choose(RuleSet rules);

    QList<QCheckBox*> boxes;
};

// The rules the user chose last time, all eleven when none was ever chosen.
RuleSet savedRules();
void saveRules(RuleSet rules);
// Nothing for all eleven; otherwise "Rules 1, 4a, 4b".
QString rulesChosenText(RuleSet rules);
