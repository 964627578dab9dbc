// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/common/progress.h"

#include <QObject>
#include <QPointer>
#include <atomic>

class QProgressBar;
class QProgressDialog;
class QThread;
class QTimer;
class QWidget;

// Work that may take long, run on a thread of its own while the window stays responsive: the busy
// cursor shows at once and, past half a second, a progress dialog with Cancel. The work keeps its
// data to itself until it ends, so nothing shown is ever half-made.
class BackgroundJob : public QObject {
    Q_OBJECT

public:
    enum Ending { Done, Canceled, OutOfMemory };
    Q_ENUM(Ending)

    using Work = std::function<void(const ProgressReport&)>;

    BackgroundJob(QWidget* window, const QString& label, Work work);
    // Stops the work and waits for it.
    ~BackgroundJob() override;

signals:
    void ended(BackgroundJob::Ending ending);

private:
    void finish();

    Work work;
    QThread* thread;
    QPointer<QProgressDialog> dialog;
    QProgressBar* bar;
    QTimer* poll;
    std::atomic<bool> cancelRequested = false;
    std::atomic<int> permille = 0;
    Ending ending = Done;
};
