// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "testsupport.h"
#include "ui/controls/accessiblecontrols.h"
#include "ui/controls/threedpanel.h"
#include "ui/launcher/frmtavo.h"
#include "ui/nrs/frmnrs2.h"
#include "ui/team/teammain.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;

namespace {

// What a screen reader says beside the name: access key, description, checked; a table its headers.
QString details(QAccessibleInterface* control) {
    QStringList said;
    if (QAccessibleTableInterface* table = control->tableInterface())
        for (int column = 0; column < table->columnCount(); ++column)
            said << table->columnDescription(column);
    else
        said << control->text(QAccessible::Accelerator) << control->text(QAccessible::Description);
    if (control->state().checked)
        said << u"checked"_s;
    said.removeAll({});
    return said.join(u' ');
}

// Sizes whose adjustment in the middle situation is too long for its panel, which shows "###".
void calculate(frmNRS2& window) {
    for (const auto& [index, size] : {std::pair{2, u"1"_s}, {0, u"-1e9"_s}, {1, u"0.99999994"_s}})
        findControl<QLineEdit>(window, u"NRSText"_s, index)->setText(size);
    QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
    QTRY_VERIFY(!findControl<ThreedPanel>(window, u"SSPanel1"_s, 0)->caption().isEmpty());
}

// The window as the user sees it after choosing a situation: the option selected, rows hidden.
QStringList situationShown(const QWidget& window) {
    QStringList seen;
    for (const QWidget* control : window.findChildren<QWidget*>())
        if (control->isHidden() || control->property("Value").toBool())
            seen << controlName(control) + (control->isHidden() ? u" hidden"_s : u" selected"_s);
    return seen;
}

QString clipboardAfterCopy(QWidget* focused) {
    QTest::keyClick(focused, Qt::Key_C, Qt::ControlModifier);
    return QGuiApplication::clipboard()->text();
}

} // namespace

class TestAccessible : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        installAccessibleControls();
    }

    // Each row names a window and one of its controls.
    void namesRolesStates_data() {
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("details");
        using enum QAccessible::Role;
        QTest::newRow("frmTavo SSCommand1(1)") << PushButton << u"Team Analysis"_s << QString();
        QTest::newRow("frmTavo cmdOptOK") << PushButton << u"Exit"_s << u"Alt+X"_s;
        QTest::newRow("frmTavo text1(4)") << StaticText << u"Select a tool"_s << QString();
        QTest::newRow("TeamMain SSSave") << PushButton << u"Paste"_s << u"Alt+P"_s;
        QTest::newRow("TeamMain GG") << Table << u"Sessions"_s << u"Won/Lost Minutes"_s;
        QTest::newRow("TeamMain GR") << Table << u"Results"_s << u"Results"_s;
        QTest::newRow("TeamMain Text1") << EditableText << u"Instructions"_s << QString();
        QTest::newRow("frmNRS2 optP(2)") << RadioButton << u"Cut rich slug to top"_s << u"Ctrl+1"_s;
        QTest::newRow("frmNRS2 optP(1)")
            << RadioButton << u"Cut rich slug to middle"_s << u"Ctrl+3 checked"_s;
        QTest::newRow("frmNRS2 NRSText(3)")
            << EditableText << u"Slug outside the PZ (b)"_s << QString();
        QTest::newRow("frmNRS2 SSSave") << PushButton << u"Calculate"_s << u"Alt+C"_s;
        QTest::newRow("frmNRS2 Panel3d1(4)") << StaticText << u"Situation"_s << QString();
        QTest::newRow("frmNRS2 SSPanel1(2)")
            << StaticText << u"Adjustment (f)"_s << u"16777216000000000.000"_s;
    }

    // Read as a screen reader reads them, after a calculation whose adjustment shows "###".
    void namesRolesStates() {
        const QStringList where = QString::fromLatin1(QTest::currentDataTag()).split(u' ');
        const std::unique_ptr<QWidget> shown(where[0] == u"frmTavo" ? new frmTavo
                                             : where[0] == u"TeamMain"
                                                 ? static_cast<QWidget*>(new TeamMain)
                                                 : new frmNRS2);
        showActive(*shown);
        if (auto* nrs = qobject_cast<frmNRS2*>(shown.get())) {
            QTest::keyClick(nrs, Qt::Key_3, Qt::ControlModifier);
            calculate(*nrs);
            QCOMPARE(findControl<ThreedPanel>(*nrs, u"SSPanel1"_s, 2)->captionLayout().text,
                     u"###"_s);
        }
        const QList<QWidget*> all = shown->findChildren<QWidget*>();
        const auto named = std::find_if(all.begin(), all.end(),
                                        [&](QWidget* w) { return controlName(w) == where[1]; });
        QVERIFY(named != all.end());
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(*named);
        QTEST(read->role(), "role");
        QTEST(read->text(QAccessible::Name), "name");
        QTEST(details(read), "details");
    }

    // Before the first calculation too, each result is named by its row's caption.
    void resultsNamedByTheirRows() {
        frmNRS2 window;
        showActive(window);
        QStringList names;
        for (int index = 0; index < 3; ++index)
            names << QAccessible::queryAccessibleInterface(
                         findControl(window, u"SSPanel1"_s, index))
                         ->text(QAccessible::Name);
        QCOMPARE(names,
                 (QStringList{u"Pseudo-Decks (n)"_s, u"Multiplier (r)"_s, u"Adjustment (f)"_s}));
    }

    void situationKeysAndCopy_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("copied");
        QTest::newRow("Ctrl+1") << 1 << 2 << u"1.000\t0.000"_s;
        QTest::newRow("Ctrl+2") << 2 << 0 << u"1.000\t1.000"_s;
        QTest::newRow("Ctrl+3") << 3 << 1 << u"1.000\t0.000\t16777216000000000.000"_s;
    }

    // Each key does what a click on its option does; Ctrl+C copies the results in
    // full, unless the field holds a selection, and not before there are any.
    void situationKeysAndCopy() {
        QFETCH(int, key);
        QFETCH(int, option);
        frmNRS2 byClick;
        showActive(byClick);
        clickControl(byClick, u"optP"_s, option);
        frmNRS2 byKey;
        showActive(byKey);
        auto* shoe = findControl<QLineEdit>(byKey, u"NRSText"_s, 2);
        QTest::keyClick(shoe, Qt::Key(Qt::Key_0 + key), Qt::ControlModifier);
        QCOMPARE(situationShown(byKey), situationShown(byClick));
        QGuiApplication::clipboard()->setText(u"kept"_s);
        QCOMPARE(clipboardAfterCopy(shoe), u"kept"_s);

        calculate(byKey);
        QTEST(clipboardAfterCopy(shoe), "copied");
        shoe->selectAll();
        QCOMPARE(clipboardAfterCopy(shoe), u"1"_s);
        // The last result shown, on its own from its context menu.
        QFETCH(QString, copied);
        const int last = int(copied.count(u'\t'));
        findControl(byKey, u"SSPanel1"_s, last)->actions().value(0)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), copied.section(u'\t', last, last));
    }
};

QTEST_MAIN(TestAccessible)
#include "tst_accessible.moc"
