#include "threedoption.h"

#include "designfont.h"

ThreedOption::ThreedOption(QWidget* parent) : QRadioButton(parent) {
    // Out of the Tab chain, yet a mouse click still selects it.
    setFocusPolicy(Qt::ClickFocus);
    // Buttons fill with the Button role by default; BackColor is kept in Window.
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    setFont(designFont());
    connect(this, &QAbstractButton::clicked, this,
            [this](bool checked) { emit optionClicked(index(), checked); });
}

void ThreedOption::focusInEvent(QFocusEvent* event) {
    QRadioButton::focusInEvent(event);
    // Qt makes a focused exclusive button a Tab stop; this one stays out of the chain.
    setFocusPolicy(Qt::ClickFocus);
}

void ThreedOption::setValue(bool value) {
    if (value) {
        setChecked(true);
        emit optionClicked(index(), true);
        return;
    }
    // An exclusive button refuses to be cleared while it is the checked one of its siblings.
    setAutoExclusive(false);
    setChecked(false);
    setAutoExclusive(true);
}
