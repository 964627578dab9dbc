#include "controls/designfont.h"
#include "controls/flexgrid.h"
#include "controls/threedcommand.h"
#include "controls/threedoption.h"
#include "controls/threedpanel.h"
#include "controls/twipsgeometry.h"

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Control = QSharedPointer<QWidget>;
using OptionClicks = QList<QPair<int, bool>>;

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (ThreedPanel().logicalDpiX() != 96)
            QSKIP("the pixel expectations assume a 96 DPI screen");
    }

    void designPropertiesByName_data() {
        QTest::addColumn<Control>("control");
        QTest::addColumn<bool>("hasCaption");
        QTest::newRow("command button") << Control(new ThreedCommand) << true;
        QTest::newRow("panel") << Control(new ThreedPanel) << true;
        QTest::newRow("option button") << Control(new ThreedOption) << true;
        QTest::newRow("grid") << Control(new FlexGrid) << false;
    }

    // The window styling reaches the controls only through these names.
    void designPropertiesByName() {
        QFETCH(Control, control);
        QCOMPARE(control->property("Index").toInt(), -1);
        QCOMPARE(control->font(), designFont());
        QVERIFY(control->setProperty("FontBold", true));
        QVERIFY(control->setProperty("FontName", u"Small Fonts"_s));
        QVERIFY(control->setProperty("FontSize", 6));
        QVERIFY(control->setProperty("FontSize", 0));
        QCOMPARE(control->font().family(), u"Small Fonts"_s);
        QCOMPARE(control->font().pointSizeF(), 6.0);
        QVERIFY(control->font().bold());
        QVERIFY(control->setProperty("BackColor", QColor(255, 224, 192)));
        QCOMPARE(control->property("BackColor").value<QColor>(), QColor(255, 224, 192));
        QTEST(control->setProperty("Caption", u"E&xit"_s), "hasCaption");
    }

    void keysClickButton_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Alt+first letter") << "&Paste" << (Qt::ALT | Qt::Key_P).toCombined() << 1;
        QTest::newRow("Alt+inner letter") << "E&xit" << (Qt::ALT | Qt::Key_X).toCombined() << 1;
        QTest::newRow("Alt+other letter") << "E&xit" << (Qt::ALT | Qt::Key_E).toCombined() << 0;
        QTest::newRow("doubled ampersand is text")
            << "Save && Go" << (Qt::ALT | Qt::Key_G).toCombined() << 0;
        QTest::newRow("Enter") << "&Calculate" << int(Qt::Key_Return) << 1;
        QTest::newRow("keypad Enter")
            << "&Calculate" << (Qt::KeypadModifier | Qt::Key_Enter).toCombined() << 1;
        QTest::newRow("Space") << "&Calculate" << int(Qt::Key_Space) << 1;
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
        placeInTwips(button, 5000, 2655, 1200, 390);
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // Access keys work from anywhere in the window; other keys go to the focused button.
        const QKeyCombination pressed = QKeyCombination::fromCombined(keys);
        (pressed.keyboardModifiers() == Qt::AltModifier ? other : button)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), pressed.key(), pressed.keyboardModifiers());
        if (clicks == 0)
            QTest::qWait(300);
        QTRY_COMPARE(clicked.count(), clicks);
    }

    void optionsAreExclusive_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("selected");
        QTest::addColumn<OptionClicks>("reported");
        // Steps: "c<n>" clicks option n, "v<n>" sets its Value true, "f<n>" sets it false.
        QTest::newRow("click another") << "c0 c1" << 1 << OptionClicks{{0, true}, {1, true}};
        QTest::newRow("click the selected one again") << "c2" << 2 << OptionClicks{{2, true}};
        QTest::newRow("value true in code") << "v0" << 0 << OptionClicks{{0, true}};
        QTest::newRow("value false clears") << "f2" << -1 << OptionClicks{};
        QTest::newRow("select after clearing") << "f2 c1" << 1 << OptionClicks{{1, true}};
    }

    // Option 2 of three starts selected.
    void optionsAreExclusive() {
        QFETCH(QString, steps);
        QFETCH(int, selected);
        QWidget window;
        QList<ThreedOption*> options;
        OptionClicks clicks;
        for (int index = 0; index < 3; ++index) {
            options << new ThreedOption(&window);
            options[index]->setIndex(index);
            options[index]->setGeometry(0, 20 * index, 160, 20);
            connect(options[index], &ThreedOption::optionClicked, this,
                    [&clicks](int i, bool value) {
                        clicks.append({i, value});
                    });
        }
        options[2]->setChecked(true);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const QString& step : steps.split(u' ')) {
            ThreedOption* option = options.at(step.mid(1).toInt());
            if (step.startsWith(u'c'))
                QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, 10));
            else
                option->setValue(step.startsWith(u'v'));
        }
        for (ThreedOption* option : options)
            QCOMPARE(option->value(), option->index() == selected);
        QTEST(clicks, "reported");
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
            const QColor pixel = image.pixelColor(at);
            const int difference = pixel.red() + pixel.green() + pixel.blue() -
                                   (base.red() + base.green() + base.blue());
            shades << (difference > 0) - (difference < 0);
        }
        QTEST(shades, "shades");
    }

    void placesFromTwips_data() {
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("session grid") << QRect(270, 180, 2880, 2985) << QRect(18, 12, 192, 199);
        QTest::newRow("half a pixel rounds up") << QRect(7, 8, 22, 23) << QRect(0, 1, 1, 2);
    }

    void placesFromTwips() {
        QFETCH(QRect, twips);
        QFETCH(QRect, pixels);
        ThreedPanel panel;
        placeInTwips(&panel, twips.x(), twips.y(), twips.width(), twips.height());
        QCOMPARE(panel.geometry(), pixels);
        QCOMPARE(twipsToSize(&panel, twips.width(), twips.height()), pixels.size());
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
