#pragma once

#include <QString>
#include <QVariant>
#include <QWidget>

// Picks out a window's control the way a user does by sight: by its control name and, for a
// member of a control array, by its Index. Without an index the first control of that name wins.
template <class Control = QWidget>
Control* findControl(const QWidget& window, const QString& name, int index = -1) {
    const QList<Control*> named = window.findChildren<Control*>(name);
    for (Control* control : named)
        if (index < 0 || control->property("Index").toInt() == index)
            return control;
    return nullptr;
}

// "name(index)" for a member of a control array, the bare name otherwise: readable in failures.
inline QString controlName(const QWidget* control) {
    bool inArray = false;
    const int index = control->property("Index").toInt(&inArray);
    return inArray && index >= 0 ? QStringLiteral("%1(%2)").arg(control->objectName()).arg(index)
                                 : control->objectName();
}
