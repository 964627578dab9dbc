// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/accessiblecontrols.h"

#include "ui/controls/threedcommand.h"
#include "ui/controls/threedoption.h"
#include "ui/controls/threedpanel.h"

#include <QAccessibleWidget>
#include <QKeySequence>

namespace {

// The caption as read aloud: without the "&" that marks the access key, "&&" read as "&".
QString spokenCaption(const QString& caption) {
    QString spoken;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && ++i == caption.size())
            break;
        spoken += caption[i];
    }
    return spoken;
}

class AccessiblePanel : public QAccessibleWidget {
public:
    explicit AccessiblePanel(ThreedPanel* panel)
        : QAccessibleWidget(panel, QAccessible::StaticText) {}

    // The caption itself, never the "###" that a shrinking panel may show for it. A panel named
    // by a caption beside it, such as a result, gives its own caption as the description, so
    // that it has a name before it has a value.
    QString text(QAccessible::Text t) const override {
        const bool namedBeside = !widget()->accessibleName().isEmpty();
        const QString caption = static_cast<ThreedPanel*>(widget())->caption();
        if (t == QAccessible::Name && !namedBeside)
            return caption;
        // A shrinking panel's tooltip only repeats the caption.
        if (t == QAccessible::Description)
            return namedBeside ? caption : widget()->accessibleDescription();
        return QAccessibleWidget::text(t);
    }
};

// What the command and option buttons share: the caption as their name and one action, a click.
class AccessibleButton : public QAccessibleWidget {
public:
    AccessibleButton(QAbstractButton* button, QAccessible::Role role, QString clickAction)
        : QAccessibleWidget(button, role), clickAction(std::move(clickAction)) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return spokenCaption(button()->text());
        if (t == QAccessible::Accelerator)
            return QKeySequence::mnemonic(button()->text()).toString(QKeySequence::NativeText);
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        return QStringList{clickAction} + QAccessibleWidget::actionNames();
    }

    QStringList keyBindingsForAction(const QString& action) const override {
        if (action != clickAction)
            return QAccessibleWidget::keyBindingsForAction(action);
        const QString key = text(QAccessible::Accelerator);
        return key.isEmpty() ? QStringList() : QStringList{key};
    }

    void doAction(const QString& action) override {
        if (action != clickAction)
            QAccessibleWidget::doAction(action);
        else if (role() == QAccessible::PushButton)
            // A moment later, so that a press that opens a modal tool answers its caller first.
            button()->animateClick();
        else
            button()->click();
    }

protected:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }

private:
    QString clickAction;
};

class AccessibleCommand : public AccessibleButton {
public:
    explicit AccessibleCommand(ThreedCommand* button)
        : AccessibleButton(button, QAccessible::PushButton, pressAction()) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = button()->isDown();
        return state;
    }
};

class AccessibleOption : public AccessibleButton {
public:
    explicit AccessibleOption(ThreedOption* option)
        : AccessibleButton(option, QAccessible::RadioButton, toggleAction()) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }
};

QAccessibleInterface* accessibleControl(const QString&, QObject* object) {
    if (auto* panel = qobject_cast<ThreedPanel*>(object))
        return new AccessiblePanel(panel);
    if (auto* command = qobject_cast<ThreedCommand*>(object))
        return new AccessibleCommand(command);
    if (auto* option = qobject_cast<ThreedOption*>(object))
        return new AccessibleOption(option);
    return nullptr;
}

} // namespace

void installAccessibleControls() {
    QAccessible::installFactory(accessibleControl);
}
