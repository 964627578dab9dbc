// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/team/backgroundjob.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <new>
#include <utility>

namespace {

constexpr int showProgressAfterMs = 500;
constexpr int pollMs = 50;

// Thrown through the work to stop it.
struct JobCanceled {};

} // namespace

BackgroundJob::BackgroundJob(QWidget* window, const QString& label, Work job)
    : QObject(window), work(std::move(job)), dialog(new QProgressDialog(window)),
      bar(new QProgressBar), poll(new QTimer(this)) {
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    // Updating our own bar, not the dialog's value, keeps the dialog from running events itself.
    bar->setRange(0, 1000);
    bar->setValue(0);
    dialog->setBar(bar);
    dialog->setWindowTitle(window->windowTitle());
    dialog->setLabelText(label);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAutoReset(false);
    connect(dialog, &QProgressDialog::canceled, this, [this] { cancelRequested = true; });
    QTimer::singleShot(showProgressAfterMs, dialog, [this] {
        if (!cancelRequested)
            dialog->show();
    });

    thread = QThread::create([this] {
        const ProgressReport report = [this](double shareDone) {
            if (cancelRequested)
                throw JobCanceled{};
            permille = int(shareDone * 1000);
        };
        try {
            delivery = work(report);
            ending = cancelRequested ? Canceled : Done;
        } catch (const JobCanceled&) {
            ending = Canceled;
        } catch (const std::bad_alloc&) {
            ending = OutOfMemory;
        }
        // Its data goes with it, on this thread; so does a result that nobody waits for.
        work = nullptr;
        if (ending != Done)
            delivery = nullptr;
    });
    connect(thread, &QThread::finished, this, &BackgroundJob::finish);
    connect(poll, &QTimer::timeout, this, [this] { bar->setValue(permille); });
    poll->start(pollMs);
    thread->start();
}

BackgroundJob::~BackgroundJob() {
    cancelRequested = true;
    thread->wait();
    delete thread;
    delete dialog;
    if (poll->isActive())
        QGuiApplication::restoreOverrideCursor();
}

void BackgroundJob::finish() {
    poll->stop();
    QGuiApplication::restoreOverrideCursor();
    delete dialog;
    emit ended(ending);
    if (ending == Done)
        std::exchange(delivery, nullptr)();
}
