// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/team/rulesdialog.h"

#include "ui/controls/threedcommand.h"
#include "ui/style/windowstyle.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString rulesKey = u"analysis/rules"_s;

// What each rule looks for, and what that may mean at the table, in the rules' order.
const char16_t* const meanings[] = {
    u"A rate beyond the limits",
    u"2 of 3 beyond Sigma 2: over-betting?",
    u"3 of 4 nearer a limit than the centre: over-betting?",
    u"4 of 5 above Sigma 1: cheating?",
    u"4 of 5 below Sigma 1: stealing?",
    u"6 in a row rising",
    u"6 in a row falling",
    u"7 of 8 above the centre",
    u"7 of 8 below the centre",
    u"8 in a row outside Sigma 1: over-protection?",
    u"15 in a row inside Sigma 1: afraid to bet max?",
};
static_assert(std::size(meanings) == signalRuleCount);

} // namespace

RulesDialog::RulesDialog(RuleSet initial, QWidget* parent) : QDialog(parent) {
    setWindowTitle(u"Rules"_s);
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(u"Signal rules that the analysis runs:"_s, this));
    for (int rule = 0; rule < signalRuleCount; ++rule) {
        auto* box = new QCheckBox(
            u"%1 — %2"_s.arg(signalRuleId(rule), QString::fromUtf16(meanings[rule])), this);
        column->addWidget(box);
        boxes.append(box);
    }
    choose(initial);

    auto* presets = new QHBoxLayout;
    column->addLayout(presets);
    connect(addCommandButton(presets, u"All &Eleven"_s, 1500), &ThreedCommand::clicked, this,
            [this] { choose(allSignalRules); });
    connect(addCommandButton(presets, u"&Limits Only (Rule 1)"_s, 2400), &ThreedCommand::clicked,
            this, [this] { choose(beyondLimitsRule); });
    presets->addStretch();
    auto* answers = new QHBoxLayout;
    column->addLayout(answers);
    answers->addStretch();
    auto* ok = addCommandButton(answers, u"OK"_s);
    connect(ok, &ThreedCommand::clicked, this, &QDialog::accept);
    // With no rule at all, every table would give "No signals".
    const auto allowOk = [this, ok] {
        ok->setEnabled(chosen() != 0);
        ok->setToolTip(chosen() ? QString() : u"Choose at least one rule"_s);
    };
    for (QCheckBox* box : std::as_const(boxes))
        connect(box, &QCheckBox::toggled, this, allowOk);
    allowOk();
    connect(addCommandButton(answers, u"Cancel"_s), &ThreedCommand::clicked, this,
            &QDialog::reject);
    TavoBAS::ApplyWindowStyle(this);
}

RuleSet RulesDialog::chosen() const {
    RuleSet rules = 0;
    for (int rule = 0; rule < signalRuleCount; ++rule)
        if (boxes[rule]->isChecked())
            rules |= RuleSet(1u << rule);
    return rules;
}

void RulesDialog::choose(RuleSet rules) {
    for (int rule = 0; rule < signalRuleCount; ++rule)
        boxes[rule]->setChecked(rules & (1u << rule));
}

RuleSet savedRules() {
    const QSettings settings;
    if (!settings.contains(rulesKey))
        return allSignalRules;
    const QStringList ids = settings.value(rulesKey).toStringList();
    RuleSet rules = 0;
    for (int rule = 0; rule < signalRuleCount; ++rule)
        if (ids.contains(signalRuleId(rule)))
            rules |= RuleSet(1u << rule);
    return rules;
}

void saveRules(RuleSet rules) {
    QSettings().setValue(rulesKey, signalRuleIds(rules));
}

QString rulesChosenText(RuleSet rules) {
    if (rules == allSignalRules)
        return {};
    return u"Rules "_s + signalRuleIds(rules).join(u", "_s);
}
