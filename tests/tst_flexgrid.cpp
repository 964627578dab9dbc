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
        QTest::newRow("shrink drops the rows past the end") << 3 << 3 << "kept";
        QTest::newRow("negative keeps the header") << -5 << 1 << QString();
    }

    // One reset rather than row inserts keeps a million-row paste quick; a partial last row is
    // padded. Shrinking and growing again must not bring back the dropped rows, and cells past
    // the last row or column read as empty and ignore writes.
    void rowsIncludeTheHeaderRow() {
        QFETCH(int, set);
        QFETCH(int, rows);
        const auto grid = sessionGrid(7);
        QSignalSpy resets(grid->model(), &QAbstractItemModel::modelReset);
        QSignalSpy inserts(grid->model(), &QAbstractItemModel::rowsInserted);
        grid->setBodyCells({{}, {}, {}, u"kept"_s, {}, {}, u"row 4"_s});
        QCOMPARE(resets.count(), 1);
        QCOMPARE(inserts.count(), 0);
        QCOMPARE(grid->rows(), 5);
        QCOMPARE(grid->bodyCells().size(), 8);
        grid->setRows(set);
        grid->setRows(grid->rows() + 2);
        grid->setRows(set);
        QCOMPARE(grid->rows(), rows);
        QTEST(grid->textMatrix(2, 1), "row2");
        for (const auto& [row, col] : {std::pair{rows, 0}, {1, 2}, {0, 2}, {1, -1}}) {
            grid->setTextMatrix(row, col, u"x"_s);
            QCOMPARE(grid->textMatrix(row, col), QString());
        }
        QCOMPARE(grid->bodyCells().size(), qsizetype(rows - 1) * 2);
        QCOMPARE(grid->bodyCells().contains(u"row 4"_s), rows > 4);
    }

    void flexAlignment_data() {
        QTest::addColumn<int>("flex");
        QTest::addColumn<int>("qt");
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
        QTest::newRow("1252 rounds down") << 1252 << 83;
        QTest::newRow("1253 rounds up") << 1253 << 84;
        QTest::newRow("one twip more keeps its twip") << 2881 << 192;
    }

    // A width reads back in the twips it was set in until its pixels change.
    void widthsInTwips() {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        const auto grid = sessionGrid(1);
        grid->setColWidth(0, twips);
        placeInTwips(grid.get(), 270, 180, twips, 2985);
        QCOMPARE(grid->columnWidth(0), pixels);
        QCOMPARE(grid->colWidth(0), twips);
        QCOMPARE(grid->widthTwips(), twips);
        grid->setColumnWidth(0, 100);
        grid->resize(200, grid->height());
        QCOMPARE(grid->colWidth(0), 1500);
        QCOMPARE(grid->widthTwips(), 3000);
    }
};

QTEST_MAIN(TestFlexGrid)
#include "tst_flexgrid.moc"
