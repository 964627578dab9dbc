#include "controls/flexgrid.h"
#include "controls/threedcommand.h"
#include "controls/threedoption.h"
#include "controls/threedpanel.h"
#include "controls/twipsgeometry.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using OptionClicks = QList<QPair<int, bool>>;

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void designPropertiesByName_data();
    void designPropertiesByName();
    void accessKeyClicksButton_data();
    void accessKeyClicksButton();
    void keysClickFocusedButton_data();
    void keysClickFocusedButton();
    void optionsAreExclusive_data();
    void optionsAreExclusive();
    void panelBevels_data();
    void panelBevels();
    void placesFromTwips_data();
    void placesFromTwips();
};

namespace {

std::unique_ptr<QWidget> makeControl(const QString& kind) {
    if (kind == QLatin1String("command"))
        return std::make_unique<ThreedCommand>();
    if (kind == QLatin1String("panel"))
        return std::make_unique<ThreedPanel>();
    if (kind == QLatin1String("option"))
        return std::make_unique<ThreedOption>();
    return std::make_unique<FlexGrid>();
}

int brightness(const QColor& colour) {
    return colour.red() + colour.green() + colour.blue();
}

} // namespace

void TestControls::initTestCase() {
    ThreedPanel probe;
    if (probe.logicalDpiX() != 96)
        QSKIP("the pixel expectations assume a 96 DPI screen");
}

void TestControls::designPropertiesByName_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("hasCaption");

    QTest::newRow("command button") << "command" << true;
    QTest::newRow("panel") << "panel" << true;
    QTest::newRow("option button") << "option" << true;
    QTest::newRow("grid") << "grid" << false;
}

// The window styling reaches the controls only through these names.
void TestControls::designPropertiesByName() {
    QFETCH(QString, kind);
    QFETCH(bool, hasCaption);
    const std::unique_ptr<QWidget> control = makeControl(kind);

    QCOMPARE(control->property("Index").toInt(), -1);
    QCOMPARE(control->property("FontName").toString(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(control->property("FontSize").toDouble(), 8.25);
    QCOMPARE(control->property("FontBold").toBool(), false);

    QVERIFY(control->setProperty("FontBold", true));
    QVERIFY(control->setProperty("FontName", QStringLiteral("Small Fonts")));
    QVERIFY(control->setProperty("FontSize", 6));
    QVERIFY(control->setProperty("FontSize", 0));
    QCOMPARE(control->font().family(), QStringLiteral("Small Fonts"));
    QCOMPARE(control->font().pointSizeF(), 6.0);
    QVERIFY(control->font().bold());

    QVERIFY(control->setProperty("BackColor", QColor(255, 224, 192)));
    QCOMPARE(control->property("BackColor").value<QColor>(), QColor(255, 224, 192));
    QVERIFY(control->setProperty("Index", 20));
    QCOMPARE(control->property("Index").toInt(), 20);

    QCOMPARE(control->setProperty("Caption", QStringLiteral("E&xit")), hasCaption);
    if (hasCaption)
        QCOMPARE(control->property("Caption").toString(), QStringLiteral("E&xit"));
}

void TestControls::accessKeyClicksButton_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("clicks");

    QTest::newRow("first letter") << "&Paste" << int(Qt::Key_P) << 1;
    QTest::newRow("inner letter") << "E&xit" << int(Qt::Key_X) << 1;
    QTest::newRow("other letter") << "E&xit" << int(Qt::Key_E) << 0;
    QTest::newRow("doubled ampersand is text") << "Save && Go" << int(Qt::Key_G) << 0;
}

void TestControls::accessKeyClicksButton() {
    QFETCH(QString, caption);
    QFETCH(int, key);
    QFETCH(int, clicks);
    QWidget window;
    auto* other = new ThreedCommand(&window);
    other->setText(QStringLiteral("&Analyze"));
    auto* button = new ThreedCommand(&window);
    button->setProperty("Caption", caption);
    placeInTwips(button, 5000, 2655, 1200, 390);
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QTest::keyClick(&window, Qt::Key(key), Qt::AltModifier);
    if (clicks == 0)
        QTest::qWait(300);
    QTRY_COMPARE(clicked.count(), clicks);
}

void TestControls::keysClickFocusedButton_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("clicks");

    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << 1;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 1;
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << 1;
    QTest::newRow("a letter") << int(Qt::Key_C) << int(Qt::NoModifier) << 0;
}

void TestControls::keysClickFocusedButton() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, clicks);
    ThreedCommand button;
    button.setText(QStringLiteral("&Calculate"));
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    button.show();
    QVERIFY(QTest::qWaitForWindowActive(&button));
    button.setFocus();
    QTest::keyClick(&button, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(clicked.count(), clicks);
}

void TestControls::optionsAreExclusive_data() {
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

void TestControls::optionsAreExclusive() {
    QFETCH(QString, steps);
    QFETCH(int, selected);
    QFETCH(OptionClicks, reported);
    QWidget window;
    auto* frame = new ThreedPanel(&window);
    auto* elsewhere = new ThreedOption(&window);
    elsewhere->setValue(true);
    QList<ThreedOption*> options;
    OptionClicks clicks;
    for (int index = 0; index < 3; ++index) {
        auto* option = new ThreedOption(frame);
        option->setIndex(index);
        option->setGeometry(0, 20 * index, 160, 20);
        connect(option, &ThreedOption::optionClicked, this, [&clicks](int i, bool value) {
            clicks.append({i, value});
        });
        options.append(option);
    }
    options[2]->setChecked(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    for (const QString& step : steps.split(QLatin1Char(' '))) {
        ThreedOption* option = options.at(step.mid(1).toInt());
        if (step.startsWith(QLatin1Char('c')))
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, 10));
        else
            option->setValue(step.startsWith(QLatin1Char('v')));
    }
    for (ThreedOption* option : options)
        QCOMPARE(option->value(), option->index() == selected);
    QCOMPARE(clicks, reported);
    QVERIFY(elsewhere->value());
}

void TestControls::panelBevels_data() {
    QTest::addColumn<int>("outer");
    QTest::addColumn<int>("bevelWidth");
    QTest::addColumn<int>("topLeft");
    QTest::addColumn<int>("bottomRight");

    // Compared with the panel colour: 1 lighter, -1 darker, 0 the same.
    QTest::newRow("raised") << int(ThreedPanel::Raised) << 1 << 1 << -1;
    QTest::newRow("inset") << int(ThreedPanel::Inset) << 1 << -1 << 1;
    QTest::newRow("no bevel") << int(ThreedPanel::None) << 1 << 0 << 0;
    QTest::newRow("raised, width 0 is flat") << int(ThreedPanel::Raised) << 0 << 0 << 0;
}

void TestControls::panelBevels() {
    QFETCH(int, outer);
    QFETCH(int, bevelWidth);
    QFETCH(int, topLeft);
    QFETCH(int, bottomRight);
    const QColor base(192, 192, 192);
    ThreedPanel panel;
    panel.setBackColor(base);
    panel.setBevelOuter(outer);
    panel.setBevelInner(ThreedPanel::None);
    panel.setBevelWidth(bevelWidth);
    panel.resize(40, 20);
    const QImage image = panel.grab().toImage();
    const auto compared = [&](int x, int y) {
        const int difference = brightness(image.pixelColor(x, y)) - brightness(base);
        return (difference > 0) - (difference < 0);
    };
    QCOMPARE(compared(0, 10), topLeft);
    QCOMPARE(compared(20, 0), topLeft);
    QCOMPARE(compared(39, 10), bottomRight);
    QCOMPARE(compared(20, 19), bottomRight);
    QCOMPARE(compared(20, 10), 0);
}

void TestControls::placesFromTwips_data() {
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QRect>("pixels");

    QTest::newRow("small button") << QRect(5000, 2655, 1200, 390) << QRect(333, 177, 80, 26);
    QTest::newRow("wide button") << QRect(1200, 810, 2490, 390) << QRect(80, 54, 166, 26);
    QTest::newRow("session grid") << QRect(270, 180, 2880, 2985) << QRect(18, 12, 192, 199);
    QTest::newRow("window client") << QRect(0, 0, 11385, 6135) << QRect(0, 0, 759, 409);
    QTest::newRow("half a pixel rounds up") << QRect(7, 8, 22, 23) << QRect(0, 1, 1, 2);
}

void TestControls::placesFromTwips() {
    QFETCH(QRect, twips);
    QFETCH(QRect, pixels);
    ThreedPanel panel;
    placeInTwips(&panel, twips.x(), twips.y(), twips.width(), twips.height());
    QCOMPARE(panel.geometry(), pixels);
    QCOMPARE(twipsToSize(&panel, twips.width(), twips.height()), pixels.size());
}

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
