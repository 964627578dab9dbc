// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/nrs/frmnrs2.h"

#include "core/nrs/nrsformat.h"
#include "ui/controls/copying.h"
#include "ui/controls/designfont.h"
#include "ui/controls/threedcommand.h"
#include "ui/controls/threedoption.h"
#include "ui/controls/threedpanel.h"
#include "ui/controls/twipsgeometry.h"
#include "ui/style/toolwindow.h"
#include "ui/style/windowstyle.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QShortcut>

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr int clientWidthTwips = 4680;
constexpr int clientHeightTwips = 6090;

constexpr int frameLeftTwips = 585;
constexpr int frameWidthTwips = 3510;
constexpr int frameBorderPixels = 3;

constexpr int optionWidthTwips = 2500;
constexpr int optionHeightTwips = 300;

// A row's caption panel runs on under the field or result laid over its right end.
constexpr int rowCaptionLeftTwips = 810;
constexpr int rowCaptionWidthTwips = 2580;
constexpr int rowHeightTwips = 300;
constexpr int rowValueLeftTwips = 2970;
constexpr int fieldWidthTwips = 900;
constexpr int fieldHeightTwips = 285;
constexpr int resultWidthTwips = 960;
// Result panels stand one pixel higher than their captions.
constexpr int resultRaiseTwips = 15;

ThreedPanel* makeFrame(QWidget* window, int index, const QString& caption, int topTwips,
                       int heightTwips) {
    auto* frame = makePanel(window, u"Panel3d1"_s, index, caption,
                            {.alignment = Qt::AlignLeft | Qt::AlignTop,
                             .outer = ThreedPanel::Inset,
                             .borderWidth = frameBorderPixels,
                             .bold = true});
    placeInTwips(frame, frameLeftTwips, topTwips, frameWidthTwips, heightTwips);
    return frame;
}

ThreedPanel* makeRowCaption(QWidget* window, int index, const QString& caption, int topTwips) {
    auto* panel = makePanel(
        window, u"Panel3D6"_s, index, caption,
        {.alignment = Qt::AlignLeft | Qt::AlignVCenter, .outer = ThreedPanel::None, .bold = true});
    placeInTwips(panel, rowCaptionLeftTwips, topTwips, rowCaptionWidthTwips, rowHeightTwips);
    return panel;
}

ThreedOption* makeOption(ThreedPanel* frame, int index, const QString& caption, int leftTwips,
                         int topTwips) {
    auto* option = new ThreedOption(frame);
    option->setObjectName(u"optP"_s);
    option->setIndex(index);
    option->setText(caption);
    option->setFontBold(true);
    placeInTwips(option, leftTwips, topTwips, optionWidthTwips, optionHeightTwips);
    return option;
}

// The fields stay black on white whatever the window's colours.
QLineEdit* makeField(QWidget* window, int index, int topTwips) {
    auto* field = new QLineEdit(window);
    field->setObjectName(u"NRSText"_s);
    field->setProperty("Index", index);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    field->setPalette(palette);
    placeInTwips(field, rowValueLeftTwips, topTwips, fieldWidthTwips, fieldHeightTwips);
    return field;
}

} // namespace

frmNRS2::frmNRS2(QWidget* parent) : QDialog(parent) {
    // The fields show their text in the window's own font: the design font, regular weight.
    setFont(designFont());
    setUpToolWindow(this, u"NRS Calculate"_s, clientWidthTwips, clientHeightTwips);
    situations = new QButtonGroup(this);
    createControls();
    orderTabs();
    connectControls();
    addKeys();
    NRSText[2]->setFocus();
    Form_Load();
}

void frmNRS2::optP_Click(int Index, bool Value) {
    if (!Value || Index < 0 || Index >= int(optP.size()))
        return;
    showRowsOf(Situation(Index));
}

void frmNRS2::SSSave_Click() {
    const NrsInputs typed = readNrsInputs(NRSText[0]->text(), NRSText[1]->text(),
                                          NRSText[2]->text(), NRSText[3]->text());
    const NrsResult result = CalcNRS(typed.k, typed.q, typed.d, typed.b, selectedSituation());
    // The adjustment is written while hidden too, so a situation that shows it shows it current.
    SSPanel1[0]->setCaption(formatNrsResult(result.n));
    SSPanel1[1]->setCaption(formatNrsResult(result.r));
    SSPanel1[2]->setCaption(formatNrsResult(result.f));
}

void frmNRS2::cmdOptOK_Click() {
    close();
}

// Created back to front: each frame before what lies on it, each row caption before the field or
// result laid over it.
void frmNRS2::createControls() {
    auto* header = makePanel(this, u"text1"_s, 4, u"All fields in cards or decks"_s,
                             {.inner = ThreedPanel::Inset, .bold = true});
    placeInTwips(header, 900, 15, 2895, 525);

    ThreedPanel* situation = makeFrame(this, 4, u"Situation"_s, 570, 1290);
    optP[2] = makeOption(situation, 2, u"Cut rich slug to top"_s, 300, 300);
    optP[0] = makeOption(situation, 0, u"Cut poor slug out"_s, 315, 600);
    optP[1] = makeOption(situation, 1, u"Cut rich slug to middle"_s, 315, 900);
    for (ThreedOption* option : optP)
        situations->addButton(option, option->index());

    makeFrame(this, 0, u"Input fields"_s, 1920, 1680);
    addInputRow(3, u"Shoe size (d)"_s, 2, 2190);
    addInputRow(20, u"Track Zone size (k)"_s, 0, 2535);
    addInputRow(0, u"Play Zone size (q)"_s, 1, 2880);
    addInputRow(4, u"Slug outside the PZ (b)"_s, 3, 3225);
    SSSave = addCommandButton(this, u"SSSave"_s, u"&Calculate"_s, 1755, 3705);

    makeFrame(this, 1, u"Results"_s, 4170, 1350);
    addResultRow(1, u"Pseudo-Decks (n)"_s, 0, 4440);
    addResultRow(2, u"Multiplier (r)"_s, 1, 4785);
    addResultRow(5, u"Adjustment (f)"_s, 2, 5130);
    cmdOptOK = addCommandButton(this, u"cmdOptOK"_s, u"E&xit"_s, 2835, 5595);

    optP[2]->setChecked(true);
    showRowsOf(Situation::CutRichSlugToTop);
}

void frmNRS2::addInputRow(int captionIndex, const QString& caption, int fieldIndex, int topTwips) {
    Panel3D6[captionIndex] = makeRowCaption(this, captionIndex, caption, topTwips);
    NRSText[fieldIndex] = makeField(this, fieldIndex, topTwips);
    // The caption lies beside the field, not on it, so a screen reader would not find it.
    NRSText[fieldIndex]->setAccessibleName(caption);
}

void frmNRS2::addResultRow(int captionIndex, const QString& caption, int resultIndex,
                           int topTwips) {
    Panel3D6[captionIndex] = makeRowCaption(this, captionIndex, caption, topTwips);
    auto* result =
        makePanel(this, u"SSPanel1"_s, resultIndex, QString(), {.outer = ThreedPanel::Inset});
    placeInTwips(result, rowValueLeftTwips, topTwips - resultRaiseTwips, resultWidthTwips,
                 rowHeightTwips);
    // Cut at both ends, a long result would lose its sign and still look like a number.
    result->setShrinkToFit(true);
    // Read by its row's caption like a field, so that it has a name before the first calculation.
    result->setAccessibleName(caption);
    addCopyMenu(result);
    SSPanel1[resultIndex] = result;
}

// The slug field, which only two situations show, follows the buttons.
void frmNRS2::orderTabs() {
    QWidget* const chain[] = {NRSText[2], NRSText[0], NRSText[1], SSSave, cmdOptOK, NRSText[3]};
    for (std::size_t i = 1; i < std::size(chain); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void frmNRS2::connectControls() {
    connect(situations, &QButtonGroup::idClicked, this,
            [this](int Index) { optP_Click(Index, optP[Index]->value()); });
    connect(SSSave, &ThreedCommand::clicked, this, &frmNRS2::SSSave_Click);
    connect(cmdOptOK, &ThreedCommand::clicked, this, &frmNRS2::cmdOptOK_Click);
}

// The situations go by Ctrl+1 to Ctrl+3 from top to bottom, through the same click as the mouse's;
// focus stays in the field being typed in. Ctrl+C copies the results.
void frmNRS2::addKeys() {
    ThreedOption* const topToBottom[] = {optP[2], optP[0], optP[1]};
    for (int row = 0; row < int(std::size(topToBottom)); ++row) {
        ThreedOption* option = topToBottom[row];
        const QKeySequence key(Qt::ControlModifier | Qt::Key(Qt::Key_1 + row));
        option->setToolTip(key.toString(QKeySequence::NativeText));
        option->setAccessibleDescription(option->toolTip());
        connect(new QShortcut(key, this), &QShortcut::activated, option, &ThreedOption::click);
    }
    addWindowCopyKey(this, [this] { return shownResults(); });
}

// The results of the last calculation in full, tab-separated, the adjustment only where it shows.
QString frmNRS2::shownResults() const {
    if (SSPanel1[0]->caption().isEmpty())
        return {}; // nothing calculated yet
    QStringList row;
    for (const ThreedPanel* result : SSPanel1)
        if (!result->isHidden())
            row << result->caption();
    return row.join(u'\t');
}

// Only shows and hides: fields keep their text and results their captions.
void frmNRS2::showRowsOf(Situation situation) {
    const SituationRows shown = rowsShownFor(situation);
    Panel3D6.at(4)->setVisible(shown.slug);
    Panel3D6.at(5)->setVisible(shown.adjustment);
    NRSText[3]->setVisible(shown.slug);
    SSPanel1[2]->setVisible(shown.adjustment);
    Panel3D6.at(20)->setVisible(shown.trackZone);
    NRSText[0]->setVisible(shown.trackZone);
}

// One option is always selected: the window starts with optP(2), and the group is exclusive.
Situation frmNRS2::selectedSituation() const {
    return Situation(situations->checkedId());
}

void frmNRS2::Form_Load() {
    TavoBAS::ApplyWindowStyle(this);
}
