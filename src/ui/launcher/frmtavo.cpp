// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/launcher/frmtavo.h"

#include "ui/controls/threedcommand.h"
#include "ui/controls/threedpanel.h"
#include "ui/controls/twipsgeometry.h"
#include "ui/launcher/displaycolour.h"
#include "ui/nrs/frmnrs2.h"
#include "ui/style/appicon.h"
#include "ui/style/palette.h"
#include "ui/style/windowstyle.h"
#include "ui/team/teammain.h"

#include <QScreen>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int clientWidth = 4680;
constexpr int clientHeight = 3240;
const QString copyrightNotice = u"© 2026 Kelvane Extras. All rights reserved."_s;

struct ToolButton {
    int index;
    QStringView caption;
    int top;
};
constexpr ToolButton toolButtons[] = {{0, u"NRS Calculator", 810}, {1, u"Team Analysis", 1410}};

} // namespace

frmTavo::frmTavo(QWidget* parent) : QWidget(parent) {
    setWindowTitle(u"Kelvane Extras"_s);
    setWindowIcon(TavoBAS::appIcon());
    createControls();
    setFixedSize(twipsToSize(this, clientWidth, clientHeight));
    Form_Load();
    centreOnScreen();
}

// Created in tab order, which Qt takes for the focus chain.
void frmTavo::createControls() {
    for (const ToolButton& tool : toolButtons) {
        auto* button =
            addCommandButton(this, u"SSCommand1"_s, tool.caption.toString(), 1200, tool.top, 2490);
        button->setIndex(tool.index);
        connect(button, &ThreedCommand::clicked, this,
                [this, index = tool.index] { SSCommand1_Click(index); });
    }

    auto* title = makePanel(this, u"text1"_s, 4, u"Select a tool"_s,
                            {.inner = ThreedPanel::Inset, .borderWidth = 1, .bold = true});
    placeInTwips(title, 975, 60, 2895, 525);

    auto* exit = addCommandButton(this, u"cmdOptOK"_s, u"E&xit"_s, 3135, 1965);
    connect(exit, &ThreedCommand::clicked, this, &frmTavo::cmdOptOK_Click);

    auto* copyright = makePanel(this, u"text1"_s, 0, copyrightNotice,
                                {.inner = ThreedPanel::Inset, .borderWidth = 1});
    placeInTwips(copyright, 150, 2565, 4380, 525);
}

void frmTavo::Form_Load() {
    // The decision is taken once per run: only this window fills the palette.
    if (!displayShowsExactly(TavoBAS::fullMainBackColor, screen()->depth()))
        TavoBAS::ReducedPalette = true;
    TavoBAS::InitPalette();
    TavoBAS::ApplyWindowStyle(this);
}

void frmTavo::centreOnScreen() {
    // The frame the platform adds is known only once the native window exists.
    create();
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
}

void frmTavo::SSCommand1_Click(int Index) {
    // Each tool is built afresh for every opening and gone once closed.
    if (Index == 0) {
        frmNRS2 tool(this);
        tool.exec();
    }
    if (Index == 1) {
        TeamMain tool(this);
        tool.exec();
    }
}

void frmTavo::cmdOptOK_Click() {
    close();
}
