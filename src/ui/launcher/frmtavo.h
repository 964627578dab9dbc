// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class ThreedCommand;

// The launcher: opens the two tools, each modally and afresh, and ends the program when closed.
class frmTavo : public QWidget {
    Q_OBJECT

public:
    explicit frmTavo(QWidget* parent = nullptr);

    void SSCommand1_Click(int Index);
    void cmdOptOK_Click();

private:
    void createControls();
    void Form_Load();
    void centreOnScreen();
};
