#include "controls/threedcommand.h"
#include "controls/threedoption.h"
#include "controls/threedpanel.h"
#include "testsupport.h"

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void keysClickButton_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Alt+inner letter") << "E&xit" << (Qt::ALT | Qt::Key_X).toCombined() << 1;
        QTest::newRow("Alt+other letter") << "E&xit" << (Qt::ALT | Qt::Key_E).toCombined() << 0;
        QTest::newRow("doubled ampersand is text")
            << "Save && Go" << (Qt::ALT | Qt::Key_G).toCombined() << 0;
        QTest::newRow("Enter") << "&Calculate" << int(Qt::Key_Return) << 1;
        QTest::newRow("keypad Enter")
            << "&Calculate" << (Qt::KeypadModifier | Qt::Key_Enter).toCombined() << 1;
        QTest::newRow("access letter without Alt") << "&Calculate" << int(Qt::Key_C) << 0;
    }

    // An access key clicks through animateClick, some 100 ms later.
    void keysClickButton() {
        QFETCH(QString, caption);
        QFETCH(int, keys);
        QFETCH(int, clicks);
        QWidget window;
        auto* other = new ThreedCommand(&window);
        other->setText(u"&Analyze"_s);
        auto* button = new ThreedCommand(&window);
        button->setProperty("Caption", caption);
        button->setGeometry(100, 0, 80, 26);
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        showActive(window);
        // Access keys work from anywhere in the window; other keys go to the focused button.
        const QKeyCombination pressed = QKeyCombination::fromCombined(keys);
        (pressed.keyboardModifiers() == Qt::AltModifier ? other : button)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), pressed.key(), pressed.keyboardModifiers());
        if (clicks == 0)
            QTest::qWait(300);
        QTRY_COMPARE(clicked.count(), clicks);
    }

    // Option 2 of three starts selected. Clicking the selected one reports it again, and clearing
    // it in code leaves the three exclusive still.
    void optionsReportIndexAndValue() {
        QWidget window;
        QList<ThreedOption*> options;
        QList<QPair<int, bool>> reported;
        for (int index = 0; index < 3; ++index) {
            options << new ThreedOption(&window);
            options[index]->setIndex(index);
            options[index]->setGeometry(0, 20 * index, 160, 20);
            connect(options[index], &ThreedOption::optionClicked, this,
                    [&reported](int i, bool value) {
                        reported.append({i, value});
                    });
        }
        options[2]->setChecked(true);
        showActive(window);
        const auto click = [&options](int index) {
            QTest::mouseClick(options[index], Qt::LeftButton, {}, QPoint(8, 10));
        };
        const auto values = [&options] {
            return QList<bool>{options[0]->value(), options[1]->value(), options[2]->value()};
        };
        click(2);
        options[2]->setValue(false);
        QCOMPARE(values(), QList<bool>({false, false, false}));
        click(1);
        click(2);
        QCOMPARE(values(), QList<bool>({false, false, true}));
        QCOMPARE(reported, (QList<QPair<int, bool>>{{2, true}, {1, true}, {2, true}}));
    }

    void panelBevels_data() {
        QTest::addColumn<int>("outer");
        QTest::addColumn<int>("bevelWidth");
        // Left and top edges, right and bottom edges, the middle, each against the panel
        // colour: 1 lighter, -1 darker, 0 the same.
        QTest::addColumn<QList<int>>("shades");
        QTest::newRow("raised") << int(ThreedPanel::Raised) << 1 << QList<int>{1, 1, -1, -1, 0};
        QTest::newRow("inset") << int(ThreedPanel::Inset) << 1 << QList<int>{-1, -1, 1, 1, 0};
        QTest::newRow("no bevel") << int(ThreedPanel::None) << 1 << QList<int>(5, 0);
        QTest::newRow("raised, width 0 is flat")
            << int(ThreedPanel::Raised) << 0 << QList<int>(5, 0);
    }

    void panelBevels() {
        QFETCH(int, outer);
        QFETCH(int, bevelWidth);
        const QColor base(192, 192, 192);
        ThreedPanel panel;
        panel.setBackColor(base);
        panel.setBevelOuter(outer);
        panel.setBevelWidth(bevelWidth);
        panel.resize(40, 20);
        const QImage image = panel.grab().toImage();
        QList<int> shades;
        for (const QPoint& at :
             {QPoint(0, 10), QPoint(20, 0), QPoint(39, 10), QPoint(20, 19), QPoint(20, 10)}) {
            const int difference = image.pixelColor(at).lightness() - base.lightness();
            shades << (difference > 0) - (difference < 0);
        }
        QTEST(shades, "shades");
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
