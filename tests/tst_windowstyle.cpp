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
using namespace Qt::Literals::StringLiterals;

namespace {

ThreedPanel* addPanel(QWidget* parent, int outer, int inner) {
    auto* panel = new ThreedPanel(parent);
    panel->setBevelOuter(outer);
    panel->setBevelInner(inner);
    panel->setBevelWidth(2);
    panel->setBackColor(Qt::white);
    return panel;
}

// One of each control kind as the windows use them, nested in a frame, and beside the title
// panel (raised over inset) a panel for every other pair of bevels, one of them hidden.
struct StyledWindow {
    QWidget window;
    ThreedPanel* frame = addPanel(&window, ThreedPanel::Inset, ThreedPanel::None);
    ThreedCommand* button = new ThreedCommand(frame);
    ThreedOption* option = new ThreedOption(frame);
    ThreedPanel* title = addPanel(frame, ThreedPanel::Raised, ThreedPanel::Inset);
    QLineEdit* field = new QLineEdit(&window);
    FlexGrid* grid = new FlexGrid(&window);
    QList<ThreedPanel*> otherPanels{frame};

    StyledWindow() {
        button->setFontBold(true);
        for (const auto& [outer, inner] : {std::pair{0, 0}, {2, 0}, {1, 2}, {2, 2}, {1, 1}, {0, 1}})
            otherPanels << addPanel(frame, outer, inner);
        otherPanels.last()->hide();
    }
};

} // namespace

class TestWindowStyle : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }

    void coloursAreBgr() {
        QCOMPARE(colorFromBgr(0xFF102030u), QColor(0x30, 0x20, 0x10));
    }

    void stylesEveryControlKind_data() {
        QTest::addColumn<bool>("reduced");
        QTest::addColumn<int>("twipsPerPixel");
        QTest::addColumn<QColor>("main");
        QTest::addColumn<QColor>("panel");
        QTest::addColumn<QString>("buttonFont");
        const QColor main(240, 232, 208), panel(255, 224, 192), grey(192, 192, 192);
        // 0 asks this screen, which offscreen is at 96 DPI.
        QTest::newRow("full palette, this screen")
            << false << 0 << main << panel << "MS Sans Serif 8.25";
        QTest::newRow("reduced palette, 120 DPI") << true << 12 << grey << grey << "Small Fonts 6";
        QTest::newRow("full palette, 72 DPI") << false << 20 << main << panel << "Small Fonts 6";
    }

    void stylesEveryControlKind() {
        QFETCH(bool, reduced);
        QFETCH(int, twipsPerPixel);
        QFETCH(QColor, panel);
        ReducedPalette = reduced;
        InitPalette();
        StyledWindow w;
        // Text boxes and grids keep their own look.
        const auto untouched = [&w] {
            return std::tuple(w.field->palette().color(QPalette::Base), w.field->font(),
                              w.grid->backColor(), w.grid->font());
        };
        const auto before = untouched();
        if (twipsPerPixel == 0)
            ApplyWindowStyle(&w.window);
        else
            ApplyWindowStyle(&w.window, twipsPerPixel);

        QVERIFY(untouched() == before);
        QTEST(w.window.palette().color(QPalette::Window), "main");
        QTEST(w.button->backColor(), "main");
        QTEST(u"%1 %2"_s.arg(w.button->fontName()).arg(w.button->fontSize()), "buttonFont");
        QVERIFY(w.button->fontBold());
        QCOMPARE(w.option->backColor(), panel);
        QCOMPARE(w.option->font(), designFont());
        QTEST(w.title->backColor(), "main");
        QCOMPARE(w.title->bevelWidth(), 0);
        QCOMPARE(w.title->font(), designFont());
        for (ThreedPanel* p : std::as_const(w.otherPanels))
            QVERIFY2(p->backColor() == panel && p->bevelWidth() == 2,
                     qPrintable(u"bevels %1 over %2"_s.arg(p->bevelOuter()).arg(p->bevelInner())));
    }

    // The tightest fit of each control kind at 120 DPI, where captions grow most: without
    // scaling, fonts grow by 120/96 while a twip stays 1/12 pixel.
    void captionsFitTheirControls_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QFont>("font");
        QTest::addColumn<int>("roomPixels");
        const auto row = [](const char* caption, const char* family, double points, int roomTwips,
                            int marginPixels) {
            QFont font(QString::fromLatin1(family));
            font.setBold(true);
            font.setPointSizeF(points * 120 / 96);
            QTest::newRow(caption) << QString::fromLatin1(caption).remove(u'&') << font
                                   << roomTwips / 12 - marginPixels * 120 / 96;
        };
        // Margins at 96 DPI: a panel's caption margins, an option button's indicator, a button
        // face's rounded ends. Row captions run under their text box from 2970 twips, so only
        // 2160 of their 2580 twips show.
        row("Slug outside the PZ (b)", designFontName, designFontSize, 2160, 4);
        row("Cut rich slug to middle", designFontName, designFontSize, 2500, 24);
        row("&Calculate", smallFontName, 6, 1200, 16);
    }

    void captionsFitTheirControls() {
        QFETCH(QString, caption);
        QFETCH(QFont, font);
        QFETCH(int, roomPixels);
        const int captionPixels = QFontMetrics(font).horizontalAdvance(caption);
        QVERIFY2(captionPixels <= roomPixels,
                 qPrintable(u"%1 px of %2"_s.arg(captionPixels).arg(roomPixels)));
    }
};

QTEST_MAIN(TestWindowStyle)
#include "tst_windowstyle.moc"
