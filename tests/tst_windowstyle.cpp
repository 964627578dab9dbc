#include "controls/designfont.h"
#include "controls/flexgrid.h"
#include "controls/threedcommand.h"
#include "controls/threedoption.h"
#include "controls/threedpanel.h"
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

    void stylesEveryControlKind_data() {
        QTest::addColumn<bool>("reduced");
        QTest::addColumn<int>("twipsPerPixel");
        QTest::addColumn<QColor>("main");
        QTest::addColumn<QColor>("panel");
        QTest::addColumn<QString>("buttonFont");
        const QColor grey(192, 192, 192);
        // 0 asks this screen, which offscreen is at 96 DPI; any other scale takes the small font.
        QTest::newRow("full palette, this screen")
            << false << 0 << QColor(240, 232, 208) << QColor(255, 224, 192) << "MS Sans Serif 8.25";
        QTest::newRow("reduced palette, 72 DPI") << true << 20 << grey << grey << "Small Fonts 6";
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
        QTEST(w.title->backColor(), "main");
        QCOMPARE(w.title->bevelWidth(), 0);
        QVERIFY(w.option->font() == designFont() && w.title->font() == designFont());
        for (ThreedPanel* p : std::as_const(w.otherPanels))
            QVERIFY2(p->backColor() == panel && p->bevelWidth() == 2,
                     qPrintable(u"bevels %1 over %2"_s.arg(p->bevelOuter()).arg(p->bevelInner())));
    }

    // The tightest fits of the design font and of the small font at 120 DPI, where captions grow
    // most: without scaling, fonts grow by 120/96 while a twip stays 1/12 pixel.
    void captionsFitAt120Dpi() {
        const auto overflow = [](const char* caption, const char* family, double points,
                                 int roomTwips, int marginPixels) {
            QFont font(QString::fromLatin1(family));
            font.setBold(true);
            font.setPointSizeF(points * 120 / 96);
            return QFontMetrics(font).horizontalAdvance(QString::fromLatin1(caption)) -
                   (roomTwips / 12 - marginPixels * 120 / 96);
        };
        // Margins at 96 DPI: a panel's caption margins, a button face's rounded ends. Row
        // captions run under their text box from 2970 twips, so only 2160 of their 2580 show.
        QCOMPARE_LE(overflow("Slug outside the PZ (b)", designFontName, designFontSize, 2160, 4),
                    0);
        QCOMPARE_LE(overflow("Calculate", smallFontName, 6, 1200, 16), 0);
    }
};

QTEST_MAIN(TestWindowStyle)
#include "tst_windowstyle.moc"
