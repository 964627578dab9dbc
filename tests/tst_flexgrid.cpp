#include "controls/flexgrid.h"
#include "controls/twipsgeometry.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

std::unique_ptr<FlexGrid> sessionGrid(int rows) {
    auto grid = std::make_unique<FlexGrid>();
    grid->setFormatString(u"Won/Lost|Minutes"_s);
    grid->setRows(rows);
    return grid;
}

} // namespace

class TestFlexGrid : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (FlexGrid().logicalDpiX() != 96)
            QSKIP("the twips expectations assume a 96 DPI screen");
    }

    void rowsIncludeTheHeaderRow_data() {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("row2");
        QTest::addColumn<int>("row4Kept");
        QTest::newRow("header only") << 1 << 1 << QString() << 0;
        QTest::newRow("shrink drops the rows past the end") << 3 << 3 << "kept" << 0;
        QTest::newRow("grow adds empty rows") << 9 << 9 << "kept" << 1;
        QTest::newRow("zero keeps the header") << 0 << 1 << QString() << 0;
        QTest::newRow("negative keeps the header") << -5 << 1 << QString() << 0;
    }

    // Shrinking and growing again must not bring back the dropped rows.
    void rowsIncludeTheHeaderRow() {
        QFETCH(int, set);
        QFETCH(int, rows);
        const auto grid = sessionGrid(5);
        grid->setTextMatrix(2, 1, u"kept"_s);
        grid->setTextMatrix(4, 0, u"row 4"_s);
        grid->setRows(set);
        grid->setRows(grid->rows() + 2);
        grid->setRows(set);
        QCOMPARE(grid->rows(), rows);
        QCOMPARE(grid->bodyCells().size(), qsizetype(rows - 1) * 2);
        QTEST(grid->textMatrix(2, 1), "row2");
        QTEST(int(grid->bodyCells().count(u"row 4"_s)), "row4Kept");
    }

    void rowZeroIsTheHeader() {
        const auto grid = sessionGrid(3);
        grid->setTextMatrix(1, 0, u"-150"_s);
        QCOMPARE(grid->textMatrix(0, 1), u"Minutes"_s);
        QCOMPARE(grid->model()->index(0, 0).data().toString(), u"-150"_s);
        grid->setTextMatrix(0, 1, u"Hours"_s);
        QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), u"Hours"_s);

        // Cells outside the grid read as empty and ignore writes.
        for (const auto& [row, col] : {std::pair{3, 0}, {1, 2}, {0, 2}, {1, -1}}) {
            grid->setTextMatrix(row, col, u"x"_s);
            QCOMPARE(grid->textMatrix(row, col), QString());
        }
        QCOMPARE(grid->bodyCells(), QList<QString>({"-150", "", "", ""}));
        QCOMPARE(grid->textMatrix(0, 0), u"Won/Lost"_s);

        grid->setFormatString(u"Results"_s);
        QCOMPARE(grid->cols(), 1);
        QCOMPARE(grid->rows(), 3);
        QCOMPARE(grid->textMatrix(1, 0), QString());
    }

    void bulkCellsFillWholeRows_data() {
        QTest::addColumn<QList<QString>>("cells");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("lastMinutes");
        QTest::newRow("none") << QList<QString>{} << 1 << "Minutes";
        QTest::newRow("one session") << QList<QString>{"100", "60"} << 2 << "60";
        QTest::newRow("partial row padded") << QList<QString>{"100", "60", "-40"} << 3 << "";
        QTest::newRow("three sessions") << QList<QString>{"1", "2", "3", "4", "5", "6"} << 4 << "6";
    }

    // One reset rather than row inserts keeps a million-row paste quick.
    void bulkCellsFillWholeRows() {
        QFETCH(QList<QString>, cells);
        QFETCH(int, rows);
        const auto grid = sessionGrid(7);
        QSignalSpy resets(grid->model(), &QAbstractItemModel::modelReset);
        QSignalSpy inserts(grid->model(), &QAbstractItemModel::rowsInserted);
        grid->setBodyCells(cells);
        QCOMPARE(resets.count(), 1);
        QCOMPARE(inserts.count(), 0);
        QCOMPARE(grid->rows(), rows);
        QTEST(grid->textMatrix(rows - 1, 1), "lastMinutes");
        QCOMPARE(grid->bodyCells().size(), qsizetype(rows - 1) * 2);
    }

    void flexAlignment_data() {
        QTest::addColumn<int>("flex");
        QTest::addColumn<int>("qt");
        QTest::newRow("0 left top") << 0 << int(Qt::AlignLeft | Qt::AlignTop);
        QTest::newRow("3 centre top") << 3 << int(Qt::AlignHCenter | Qt::AlignTop);
        QTest::newRow("7 right centre") << 7 << int(Qt::AlignRight | Qt::AlignVCenter);
        QTest::newRow("9 general reads left") << 9 << int(Qt::AlignLeft | Qt::AlignVCenter);
        QTest::newRow("-1 reads left") << -1 << int(Qt::AlignLeft | Qt::AlignVCenter);
    }

    void flexAlignment() {
        QFETCH(int, flex);
        const auto grid = sessionGrid(3);
        grid->setColAlignment(1, flex);
        QTEST(grid->model()->index(1, 1).data(Qt::TextAlignmentRole).toInt(), "qt");
        QTEST(grid->model()->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), "qt");
        QCOMPARE(grid->model()->index(1, 0).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignLeft | Qt::AlignVCenter));
    }

    void widthsInTwips_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("1245 is 83 px") << 1245 << 83;
        QTest::newRow("1252 rounds down") << 1252 << 83;
        QTest::newRow("1253 rounds up") << 1253 << 84;
        QTest::newRow("design grid width") << 2880 << 192;
        QTest::newRow("one twip more keeps its twip") << 2881 << 192;
        QTest::newRow("zero") << 0 << 0;
    }

    // A width reads back in the twips it was set in until its pixels change.
    void widthsInTwips() {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        const auto grid = sessionGrid(1);
        grid->setColWidth(0, twips);
        placeInTwips(grid.get(), 270, 180, twips, 2985);
        QCOMPARE(grid->columnWidth(0), pixels);
        QCOMPARE(grid->width(), pixels);
        QCOMPARE(grid->colWidth(0), twips);
        QCOMPARE(grid->widthTwips(), twips);
        grid->setColumnWidth(0, 100);
        grid->resize(200, grid->height());
        QCOMPARE(grid->colWidth(0), 1500);
        QCOMPARE(grid->widthTwips(), 3000);
    }

    void millionRowsScrollToTheEnd() {
        FlexGrid grid;
        grid.setFormatString(u"Results"_s);
        placeInTwips(&grid, 75, 3300, 11250, 2640);
        grid.setBodyCells(QList<QString>(1'000'000, u"line"_s));
        grid.setTextMatrix(1'000'000, 0, u"last"_s);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.scrollToBottom();
        const int bottomRow = grid.rowAt(grid.viewport()->height() - 1);
        QCOMPARE(bottomRow, 999'999);
        QCOMPARE(grid.model()->index(bottomRow, 0).data().toString(), u"last"_s);
    }
};

QTEST_MAIN(TestFlexGrid)
#include "tst_flexgrid.moc"
