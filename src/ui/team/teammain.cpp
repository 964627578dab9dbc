// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/team/teammain.h"

#include "core/common/rtftext.h"
#include "core/common/wholenumber.h"
#include "core/team/clipboardoffer.h"
#include "ui/controls/designfont.h"
#include "ui/controls/flexgrid.h"
#include "ui/controls/threedcommand.h"
#include "ui/controls/twipsgeometry.h"
#include "ui/style/toolwindow.h"
#include "ui/style/windowstyle.h"
#include "ui/team/backgroundjob.h"
#include "ui/team/instructions.h"
#include "ui/team/rulesdialog.h"
#include "ui/team/teamchart.h"
#include "ui/team/x11clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelection>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <chrono>
#include <new>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int clientWidthTwips = 11385;
constexpr int clientHeightTwips = 6135;

constexpr int buttonTopTwips = 2655;

// How long a paste waits for a silent clipboard owner: as long as Qt's own reads wait, so that no
// program that pastes into others is given up on sooner.
constexpr std::chrono::seconds clipboardPatience{5};

// Twips of the session grid left free beside each of its two columns.
constexpr float sessionColumnMarginTwips = 195.0f;

// Each session column gets half the grid's width less the room left free beside it.
int sessionColumnTwips(float gridWidthTwips) {
    return int(roundHalfEven(gridWidthTwips / 2.0f - sessionColumnMarginTwips));
}

ThreedCommand* makeButton(QWidget* window, const QString& name, const QString& caption,
                          int leftTwips) {
    return addCommandButton(window, name, caption, leftTwips, buttonTopTwips);
}

// The help as its three paragraphs, wrapped by the box: a line that ends in a blank goes on in
// the next one. The empty lines between them are a third as high, so that all of it shows.
void showInstructions(QPlainTextEdit* box) {
    QString text = teamInstructions;
    box->setPlainText(text.replace(u" \r\n"_s, u" "_s).replace(u"\r\n"_s, u"\n"_s).trimmed());
    QTextCharFormat gap;
    gap.setFontPointSize(box->font().pointSizeF() / 3);
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
        if (block.text().isEmpty())
            QTextCursor(block).setBlockCharFormat(gap);
}

// Lines in three flavours of a copy: plain, one a line; as an HTML table, one a cell; and as RTF,
// a paragraph each. LibreOffice Calc pastes the RTF and Gnumeric the HTML as one cell a line,
// without a dialog: Calc asks how to import any HTML or plain text of several lines, and
// Gnumeric plain text and RTF.
struct CopiedLines {
    QString text;
    QString html;
    QByteArray rtf;
};

CopiedLines copyOfLines(const Analysis& analysis, const QList<qsizetype>& lines,
                        const ProgressReport& progress) {
    CopiedLines copy{{}, u"<table>"_s, rtfStart};
    ProgressSteps steps(progress, lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString text = analysis.lineText(lines[i]);
        if (!copy.text.isEmpty())
            copy.text += u'\n';
        copy.text += text;
        copy.html += u"<tr><td>"_s + text.toHtmlEscaped() + u"</td></tr>"_s;
        copy.rtf += rtfParagraph(text);
        steps.at(i);
    }
    copy.html += u"</table>"_s;
    copy.rtf += rtfEnd;
    return copy;
}

// The rows selected in a grid, in order. The ranges are taken in order so that the rows need no
// sort: selecting every line of a long analysis must not keep the user waiting.
QList<qsizetype> selectedRows(const QItemSelectionModel* selection) {
    QItemSelection ranges = selection->selection();
    std::ranges::sort(ranges, {}, &QItemSelectionRange::top);
    QList<qsizetype> rows;
    for (const QItemSelectionRange& range : std::as_const(ranges))
        for (qsizetype row = rows.isEmpty() ? range.top()
                                            : std::max<qsizetype>(range.top(), rows.last() + 1);
             row <= range.bottom(); ++row)
            rows.append(row);
    return rows;
}

// What the clipboard offers; nothing when an owner offers text but does not send it. A transfer
// that fails or times out leaves the text null, while text of no characters that did arrive is
// empty: that paste was read, and holds no sessions. Asking for the formats first keeps an owner
// that does not answer from being waited for twice.
std::optional<ClipboardOffer> clipboardOffer() {
    const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
    ClipboardOffer offer;
    if (!offered)
        return offer;
    for (const auto& [type, flavour] : ClipboardOffer::richFlavours)
        if (offered->hasFormat(QLatin1StringView(type)))
            offer.*flavour = offered->data(QLatin1StringView(type));
    if (offered->hasText() && (offer.text = offered->text()).isNull())
        return std::nullopt;
    return offer;
}

// Another program's text on an X11 display is read by the paste's job, which can wait for an owner
// that never sends it: Qt would wait on the window's thread, with no busy cursor and no Cancel.
// The program's own text, and the clipboard of other platforms, is read at once.
bool clipboardOfAnotherX11Program() {
    return QGuiApplication::platformName() == u"xcb"_s &&
           !QGuiApplication::clipboard()->ownsClipboard();
}

FlexGrid* makeGrid(QWidget* window, const QString& name, const QString& formatString) {
    auto* grid = new FlexGrid(window);
    grid->setObjectName(name);
    grid->setFormatString(formatString);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    return grid;
}

} // namespace

TeamMain::TeamMain(QWidget* parent) : QDialog(parent) {
    setUpToolWindow(this, u"Team Analysis"_s, clientWidthTwips, clientHeightTwips);
    settings.rules = savedRules();
    createControls();
    connectControls();
    Form_Load();
}

void TeamMain::DoAnal() {
    if (job)
        return;
    GR->setRows(1);
    analysis.reset();
    if (chart)
        chart->showOutdated();
    if (!sessions)
        return;
    track(runInBackground(
        this, u"Analyzing the sessions…"_s,
        [table = sessions, settings = settings](const ProgressReport& progress) {
            return analyseSessions(table->values, settings, progress);
        },
        [this, table = sessions](Analysis results) { showResults(table, std::move(results)); }));
}

void TeamMain::Form_Load() {
    TavoBAS::ApplyWindowStyle(this);
    for (int col : {0, 1})
        GG->setColWidth(col, sessionColumnTwips(float(GG->widthTwips())));
    for (int col : {0, 1})
        GG->setColAlignment(col, FlexGrid::CenterCenter);
}

void TeamMain::SSCommand1_Click() {
    DoAnal();
}

void TeamMain::SSCommand2_Click() {
    close();
}

void TeamMain::SSSave_Click() {
    if (job)
        return;
    GG->setRows(1);
    sessions.reset();
    resultsLinked = false;
    if (chart)
        chart->showOutdated();
    std::optional<ClipboardOffer> offer; // nothing here when the job reads it
    if (!clipboardOfAnotherX11Program()) {
        try {
            offer = clipboardOffer();
        } catch (const std::bad_alloc&) {
            showMessage(u"Not enough memory"_s);
            return;
        }
        if (!offer) {
            showMessage(u"The clipboard could not be read"_s);
            return;
        }
    }
    track(runInBackground(
        this, u"Pasting the sessions…"_s,
        [offer = std::move(offer)](const ProgressReport& progress) -> std::optional<PasteOutcome> {
            const std::optional<ClipboardOffer> pasted =
                offer ? offer : x11ClipboardOffer(progress, clipboardPatience);
            if (!pasted)
                return std::nullopt;
            return pasteOffer(*pasted, QLocale(), progress);
        },
        [this](std::optional<PasteOutcome> outcome) {
            if (!outcome) {
                showMessage(u"The clipboard could not be read"_s);
                return;
            }
            if (outcome->refusal) {
                const PasteMessage message = pasteMessage(*outcome->refusal);
                showMessage(message.text, message.informativeText);
                return;
            }
            showSessions(std::move(outcome->sessions));
        }));
}

void TeamMain::SSChart_Click() {
    if (!chart) {
        chart = new TeamChart(this);
        connect(chart, &TeamChart::sessionClicked, this, &TeamMain::selectSession);
        connect(chart, &TeamChart::sessionMenuRequested, this, &TeamMain::showSessionMenu);
        connect(chart, &TeamChart::rulesChosen, this, &TeamMain::chooseRules);
        connect(chart, &TeamChart::sessionsPicked, this, &TeamMain::selectSessions);
        if (analysis) {
            chart->showAnalysis(analysedSessions, analysis);
            const auto [runs, current] = sessionsOfSelectedLines();
            chart->shadeSessions(runs, current);
            chart->showSelectedSessions(selectedSessions());
        } else {
            chart->showOutdated();
        }
    }
    chart->show();
    chart->raise();
    chart->activateWindow();
}

void TeamMain::track(BackgroundJob* started) {
    job = started;
    connect(job, &BackgroundJob::ended, this, [this](BackgroundJob::Ending ending) {
        job->deleteLater();
        job = nullptr;
        if (ending == BackgroundJob::OutOfMemory)
            showMessage(u"Not enough memory"_s);
    });
}

void TeamMain::showSessions(SessionTable pasted) {
    // A player's sheet with new rows below the old keeps the phases set on the old rows.
    const auto& before = analysedSessions ? analysedSessions->values : std::vector<SessionValues>();
    const bool appended = pasted.values.size() >= before.size() &&
                          std::equal(before.begin(), before.end(), pasted.values.begin());
    if (!appended && settings.hasSessionSettings()) {
        AnalysisSettings cleared;
        cleared.rules = settings.rules;
        settings = cleared;
        if (chart)
            chart->showOutdated(u"Phases cleared: the table changed"_s);
    }
    sessions = std::make_shared<const SessionTable>(std::move(pasted));
    GG->setBody({int(sessions->sessionCount()), [table = sessions](int row, int column) {
                     return table->cells.at(qsizetype(row) * 2 + column).toString();
                 }});
}

void TeamMain::showResults(std::shared_ptr<const SessionTable> analysed, Analysis results) {
    analysis = std::make_shared<const Analysis>(std::move(results));
    analysedSessions = std::move(analysed);
    resultsLinked = true;
    SSChart->setEnabled(true);
    if (chart)
        chart->showAnalysis(analysedSessions, analysis);
    GR->setBody({int(analysis->lineCount()), [lines = analysis](int row, int) {
                     return lines->lineText(row);
                 }});
    // The stretched column fills the grid but never gets narrower than its contents, so a line
    // of many rates scrolls sideways instead of being cut.
    GR->resizeColumnToContents(0);
}

void TeamMain::showMessage(const QString& text, const QString& informativeText) {
    QMessageBox message(QMessageBox::NoIcon, u"Tavo"_s, text, QMessageBox::Ok, this);
    message.setInformativeText(informativeText);
    // Wide enough that the row, column and field read as a sentence, not a narrow column.
    message.setStyleSheet(u"QLabel { min-width: 24em; }"_s);
    message.exec();
}

// Created in tab order, which Qt takes for the focus chain.
void TeamMain::createControls() {
    SSSave = makeButton(this, u"SSSave"_s, u"&Paste"_s, 5000);
    GG = makeGrid(this, u"GG"_s, u"Won/Lost|Minutes"_s);
    GG->setAccessibleName(u"Sessions"_s);
    placeInTwips(GG, 270, 180, 2880, 2985);
    SSCommand1 = makeButton(this, u"SSCommand1"_s, u"&Analyze"_s, 6500);
    GR = makeGrid(this, u"GR"_s, u"Results"_s);
    GR->setAccessibleName(u"Results"_s);
    GR->setStretchLastColumn(true);
    // A single column scrolled by whole columns could never show the end of a long line.
    GR->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    placeInTwips(GR, 75, 3300, 11250, 2640);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(u"Text1"_s);
    Text1->setAccessibleName(u"Instructions"_s);
    Text1->setFont(designFont());
    showInstructions(Text1);
    Text1->setReadOnly(true);
    Text1->setTabChangesFocus(true);
    placeInTwips(Text1, 4080, 540, 6330, 1755);

    SSCommand2 = makeButton(this, u"SSCommand2"_s, u"E&xit"_s, 8000);
    SSChart = makeButton(this, u"SSChart"_s, u"&Chart"_s, 9500);
    SSChart->setEnabled(false);
}

void TeamMain::connectControls() {
    connect(SSSave, &ThreedCommand::clicked, this, &TeamMain::SSSave_Click);
    connect(SSCommand1, &ThreedCommand::clicked, this, &TeamMain::SSCommand1_Click);
    connect(SSCommand2, &ThreedCommand::clicked, this, &TeamMain::SSCommand2_Click);
    connect(SSChart, &ThreedCommand::clicked, this, &TeamMain::SSChart_Click);

    auto* pasteKey = new QShortcut(QKeySequence::Paste, GG);
    pasteKey->setContext(Qt::WidgetShortcut);
    connect(pasteKey, &QShortcut::activated, this, &TeamMain::SSSave_Click);
    auto* copyKey = new QShortcut(QKeySequence::Copy, GR);
    copyKey->setContext(Qt::WidgetShortcut);
    connect(copyKey, &QShortcut::activated, this, &TeamMain::copyResults);

    connect(GR->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TeamMain::selectSessionsOfResults);
    connect(GG->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (chart && sessions == analysedSessions)
            chart->showSelectedSessions(selectedSessions());
    });

    GG->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(GG, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex row = GG->indexAt(at);
        showSessionMenu(row.isValid() ? std::optional<qsizetype>(row.row()) : std::nullopt,
                        GG->viewport()->mapToGlobal(at), {});
    });
    // Shift+F10 opens the menu of the current row as the menu key does, as on other desktops.
    auto* menuKey = new QShortcut(Qt::SHIFT | Qt::Key_F10, GG);
    menuKey->setContext(Qt::WidgetShortcut);
    connect(menuKey, &QShortcut::activated, this, [this] {
        const QRect row = GG->visualRect(GG->currentIndex());
        showSessionMenu(std::nullopt, GG->viewport()->mapToGlobal(row.center()), {});
    });
}

// What can be changed at a session: each of its three settings one way or the other, an action
// that cannot be taken greyed out with the reason as its tooltip. Without a session, the current
// row of the sessions grid is the one.
void TeamMain::showSessionMenu(std::optional<qsizetype> session, const QPoint& at,
                               const QList<QAction*>& more) {
    QMenu menu(this);
    menu.setToolTipsVisible(true);
    if (!session && GG->currentIndex().isValid())
        session = GG->currentIndex().row();
    if (job || !sessions || !session || *session >= sessions->sessionCount())
        session.reset();
    if (session) {
        const qsizetype count = sessions->sessionCount();
        const std::vector<Phase> phases = phasesOf(settings, count);
        const auto phase = std::ranges::find_if(
            phases, [&](const Phase& p) { return *session < p.first + p.count; });
        const bool starts = settings.phaseStarts.contains(*session);
        const bool locked = phase != phases.end() && phase->lock.has_value();
        const bool leftOut = settings.leftOut.contains(*session);
        const auto offer = [&](const QString& text, SettingsChange change) {
            const ChangedSettings changed = changeSettings(settings, count, change, *session);
            QAction* action = menu.addAction(text, this, [this, changed] {
                settings = changed.settings;
                DoAnal();
            });
            action->setEnabled(changed.refusal.isEmpty());
            action->setToolTip(changed.refusal);
        };
        offer(starts ? u"Remove This Phase Start"_s : u"Start a New Phase Here"_s,
              starts ? SettingsChange::RemovePhaseStart : SettingsChange::StartPhase);
        if (!locked || phase->lock != *session)
            offer(u"Lock Limits After This Session"_s, SettingsChange::LockAfter);
        if (locked)
            offer(u"Unlock Limits"_s, SettingsChange::Unlock);
        offer(leftOut ? u"Include in the Limits"_s : u"Leave Out of the Limits"_s,
              leftOut ? SettingsChange::Include : SettingsChange::LeaveOut);
    }
    if (!more.isEmpty()) {
        if (session)
            menu.addSeparator();
        menu.addActions(more);
    }
    if (!menu.isEmpty())
        menu.exec(at);
}

void TeamMain::chooseRules(RuleSet rules) {
    settings.rules = rules;
    saveRules(rules);
    DoAnal();
}

// The sessions of the selected result lines, and those of the current line when it is selected.
std::pair<QList<SessionSpan>, SessionSpan> TeamMain::sessionsOfSelectedLines() const {
    if (!analysis)
        return {};
    const int currentLine = GR->currentIndex().row();
    return {analysis->sessionsOf(selectedRows(GR->selectionModel())),
            GR->selectionModel()->isRowSelected(currentLine) ? analysis->sessionsOf(currentLine)
                                                             : SessionSpan{}};
}

void TeamMain::selectSessionsOfResults() {
    const auto [runs, current] = sessionsOfSelectedLines();
    if (chart)
        chart->shadeSessions(runs, current);

    QAbstractItemModel* rows = GG->model();
    const int lastColumn = rows->columnCount() - 1;
    QItemSelection linked;
    if (resultsLinked) {
        linked.reserve(runs.size());
        for (const SessionSpan& run : runs)
            linked.select(rows->index(int(run.first), 0),
                          rows->index(int(run.first + run.count - 1), lastColumn));
    }
    // Told to replace one selection with another, Qt compares each old run of sessions with each
    // new one, which for thousands of runs freezes the window for minutes; a cleared selection
    // leaves it nothing to compare.
    GG->selectionModel()->clearSelection();
    GG->selectionModel()->select(linked, QItemSelectionModel::Select);
    if (!resultsLinked || current.count < 1)
        return;
    // Bring the whole window into view where it fits, its first session where it does not.
    GG->scrollTo(rows->index(int(current.first + current.count - 1), 0));
    GG->scrollTo(rows->index(int(current.first), 0));
}

// From the first session selected in GG to the last.
std::optional<SessionSpan> TeamMain::selectedSessions() const {
    const QItemSelection selected = GG->selectionModel()->selection();
    if (selected.isEmpty())
        return std::nullopt;
    int first = selected.first().top(), last = selected.first().bottom();
    for (const QItemSelectionRange& range : selected)
        first = std::min(first, range.top()), last = std::max(last, range.bottom());
    return SessionSpan{first, last - first + 1};
}

// Sessions picked on the chart, selected in GG, which shades the lines about them in GR.
void TeamMain::selectSessions(SessionSpan span) {
    if (!resultsLinked)
        return;
    QAbstractItemModel* rows = GG->model();
    const QItemSelection picked(rows->index(int(span.first), 0),
                                rows->index(int(span.first + span.count - 1), 1));
    GG->selectionModel()->clearSelection();
    GG->selectionModel()->select(picked, QItemSelectionModel::Select);
    GG->scrollTo(rows->index(int(span.first), 0));
}

// A session picked on the chart: the lines about it in GR, and the session itself in GG.
void TeamMain::selectSession(qsizetype session) {
    if (!analysis || !resultsLinked)
        return;
    QAbstractItemModel* lines = GR->model();
    QItemSelection about;
    for (qsizetype line : analysis->linesIncluding(session))
        about.select(lines->index(int(line), 0), lines->index(int(line), 0));
    GR->selectionModel()->select(about,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (!about.isEmpty())
        GR->scrollTo(about.first().topLeft());

    QAbstractItemModel* rows = GG->model();
    const QModelIndex row = rows->index(int(session), 0);
    GG->selectionModel()->select(row,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    GG->scrollTo(row);
}

void TeamMain::copyResults() {
    const QList<qsizetype> lines = selectedRows(GR->selectionModel());
    if (job || !analysis || lines.isEmpty())
        return;
    track(runInBackground(
        this, u"Copying the results…"_s,
        [lines, source = analysis](const ProgressReport& progress) {
            return copyOfLines(*source, lines, progress);
        },
        [](const CopiedLines& copy) {
            auto* data = new QMimeData;
            data->setText(copy.text);
            data->setHtml(copy.html);
            data->setData(u"text/rtf"_s, copy.rtf);
            QGuiApplication::clipboard()->setMimeData(data);
        }));
}
