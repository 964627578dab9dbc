#include "controls/flexgrid.h"
#include "controls/twipsgeometry.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

class TestFlexGrid : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void rowsIncludeTheHeaderRow_data();
    void rowsIncludeTheHeaderRow();
    void rowZeroIsTheHeader();
    void cellsOutsideTheGridAreIgnored_data();
    void cellsOutsideTheGridAreIgnored();
    void bulkCellsFillWholeRows_data();
    void bulkCellsFillWholeRows();
    void flexAlignment_data();
    void flexAlignment();
    void columnWidthInTwips_data();
    void columnWidthInTwips();
    void gridWidthInTwips_data();
    void gridWidthInTwips();
    void millionRowsScrollToTheEnd();
};

namespace {

std::unique_ptr<FlexGrid> sessionGrid(int rows) {
    auto grid = std::make_unique<FlexGrid>();
    grid->setFormatString(QStringLiteral("Won/Lost|Minutes"));
    grid->setRows(rows);
    return grid;
}

} // namespace

void TestFlexGrid::initTestCase() {
    if (FlexGrid().logicalDpiX() != 96)
        QSKIP("the twips expectations assume a 96 DPI screen");
}

void TestFlexGrid::rowsIncludeTheHeaderRow_data() {
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

void TestFlexGrid::rowsIncludeTheHeaderRow() {
    QFETCH(int, set);
    QFETCH(int, rows);
    QFETCH(QString, row2);
    QFETCH(int, row4Kept);
    const auto grid = sessionGrid(5);
    grid->setTextMatrix(2, 1, QStringLiteral("kept"));
    grid->setTextMatrix(4, 0, QStringLiteral("row 4"));
    grid->setRows(set);
    grid->setRows(grid->rows() + 2);
    grid->setRows(set);
    QCOMPARE(grid->rows(), rows);
    QCOMPARE(grid->model()->rowCount(), rows - 1);
    QCOMPARE(grid->bodyCells().size(), qsizetype(rows - 1) * 2);
    QCOMPARE(grid->textMatrix(2, 1), row2);
    QCOMPARE(grid->bodyCells().count(QStringLiteral("row 4")), row4Kept);
}

void TestFlexGrid::rowZeroIsTheHeader() {
    const auto grid = sessionGrid(2);
    grid->setTextMatrix(1, 0, QStringLiteral("-150"));
    QCOMPARE(grid->textMatrix(0, 1), QStringLiteral("Minutes"));
    QCOMPARE(grid->model()->index(0, 0).data().toString(), QStringLiteral("-150"));
    grid->setTextMatrix(0, 1, QStringLiteral("Hours"));
    QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Hours"));
    QVERIFY(!(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemIsEditable));

    grid->setFormatString(QStringLiteral("Results"));
    QCOMPARE(grid->cols(), 1);
    QCOMPARE(grid->rows(), 2);
    QCOMPARE(grid->textMatrix(1, 0), QString());
}

void TestFlexGrid::cellsOutsideTheGridAreIgnored_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");

    QTest::newRow("row past the end") << 3 << 0;
    QTest::newRow("column past the end") << 1 << 2;
    QTest::newRow("header column past the end") << 0 << 2;
    QTest::newRow("negative column") << 1 << -1;
}

void TestFlexGrid::cellsOutsideTheGridAreIgnored() {
    QFETCH(int, row);
    QFETCH(int, col);
    const auto grid = sessionGrid(3);
    grid->setTextMatrix(row, col, QStringLiteral("x"));
    QCOMPARE(grid->textMatrix(row, col), QString());
    QCOMPARE(grid->bodyCells(), QList<QString>(4));
    QCOMPARE(grid->textMatrix(0, 0), QStringLiteral("Won/Lost"));
}

void TestFlexGrid::bulkCellsFillWholeRows_data() {
    QTest::addColumn<QList<QString>>("cells");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("lastMinutes");

    QTest::newRow("none") << QList<QString>{} << 1 << "Minutes";
    QTest::newRow("one session") << QList<QString>{"100", "60"} << 2 << "60";
    QTest::newRow("partial row padded") << QList<QString>{"100", "60", "-40"} << 3 << "";
    QTest::newRow("three sessions") << QList<QString>{"1", "2", "3", "4", "5", "6"} << 4 << "6";
}

void TestFlexGrid::bulkCellsFillWholeRows() {
    QFETCH(QList<QString>, cells);
    QFETCH(int, rows);
    QFETCH(QString, lastMinutes);
    const auto grid = sessionGrid(7);
    QSignalSpy resets(grid->model(), &QAbstractItemModel::modelReset);
    QSignalSpy inserts(grid->model(), &QAbstractItemModel::rowsInserted);
    grid->setBodyCells(cells);
    QCOMPARE(resets.count(), 1);
    QCOMPARE(inserts.count(), 0);
    QCOMPARE(grid->rows(), rows);
    QCOMPARE(grid->textMatrix(rows - 1, 1), lastMinutes);
    QCOMPARE(grid->bodyCells().size(), qsizetype(rows - 1) * 2);
}

void TestFlexGrid::flexAlignment_data() {
    QTest::addColumn<int>("flex");
    QTest::addColumn<Qt::Alignment>("qt");

    QTest::newRow("0 left top") << 0 << (Qt::AlignLeft | Qt::AlignTop);
    QTest::newRow("3 centre top") << 3 << (Qt::AlignHCenter | Qt::AlignTop);
    QTest::newRow("4 centre centre") << 4 << Qt::Alignment(Qt::AlignCenter);
    QTest::newRow("7 right centre") << 7 << (Qt::AlignRight | Qt::AlignVCenter);
    QTest::newRow("9 general reads left") << 9 << (Qt::AlignLeft | Qt::AlignVCenter);
    QTest::newRow("-1 reads left") << -1 << (Qt::AlignLeft | Qt::AlignVCenter);
}

void TestFlexGrid::flexAlignment() {
    QFETCH(int, flex);
    QFETCH(Qt::Alignment, qt);
    const auto grid = sessionGrid(3);
    grid->setColAlignment(1, flex);
    const auto alignment = [](const QVariant& value) {
        return Qt::Alignment(value.toInt());
    };
    QCOMPARE(alignment(grid->model()->index(1, 1).data(Qt::TextAlignmentRole)), qt);
    QCOMPARE(alignment(grid->model()->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole)), qt);
    QCOMPARE(alignment(grid->model()->index(1, 0).data(Qt::TextAlignmentRole)),
             Qt::AlignLeft | Qt::AlignVCenter);
}

void TestFlexGrid::columnWidthInTwips_data() {
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");

    QTest::newRow("1245 is 83 px") << 1245 << 83;
    QTest::newRow("1246 rounds down") << 1246 << 83;
    QTest::newRow("1252 rounds down") << 1252 << 83;
    QTest::newRow("1253 rounds up") << 1253 << 84;
    QTest::newRow("zero") << 0 << 0;
}

void TestFlexGrid::columnWidthInTwips() {
    QFETCH(int, twips);
    QFETCH(int, pixels);
    const auto grid = sessionGrid(1);
    grid->setColWidth(0, twips);
    QCOMPARE(grid->columnWidth(0), pixels);
    QCOMPARE(grid->colWidth(0), twips);
    grid->setColumnWidth(0, 100);
    QCOMPARE(grid->colWidth(0), 1500);
}

void TestFlexGrid::gridWidthInTwips_data() {
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");

    QTest::newRow("design width") << 2880 << 192;
    QTest::newRow("one twip more keeps its twip") << 2881 << 192;
    QTest::newRow("results grid") << 11250 << 750;
}

void TestFlexGrid::gridWidthInTwips() {
    QFETCH(int, twips);
    QFETCH(int, pixels);
    FlexGrid grid;
    placeInTwips(&grid, 270, 180, twips, 2985);
    QCOMPARE(grid.width(), pixels);
    QCOMPARE(grid.widthTwips(), twips);
    grid.resize(200, grid.height());
    QCOMPARE(grid.widthTwips(), 3000);
}

void TestFlexGrid::millionRowsScrollToTheEnd() {
    FlexGrid grid;
    grid.setFormatString(QStringLiteral("Results"));
    placeInTwips(&grid, 75, 3300, 11250, 2640);
    grid.setBodyCells(QList<QString>(1'000'000, QStringLiteral("line")));
    grid.setTextMatrix(1'000'000, 0, QStringLiteral("last"));
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.scrollToBottom();
    const int bottomRow = grid.rowAt(grid.viewport()->height() - 1);
    QCOMPARE(bottomRow, 999'999);
    QCOMPARE(grid.model()->index(bottomRow, 0).data().toString(), QStringLiteral("last"));
}

QTEST_MAIN(TestFlexGrid)
#include "tst_flexgrid.moc"
