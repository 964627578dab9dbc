// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/team/expectationpage.h"

#include "core/common/wholenumber.h"
#include "ui/controls/zoomchartview.h"
#include "ui/team/expectationplot.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString evKey = u"expectation/ev"_s;
const QString sdKey = u"expectation/sd"_s;
const QString unitKey = u"expectation/perHundredHands"_s;
const QString speedKey = u"expectation/speed"_s;
// Lines of figures the page leaves room for: two blocks of five and a blank between.
constexpr int figureLines = 11;
constexpr int figureLinesAtLeast = 3;

// A field with its caption, which names it for a screen reader and takes its access key.
std::pair<QLabel*, QLineEdit*> addField(QHBoxLayout* row, const QString& caption,
                                        const QString& name, const QString& example) {
    auto* label = new QLabel(caption, row->parentWidget());
    auto* field = new QLineEdit(row->parentWidget());
    field->setObjectName(name);
    field->setPlaceholderText(example);
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(u"0"_s) * 12);
    label->setBuddy(field);
    row->addWidget(label);
    row->addWidget(field);
    return {label, field};
}

QString sessionsText(SessionSpan span) {
    return span.count == 1 ? u"Session %1"_s.arg(span.first + 1)
                           : u"Sessions %1–%2"_s.arg(span.first + 1).arg(span.first + span.count);
}

} // namespace

ExpectationPage::ExpectationPage(QWidget* parent) : QWidget(parent) {
    setObjectName(u"ExpectationPage"_s);
    auto* page = new QVBoxLayout(this);
    auto* fields = new QHBoxLayout;
    page->addLayout(fields);
    evField = addField(fields, u"&Win rate:"_s, u"EVField"_s, u"75"_s).second;
    sdField = addField(fields, u"&Standard deviation:"_s, u"SDField"_s, u"813"_s).second;
    unitChoice = new QComboBox(this);
    unitChoice->setObjectName(u"UnitChoice"_s);
    unitChoice->setAccessibleName(u"Unit"_s);
    unitChoice->addItems({u"per hour"_s, u"per 100 hands"_s});
    fields->addWidget(unitChoice);
    std::tie(speedLabel, speedField) =
        addField(fields, u"&Hands an hour:"_s, u"SpeedField"_s, u"100"_s);
    fields->addStretch(1);
    problems = new QLabel(this);
    problems->setObjectName(u"Problems"_s);
    problems->setAccessibleName(u"Problems"_s);
    problems->setStyleSheet(u"color: #b00020"_s);
    // Shown only when there is something to say, in room kept for it, so the chart stays put.
    QSizePolicy keptRoom = problems->sizePolicy();
    keptRoom.setRetainSizeWhenHidden(true);
    problems->setSizePolicy(keptRoom);
    page->addWidget(problems);

    // In every copied and saved image too, so that the picture says what it is of.
    pictureArea = new QWidget(this);
    auto* picture = new QVBoxLayout(pictureArea);
    picture->setContentsMargins({});
    titleLabel = new QLabel(pictureArea);
    titleLabel->setAlignment(Qt::AlignCenter);
    QFont titleFont = titleLabel->font();
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);
    picture->addWidget(titleLabel);
    chart = new ExpectationPlot(pictureArea);
    chart->view()->setObjectName(u"ExpectationChart"_s);
    chart->view()->setAccessibleName(u"Won against expected"_s);
    // In a small window the chart keeps nine lines' height and the figures below give way,
    // down to three lines that scroll.
    chart->view()->setMinimumHeight(chart->view()->fontMetrics().lineSpacing() * 9);
    picture->addWidget(chart->view(), 1);
    figuresBox = new QPlainTextEdit(pictureArea);
    figuresBox->setObjectName(u"FiguresText"_s);
    figuresBox->setAccessibleName(u"Figures"_s);
    figuresBox->setReadOnly(true);
    const auto linesHigh = [this](int lines) {
        return figuresBox->fontMetrics().lineSpacing() * lines + 2 * figuresBox->frameWidth() + 8;
    };
    figuresBox->setMinimumHeight(linesHigh(figureLinesAtLeast));
    figuresBox->setMaximumHeight(linesHigh(figureLines));
    picture->addWidget(figuresBox);
    page->addWidget(pictureArea, 1);

    const QSettings settings;
    evField->setText(settings.value(evKey).toString());
    sdField->setText(settings.value(sdKey).toString());
    unitChoice->setCurrentIndex(settings.value(unitKey).toBool() ? 1 : 0);
    speedField->setText(settings.value(speedKey).toString());
    for (QLineEdit* field : {evField, sdField, speedField})
        connect(field, &QLineEdit::textChanged, this, &ExpectationPage::readEntry);
    connect(unitChoice, &QComboBox::currentIndexChanged, this, &ExpectationPage::readEntry);
    readEntry();

    ZoomChartView* view = chart->view();
    connect(view, &ZoomChartView::xRangeRequested, chart, &ExpectationPlot::showRange);
    connect(view, &ZoomChartView::pointerAt, this, &ExpectationPage::showPointInfo);
    connect(view, &ZoomChartView::spanPicked, this, &ExpectationPage::pickedHours);
    connect(view, &ZoomChartView::clickedAt, this, [this](const QPointF& at) {
        if (const std::optional<qsizetype> session = chart->sessionNear(at))
            emit sessionClicked(*session);
    });
}

// Each change is kept at once, so that the next run starts with the game last entered.
void ExpectationPage::readEntry() {
    const bool perHundredHands = unitChoice->currentIndex() == 1;
    speedLabel->setEnabled(perHundredHands);
    speedField->setEnabled(perHundredHands);
    QSettings settings;
    settings.setValue(evKey, evField->text());
    settings.setValue(sdKey, sdField->text());
    settings.setValue(unitKey, perHundredHands);
    settings.setValue(speedKey, speedField->text());

    const GameReading reading =
        readGame({evField->text(), sdField->text(), speedField->text(), perHundredHands});
    game = reading.rates;
    QStringList said;
    for (auto [field, problem] :
         {std::pair(evField, reading.evProblem), std::pair(sdField, reading.sdProblem),
          std::pair(speedField, reading.speedProblem)}) {
        // A screen reader reads the problem with the field; an empty field says only what to
        // enter.
        field->setToolTip(problem);
        field->setAccessibleDescription(problem);
        if (!problem.isEmpty() && !field->text().trimmed().isEmpty())
            said.append(problem);
    }
    problems->setText(said.join(u" · "_s));
    problems->setVisible(!said.isEmpty());
    titleLabel->setText(
        game ? u"Won against expected: %1 an hour, standard deviation %2 an hour"_s.arg(
                   dollarsText(game->evPerHour), dollarsText(game->sdPerHour))
             : u"Dollars won"_s);
    if (sessions)
        chart->setRecord(&path, game);
    showFigures();
}

void ExpectationPage::showSessions(std::shared_ptr<const SessionTable> table) {
    sessions = std::move(table);
    path = expectationPath(sessions->values);
    span.reset();
    chart->setRecord(&path, game);
    chart->view()->setShadedSpans({});
    chart->view()->setCoverText({});
    showFigures();
}

void ExpectationPage::showSpan(std::optional<SessionSpan> shown) {
    if (!sessions || (shown && (shown->count < 1 || shown->first < 0 ||
                                shown->first + shown->count > sessions->sessionCount())))
        shown.reset();
    span = shown;
    chart->view()->setShadedSpans(
        span ? QList<QPair<double, double>>{{path.hours[std::size_t(span->first)],
                                             path.hours[std::size_t(span->first + span->count)]}}
             : QList<QPair<double, double>>());
    showFigures();
}

void ExpectationPage::showCover(const QString& text) {
    chart->view()->setCoverText(text);
}

QString ExpectationPage::figures() const {
    return figuresBox->toPlainText();
}

QString ExpectationPage::title() const {
    return titleLabel->text();
}

void ExpectationPage::showFigures() {
    if (!sessions) {
        figuresBox->setPlainText({});
        return;
    }
    if (!game) {
        figuresBox->setPlainText(
            u"Enter the game's win rate and standard deviation above to compare the record "
            u"with what it should have given."_s);
        return;
    }
    const std::span<const SessionValues> all = sessions->values;
    QString text = u"Whole record\n"_s + ::figuresText(expectationFigures(all, *game));
    if (span)
        text += u"\n\n%1\n%2"_s.arg(
            sessionsText(*span),
            ::figuresText(expectationFigures(
                all.subspan(std::size_t(span->first), std::size_t(span->count)), *game)));
    figuresBox->setPlainText(text);
}

void ExpectationPage::showPointInfo(const QPointF& at, const QPoint& globalPosition) {
    const std::optional<qsizetype> session = sessions ? chart->sessionNear(at) : std::nullopt;
    if (!session) {
        QToolTip::hideText();
        return;
    }
    const auto end = std::size_t(*session + 1);
    QString info = u"Session %1 · %2 hours played\nWon so far: %3"_s.arg(
        QString::number(*session + 1), QLocale().toString(path.hours[end], 'f', 1),
        dollarsText(path.won[end]));
    if (game)
        info += u"\nExpected so far: %1"_s.arg(dollarsText(bandEdge(*game, path.hours[end], 0)));
    QToolTip::showText(globalPosition, info, chart->view());
}

// The sessions that end within the hours picked.
void ExpectationPage::pickedHours(double from, double to, bool done) {
    if (!sessions)
        return;
    const auto ends = std::span(path.hours).subspan(1);
    const auto first = std::ranges::lower_bound(ends, from) - ends.begin();
    const auto last = std::ranges::upper_bound(ends, to) - ends.begin() - 1;
    const std::optional<SessionSpan> picked =
        last >= first ? std::optional(SessionSpan{first, last - first + 1}) : std::nullopt;
    showSpan(picked);
    if (done && picked)
        emit sessionsPicked(*picked);
}
