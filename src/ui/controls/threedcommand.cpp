// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/threedcommand.h"

#include "ui/controls/buttonface.h"
#include "ui/controls/designfont.h"
#include "ui/controls/twipsgeometry.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

namespace {

// The face leaves a sliver of the button's own colour at either end.
constexpr qreal faceEndMargin = 2.0;
const QColor captionColour = Qt::black;
const QColor disabledCaptionColour(128, 112, 96);
const QColor focusFrameColour(96, 48, 8);

ThreedCommand* makeCommandButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new ThreedCommand(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setFontBold(true);
    return button;
}

} // namespace

ThreedCommand::ThreedCommand(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setFont(designFont());
}

QSize ThreedCommand::sizeHint() const {
    // Room around the caption for the face's rounded ends and bevel.
    const QSize caption = fontMetrics().size(Qt::TextShowMnemonic, text());
    return caption + QSize(24, 12);
}

void ThreedCommand::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backColor());
    const QRectF face = QRectF(rect()).adjusted(faceEndMargin, 0, -faceEndMargin, 0);
    paintButtonFace(painter, face, {isDown(), hasFocus(), isEnabled()});

    const bool underline = style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this);
    const int flags = Qt::AlignCenter | (underline ? Qt::TextShowMnemonic : Qt::TextHideMnemonic);
    // A pressed caption sinks with the face.
    const QRect captionRect = isDown() ? rect().translated(1, 1) : rect();
    painter.setPen(isEnabled() ? captionColour : disabledCaptionColour);
    QRect drawn;
    painter.drawText(captionRect, flags, text(), &drawn);
    if (hasFocus()) {
        painter.setPen(QPen(focusFrameColour, 1, Qt::DotLine));
        painter.drawRect(drawn.adjusted(-3, -1, 2, 0));
    }
}

void ThreedCommand::keyPressEvent(QKeyEvent* event) {
    // QAbstractButton reacts to Space only; a focused button takes Enter as well.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

ThreedCommand* addCommandButton(QWidget* parent, const QString& name, const QString& caption,
                                int left, int top, int width) {
    ThreedCommand* button = makeCommandButton(parent, name, caption);
    placeInTwips(button, left, top, width, commandButtonHeightTwips);
    return button;
}

ThreedCommand* addCommandButton(QBoxLayout* row, const QString& caption, int width) {
    ThreedCommand* button = makeCommandButton(row->parentWidget(), QString(), caption);
    button->setFixedSize(twipsToSize(button, width, commandButtonHeightTwips));
    row->addWidget(button);
    return button;
}
