// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "testsupport.h"
#include "ui/controls/designfont.h"
#include "ui/controls/flexgrid.h"
#include "ui/controls/threedcommand.h"
#include "ui/controls/threedoption.h"
#include "ui/controls/threedpanel.h"
#include "ui/controls/twipsgeometry.h"
#include "ui/controls/widgetimage.h"
#include "ui/launcher/displaycolour.h"
#include "ui/style/windowstyle.h"

#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace TavoBAS;
using namespace Qt::Literals::StringLiterals;

namespace {

ThreedPanel* addPanel(QWidget* parent, ThreedPanel::Bevel outer, ThreedPanel::Bevel inner) {
    auto* panel = new ThreedPanel(parent);
    panel->setBevelOuter(outer);
    panel->setBevelInner(inner);
    panel->setBevelWidth(2);
    panel->setBackColor(Qt::white);
    return panel;
}

// One of each control kind as the windows use them, nested in a frame, and beside the title
// panel (raised over inset) panels that share one of its bevels, and a hidden one.
struct StyledWindow {
    QWidget window;
    ThreedPanel* frame = addPanel(&window, ThreedPanel::Inset, ThreedPanel::None);
    ThreedCommand* button = addCommandButton(frame, u"b"_s, u"&Calculate"_s, 0, 0);
    ThreedOption* option = new ThreedOption(frame);
    ThreedPanel* title = addPanel(frame, ThreedPanel::Raised, ThreedPanel::Inset);
    QList<ThreedPanel*> otherPanels{frame};

    StyledWindow() {
        using enum ThreedPanel::Bevel;
        for (const auto& [outer, inner] : {std::pair{Raised, Raised}, {Inset, Inset}, {None, None}})
            otherPanels << addPanel(frame, outer, inner);
        otherPanels.last()->hide();
    }
};

} // namespace

class TestControls : public QObject {
    Q_OBJECT

private slots:
    // A focused push button takes Enter, on either key, as well as Space.
    void enterClicksButton() {
        ThreedCommand button;
        QSignalSpy clicked(&button, &QAbstractButton::clicked);
        QTest::keyClick(&button, Qt::Key_Return);
        QTest::keyClick(&button, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(clicked.count(), 2);
    }

    void panelLook_data() {
        QTest::addColumn<int>("outer");
        QTest::addColumn<int>("bevelWidth");
        QTest::addColumn<int>("alignment");
        // The left, top, right and bottom edges against the panel colour: 1 lighter, -1 darker,
        // 0 the same; then where the caption lies: -1 left, 0 in the middle, 1 right.
        QTest::addColumn<QList<int>>("look");
        const int left = Qt::AlignLeft | Qt::AlignVCenter,
                  right = Qt::AlignRight | Qt::AlignVCenter;
        QTest::newRow("raised, left")
            << int(ThreedPanel::Raised) << 1 << left << QList<int>{1, 1, -1, -1, -1};
        QTest::newRow("inset, centred")
            << int(ThreedPanel::Inset) << 1 << int(Qt::AlignCenter) << QList<int>{-1, -1, 1, 1, 0};
        QTest::newRow("no bevel, right")
            << int(ThreedPanel::None) << 1 << right << QList<int>{0, 0, 0, 0, 1};
        QTest::newRow("raised, width 0 is flat")
            << int(ThreedPanel::Raised) << 0 << right << QList<int>{0, 0, 0, 0, 1};
    }

    void panelLook() {
        QFETCH(int, outer);
        QFETCH(int, bevelWidth);
        QFETCH(int, alignment);
        const QColor base(192, 192, 192);
        ThreedPanel panel;
        panel.setBackColor(base);
        panel.setBevelOuter(ThreedPanel::Bevel(outer));
        panel.setBevelWidth(bevelWidth);
        panel.setCaption(u"Wide"_s);
        panel.setAlignment(Qt::Alignment(alignment));
        panel.resize(200, 20);
        const QImage image = panel.grab().toImage();
        QList<int> look;
        for (const QPoint& at : {QPoint(0, 10), QPoint(100, 0), QPoint(199, 10), QPoint(100, 19)}) {
            const int difference = image.pixelColor(at).lightness() - base.lightness();
            look << (difference > 0) - (difference < 0);
        }
        int first = 200, last = -1;
        for (int x = 2; x < 198; ++x)
            for (int y = 2; y < 18; ++y)
                if (image.pixelColor(x, y) != base)
                    std::tie(first, last) = std::pair(std::min(first, x), std::max(last, x));
        const int roomLeft = first, roomRight = 199 - last;
        look << (roomLeft > roomRight + 20) - (roomRight > roomLeft + 20);
        QTEST(look, "look");
    }

    // A new grid has its header row only. A body is set in one reset and read when shown, line
    // and page breaks shown as blanks; setRows counts the header row and drops rows for good.
    void gridRows() {
        FlexGrid grid;
        grid.setFormatString(u"Won/Lost|Minutes"_s);
        QCOMPARE(gridRowCount(&grid), 1);
        QSignalSpy resets(grid.model(), &QAbstractItemModel::modelReset);
        QSignalSpy inserts(grid.model(), &QAbstractItemModel::rowsInserted);
        grid.setBody({3, [](int row, int) {
                          return u"%1\v\f\u0085\u2028\u2029."_s.arg(row);
                      }});
        QCOMPARE(QList<qsizetype>({resets.count(), inserts.count(), gridRowCount(&grid)}),
                 QList<qsizetype>({1, 0, 4}));
        QCOMPARE(gridCellText(&grid, 0, 1), u"Minutes"_s);
        QCOMPARE(gridCellText(&grid, 3, 1), u"2     ."_s);
        grid.setRows(2);
        grid.setRows(4);
        grid.scrollToTop();
        QCOMPARE(QList<QString>({gridCellText(&grid, 1, 0), gridCellText(&grid, 2, 0)}),
                 QList<QString>({u"0     ."_s, {}}));
        grid.setRows(-5);
        QCOMPARE(gridRowCount(&grid), 1);
        // A long body arrives in slices, whole.
        grid.setBody({1'234'567, [](int row, int) {
                          return QString::number(row);
                      }});
        QTRY_COMPARE(gridRowCount(&grid), 1'234'568);
        QCOMPARE(gridCellText(&grid, 1'234'567, 0), u"1234566"_s);
    }

    // Of a selection's runs a grid repaints what Qt would: those in sight, also across its edges.
    void gridRepaintsRunsInSight() {
        struct : FlexGrid {
            QRegion own(const QItemSelection& s) { return visualRegionForSelection(s); }
            QRegion qt(const QItemSelection& s) { return QTableView::visualRegionForSelection(s); }
        } grid;
        grid.setFormatString(u"Rows"_s);
        grid.setRows(1001);
        showActive(grid);
        grid.verticalScrollBar()->setValue(500);
        const int top = grid.rowAt(0), bottom = grid.rowAt(grid.viewport()->height() - 1);
        QItemSelection runs;
        for (int from : {top - 9, top - 3, top + 2, bottom, bottom + 5})
            runs.select(grid.model()->index(from, 0), grid.model()->index(from + 3, 0));
        QCOMPARE(grid.own(runs), grid.qt(runs));
    }

    // Rows grow with a larger font, so that its text is never cut; a width placed in twips
    // reads back in the same twips until the pixels change.
    void gridFollowsFontAndTwips() {
        FlexGrid grid;
        const int before = grid.verticalHeader()->defaultSectionSize();
        grid.setFontSize(20);
        QCOMPARE_GT(grid.verticalHeader()->defaultSectionSize(), before);
        QCOMPARE_GE(grid.verticalHeader()->defaultSectionSize(), grid.fontMetrics().height());

        placeInTwips(&grid, 270, 180, 2881, 2985);
        QCOMPARE(grid.width(), 192);
        QCOMPARE(grid.widthTwips(), 2881);
        grid.resize(200, grid.height());
        QCOMPARE(grid.widthTwips(), 3000);
    }

    void stylesEveryControlKind_data() {
        QTest::addColumn<bool>("reduced");
        QTest::addColumn<int>("twipsPerPixel");
        QTest::addColumn<QColor>("main");
        QTest::addColumn<QColor>("panel");
        QTest::addColumn<QString>("buttonFont");
        const QColor grey(192, 192, 192);
        QTest::newRow("full palette, 15 twips a pixel")
            << false << 15 << QColor(240, 232, 208) << QColor(255, 224, 192)
            << "MS Sans Serif 8.25";
        QTest::newRow("reduced palette, 72 DPI") << true << 20 << grey << grey << "Small Fonts 6";
    }

    void stylesEveryControlKind() {
        QFETCH(bool, reduced);
        QFETCH(int, twipsPerPixel);
        QFETCH(QColor, panel);
        usePalette(reduced);
        StyledWindow w;
        ApplyWindowStyle(&w.window, twipsPerPixel);
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

    // Also run with the screen scaled by 1.25: 96 logical DPI then make 12 twips a device pixel,
    // and the buttons take the small font.
    void buttonFontFollowsScreenScale() {
        StyledWindow w;
        ApplyWindowStyle(&w.window);
        const bool scaled = qFuzzyCompare(w.window.devicePixelRatioF(), 1.25);
        QCOMPARE(w.button->fontName(), scaled ? u"Small Fonts"_s : u"MS Sans Serif"_s);
    }

    void displayShowsColourExactly_data() {
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<int>("depth");
        QTest::addColumn<bool>("exact");
        const quint32 mainBack = 0x00D0E8F0;
        QTest::newRow("true colour 24") << mainBack << 24 << true;
        QTest::newRow("high colour 16 loses red 240") << mainBack << 16 << false;
        QTest::newRow("palette display, even white") << quint32(0x00FFFFFF) << 8 << false;
        QTest::newRow("5-6-5 keeps green 0x41") << quint32(0x00004100) << 16 << true;
        QTest::newRow("5-5-5 loses green 0x41") << quint32(0x00004100) << 15 << false;
    }

    void displayShowsColourExactly() {
        QFETCH(quint32, colour);
        QFETCH(int, depth);
        QTEST(displayShowsExactly(colour, depth), "exact");
    }

    // A picture is written whole in the format its suffix names, or nothing changes: a full disk
    // leaves the file there as it was, and a pipe of that name is not opened.
    void savesWidgetImage_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("start"); // empty: nothing written
        QTest::addColumn<QByteArray>("there"); // "pipe", or a file on a disk now full
        QTest::newRow("PNG") << u"chart.png"_s << "\x89PNG"_ba << QByteArray();
        QTest::newRow("SVG") << u"chart.SVG"_s << "<?xml"_ba << QByteArray();
        QTest::newRow("PDF") << u"chart.pdf"_s << "%PDF"_ba << QByteArray();
        QTest::newRow("other suffix") << u"chart.bmp"_s << QByteArray() << QByteArray();
        QTest::newRow("no folder") << u"missing/chart.pdf"_s << QByteArray() << QByteArray();
        QTest::newRow("pipe") << u"chart.png"_s << QByteArray() << "pipe"_ba;
        for (const char* name : {"chart.png", "chart.svg", "chart.pdf"})
            QTest::addRow("%s, disk full", name)
                << QString::fromLatin1(name) << QByteArray() << "old"_ba;
    }

    void savesWidgetImage() {
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        QFETCH(QByteArray, there);
        QLabel picture(u"Control Chart"_s);
        picture.resize(200, 100);
        const QTemporaryDir folder;
        QFile file(folder.filePath(name));
        if (there == "pipe")
            QCOMPARE(mkfifo(QFile::encodeName(file.fileName()).constData(), 0600), 0);
        else if (!there.isEmpty())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(there) == there.size());
        file.close();
        // The old file is on a disk now full: writes past 100 bytes fail.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full{there == "old" ? 100 : limit.rlim_cur, limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &full);
        const bool saved = saveWidgetImage(&picture, file.fileName());
        setrlimit(RLIMIT_FSIZE, &limit);
        QCOMPARE(saved, !start.isEmpty());
        if (there != "pipe") { // which would wait for a writer
            QCOMPARE(file.open(QIODevice::ReadOnly), saved || !there.isEmpty());
            QVERIFY(!file.isOpen() || file.readAll().startsWith(saved ? start : there));
        }
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
