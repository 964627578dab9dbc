// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/common/progress.h"

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>

class QProgressBar;
class QProgressDialog;
class QThread;
class QTimer;
class QWidget;

// Work that may take long, run on a thread of its own while the window stays responsive: the busy
// cursor shows at once and, past half a second, a progress dialog with Cancel. The work keeps its
// data to itself until it returns, so nothing shown is ever half-made. Made by runInBackground.
class BackgroundJob : public QObject {
    Q_OBJECT

public:
    enum Ending { Done, Canceled, OutOfMemory };
    Q_ENUM(Ending)

    // What finished work leaves for the window's thread: its continuation, with the result.
    using Delivery = std::function<void()>;
    using Work = std::function<Delivery(const ProgressReport&)>;

    BackgroundJob(QWidget* window, const QString& label, Work work);
    // Stops the work and waits for it.
    ~BackgroundJob() override;

signals:
    // Emitted on the window's thread, before a job that is Done delivers its result.
    void ended(BackgroundJob::Ending ending);

private:
    void finish();

    Work work;
    Delivery delivery;
    QThread* thread;
    QPointer<QProgressDialog> dialog;
    QProgressBar* bar;
    QTimer* poll;
    std::atomic<bool> cancelRequested = false;
    std::atomic<int> permille = 0;
    Ending ending = Done;
};

// Runs work(progress) in the background and hands what it returns to whenDone(result) on the
// window's thread, unless the job was canceled or ran out of memory. The job is a child of the
// window: destroying the window stops the work.
template <class Work, class WhenDone>
BackgroundJob* runInBackground(QWidget* window, const QString& label, Work work,
                               WhenDone whenDone) {
    return new BackgroundJob(
        window, label,
        [work = std::move(work), whenDone = std::move(whenDone)](const ProgressReport& progress) {
            return BackgroundJob::Delivery(
                [whenDone, result = work(progress)]() mutable { whenDone(std::move(result)); });
        });
}
