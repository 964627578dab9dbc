#include "controls/designfont.h"
#include "controls/flexgrid.h"
#include "controls/threedcommand.h"
#include "controls/threedoption.h"
#include "controls/threedpanel.h"
#include "style/colorvalue.h"
#include "style/fontsubstitutes.h"
#include "style/palette.h"
#include "style/windowstyle.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>

using namespace TavoBAS;

class TestWindowStyle : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void colourValues_data();
    void colourValues();
    void stylesEveryControlKind_data();
    void stylesEveryControlKind();
    void onlyRaisedOverInsetIsFlattened_data();
    void onlyRaisedOverInsetIsFlattened();
    void captionsFitTheirControls_data();
    void captionsFitTheirControls();
};

namespace {

ThreedPanel* addPanel(QWidget* parent, int outer, int inner) {
    auto* panel = new ThreedPanel(parent);
    panel->setBevelOuter(outer);
    panel->setBevelInner(inner);
    panel->setBevelWidth(1);
    panel->setBackColor(Qt::white);
    return panel;
}

ThreedCommand* addButton(QWidget* parent, const QString& caption) {
    auto* button = new ThreedCommand(parent);
    button->setText(caption);
    button->setFontBold(true);
    return button;
}

// One of each control kind as the windows use them, some hidden or nested in a frame.
struct StyledWindow {
    QWidget window;
    ThreedCommand* button = addButton(&window, QStringLiteral("&Paste"));
    ThreedPanel* frame = addPanel(&window, ThreedPanel::Inset, ThreedPanel::None);
    ThreedOption* option = new ThreedOption(frame);
    ThreedPanel* nestedPanel = addPanel(frame, ThreedPanel::None, ThreedPanel::None);
    ThreedCommand* nestedButton = addButton(frame, QStringLiteral("E&xit"));
    ThreedPanel* title = addPanel(&window, ThreedPanel::Raised, ThreedPanel::Inset);
    ThreedPanel* hiddenTitle = addPanel(frame, ThreedPanel::Raised, ThreedPanel::Inset);
    ThreedPanel* raisedOnly = addPanel(&window, ThreedPanel::Raised, ThreedPanel::None);
    ThreedPanel* hiddenPanel = addPanel(&window, ThreedPanel::None, ThreedPanel::None);
    QLineEdit* field = new QLineEdit(&window);
    FlexGrid* grid = new FlexGrid(&window);

    StyledWindow() {
        hiddenTitle->hide();
        hiddenPanel->hide();
        grid->setFormatString(QStringLiteral("Won/Lost|Minutes"));
    }
};

} // namespace

void TestWindowStyle::initTestCase() {
    installFontSubstitutes();
}

void TestWindowStyle::colourValues_data() {
    QTest::addColumn<quint32>("bgr");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<quint32>("back");

    QTest::newRow("red is the low byte") << 0x000000FFu << QColor(255, 0, 0) << 0x000000FFu;
    QTest::newRow("blue is the third byte") << 0x00FF0000u << QColor(0, 0, 255) << 0x00FF0000u;
    QTest::newRow("high byte ignored") << 0xFF102030u << QColor(0x30, 0x20, 0x10) << 0x00102030u;
}

void TestWindowStyle::colourValues() {
    QFETCH(quint32, bgr);
    QFETCH(QColor, colour);
    QFETCH(quint32, back);
    QCOMPARE(colorFromBgr(bgr), colour);
    QCOMPARE(bgrFromColor(colour), back);
}

void TestWindowStyle::stylesEveryControlKind_data() {
    QTest::addColumn<bool>("reduced");
    QTest::addColumn<int>("twipsPerPixel");
    QTest::addColumn<QColor>("main");
    QTest::addColumn<QColor>("panel");
    QTest::addColumn<QString>("buttonFont");
    QTest::addColumn<double>("buttonFontSize");

    const QColor grey(192, 192, 192);
    // 0 asks this screen, which offscreen is at 96 DPI.
    QTest::newRow("full palette, this screen")
        << false << 0 << QColor(240, 232, 208) << QColor(255, 224, 192) << "MS Sans Serif" << 8.25;
    QTest::newRow("full palette, 120 DPI")
        << false << 12 << QColor(240, 232, 208) << QColor(255, 224, 192) << "Small Fonts" << 6.0;
    QTest::newRow("reduced palette, 96 DPI")
        << true << 15 << grey << grey << "MS Sans Serif" << 8.25;
    QTest::newRow("reduced palette, 144 DPI") << true << 10 << grey << grey << "Small Fonts" << 6.0;
    QTest::newRow("full palette, 72 DPI")
        << false << 20 << QColor(240, 232, 208) << QColor(255, 224, 192) << "Small Fonts" << 6.0;
}

void TestWindowStyle::stylesEveryControlKind() {
    QFETCH(bool, reduced);
    QFETCH(int, twipsPerPixel);
    QFETCH(QColor, main);
    QFETCH(QColor, panel);
    QFETCH(QString, buttonFont);
    QFETCH(double, buttonFontSize);
    ReducedPalette = reduced;
    InitPalette();
    StyledWindow w;
    const QColor fieldBase = w.field->palette().color(QPalette::Base);
    const QFont fieldFont = w.field->font();
    const QColor gridBase = w.grid->backColor();

    if (twipsPerPixel == 0)
        ApplyWindowStyle(&w.window);
    else
        ApplyWindowStyle(&w.window, twipsPerPixel);

    QCOMPARE(w.window.palette().color(QPalette::Window), main);
    for (ThreedCommand* button : {w.button, w.nestedButton}) {
        QCOMPARE(button->backColor(), main);
        QCOMPARE(button->fontName(), buttonFont);
        QCOMPARE(button->fontSize(), buttonFontSize);
        QVERIFY(button->fontBold());
    }
    for (ThreedPanel* title : {w.title, w.hiddenTitle}) {
        QCOMPARE(title->backColor(), main);
        QCOMPARE(title->bevelWidth(), 0);
        QCOMPARE(title->fontName(), QStringLiteral("MS Sans Serif"));
    }
    for (ThreedPanel* plain : {w.frame, w.nestedPanel, w.hiddenPanel, w.raisedOnly})
        QCOMPARE(plain->backColor(), panel);
    QCOMPARE(w.raisedOnly->bevelWidth(), 1);
    QCOMPARE(w.option->backColor(), panel);
    QCOMPARE(w.option->fontSize(), 8.25);
    QCOMPARE(w.field->palette().color(QPalette::Base), fieldBase);
    QCOMPARE(w.field->font(), fieldFont);
    QCOMPARE(w.grid->backColor(), gridBase);
    QCOMPARE(w.grid->fontName(), QStringLiteral("MS Sans Serif"));
}

void TestWindowStyle::onlyRaisedOverInsetIsFlattened_data() {
    QTest::addColumn<int>("outer");
    QTest::addColumn<int>("inner");
    QTest::addColumn<bool>("flattened");

    QTest::newRow("raised over inset") << 2 << 1 << true;
    QTest::newRow("raised alone") << 2 << 0 << false;
    QTest::newRow("inset over raised") << 1 << 2 << false;
    QTest::newRow("raised twice") << 2 << 2 << false;
    QTest::newRow("inset twice") << 1 << 1 << false;
    QTest::newRow("inset inner alone") << 0 << 1 << false;
}

void TestWindowStyle::onlyRaisedOverInsetIsFlattened() {
    QFETCH(int, outer);
    QFETCH(int, inner);
    QFETCH(bool, flattened);
    ReducedPalette = false;
    InitPalette();
    QWidget window;
    ThreedPanel* panel = addPanel(&window, outer, inner);
    panel->setBevelWidth(2);
    ApplyWindowStyle(&window, 15);
    QCOMPARE(panel->backColor(), colorFromBgr(flattened ? MainBackColor : PanelBackColor));
    QCOMPARE(panel->bevelWidth(), flattened ? 0 : 2);
    QCOMPARE(panel->bevelOuter(), outer);
    QCOMPARE(panel->bevelInner(), inner);
}

void TestWindowStyle::captionsFitTheirControls_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("roomTwips");
    QTest::addColumn<int>("marginPixels");
    QTest::addColumn<int>("dpi");

    // Margins at 96 DPI: a panel's caption margins, a button face's rounded ends, an option
    // button's indicator. Row captions run under their text box from 2970 twips, so only 2160
    // of their 2580 twips show.
    const struct {
        const char* caption;
        int roomTwips;
        int marginPixels;
    } panels[] = {{"Slug outside the PZ (b)", 2160, 4},
                  {"Track Zone size (k)", 2160, 4},
                  {"Pseudo-Decks (n)", 2160, 4},
                  {"All fields in cards or decks", 2895, 4},
                  {"Cut rich slug to middle", 2500, 24}},
      buttons[] = {{"&Calculate", 1200, 16}, {"&Analyze", 1200, 16}, {"NRS Calculator", 2490, 16}};
    for (const auto& control : panels)
        for (int dpi : {96, 120})
            QTest::addRow("%s at %d DPI", control.caption, dpi)
                << QString::fromLatin1(control.caption) << "MS Sans Serif" << designFontSize
                << control.roomTwips << control.marginPixels << dpi;
    for (const auto& control : buttons) {
        QTest::addRow("%s at 96 DPI", control.caption)
            << QString::fromLatin1(control.caption) << "MS Sans Serif" << designFontSize
            << control.roomTwips << control.marginPixels << 96;
        QTest::addRow("%s in small fonts at 120 DPI", control.caption)
            << QString::fromLatin1(control.caption) << "Small Fonts" << 6.0 << control.roomTwips
            << control.marginPixels << 120;
    }
}

// At 120 DPI without scaling, fonts grow by 120/96 while a twip stays 1/12 pixel.
void TestWindowStyle::captionsFitTheirControls() {
    QFETCH(QString, caption);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(int, roomTwips);
    QFETCH(int, marginPixels);
    QFETCH(int, dpi);
    QFont font(family);
    font.setBold(true);
    font.setPointSizeF(points * dpi / 96.0);
    const QString shown = QString(caption).remove(QLatin1Char('&'));
    const int captionPixels = QFontMetrics(font).horizontalAdvance(shown);
    const int roomPixels = roomTwips * dpi / 1440 - marginPixels * dpi / 96;
    QVERIFY2(captionPixels <= roomPixels,
             qPrintable(QStringLiteral("%1 px of %2").arg(captionPixels).arg(roomPixels)));
}

QTEST_MAIN(TestWindowStyle)
#include "tst_windowstyle.moc"
