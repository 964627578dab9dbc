// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/controls/copying.h"

#include "ui/controls/threedpanel.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

using namespace Qt::Literals::StringLiterals;

namespace {

void copyText(const QString& text) {
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

// A field claims Ctrl+C even with nothing selected, when it would copy nothing; this lets the
// window's own Ctrl+C through instead.
class FieldCopyWithoutSelection : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* field = qobject_cast<QLineEdit*>(watched);
        if (event->type() != QEvent::ShortcutOverride || !field || field->hasSelectedText() ||
            !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
            return false;
        event->ignore();
        return true;
    }
};

} // namespace

void addWindowCopyKey(QWidget* window, std::function<QString()> text) {
    auto* letThrough = new FieldCopyWithoutSelection(window);
    const QList<QLineEdit*> fields = window->findChildren<QLineEdit*>();
    for (QLineEdit* field : fields)
        field->installEventFilter(letThrough);
    auto* key = new QShortcut(QKeySequence::Copy, window);
    QObject::connect(key, &QShortcut::activated, window,
                     [text = std::move(text)] { copyText(text()); });
}

void addCopyMenu(ThreedPanel* panel) {
    auto* copy = new QAction(u"Copy"_s, panel);
    QObject::connect(copy, &QAction::triggered, panel, [panel] { copyText(panel->caption()); });
    panel->addAction(copy);
    panel->setContextMenuPolicy(Qt::ActionsContextMenu);
}
