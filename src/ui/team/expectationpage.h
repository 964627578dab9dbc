// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/team/analysis.h"
#include "core/team/expectation.h"

#include <QWidget>
#include <memory>
#include <optional>

class ExpectationPlot;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// A record against what the game should have given: the user enters the game's win rate and
// standard deviation, remembered from run to run; the page draws the dollars won against the
// expected win and its bands, and says in words how likely luck alone is to end that far off, for
// the whole record and for the sessions selected.
class ExpectationPage : public QWidget {
    Q_OBJECT

public:
    explicit ExpectationPage(QWidget* parent);

    void showSessions(std::shared_ptr<const SessionTable> table);
    // The sessions the figures are also given for; none for the whole record only.
    void showSpan(std::optional<SessionSpan> span);
    void showCover(const QString& text);

    // What a copied or saved image of the page holds: its chart and its figures.
    QWidget* picture() const { return pictureArea; }
    ExpectationPlot* plot() const { return chart; }
    // The figures as the page shows them, and what its chart is of.
    QString figures() const;
    QString title() const;

signals:
    void sessionClicked(qsizetype session); // 0-based
    void sessionsPicked(SessionSpan span);

private:
    void readEntry();
    void showFigures();
    void showPointInfo(const QPointF& at, const QPoint& globalPosition);
    void pickedHours(double from, double to, bool done);

    QLineEdit* evField;
    QLineEdit* sdField;
    QComboBox* unitChoice;
    QLabel* speedLabel;
    QLineEdit* speedField;
    QLabel* problems;
    QWidget* pictureArea;
    QLabel* titleLabel;
    ExpectationPlot* chart;
    QPlainTextEdit* figuresBox;

    std::shared_ptr<const SessionTable> sessions;
    ExpectationPath path;
    std::optional<GameRates> game;
    std::optional<SessionSpan> span;
};
