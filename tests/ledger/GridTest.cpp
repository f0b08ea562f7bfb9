#include "data/Grid.h"
#include "data/GridModel.h"
#include "platform/RuntimeError.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace purslet;

namespace {
Grid makeGrid(int rows)
{
    Grid g(QStringLiteral("g"));
    g.setCols(3);
    g.setRows(rows);
    for (int r = 0; r < rows; ++r)
        g.setText(r, 0, QString::number(r));
    return g;
}
} // namespace

TEST(Grid, InsertRemoveAndReorderKeepTextsAndColours)
{
    Grid g = makeGrid(4);
    g.setCellBackground(2, 1, 0xFF112233);
    g.insertRow(2, {QStringLiteral("new"), QStringLiteral("x")});
    ASSERT_EQ(g.rows(), 5);
    EXPECT_EQ(g.text(2, 0), QStringLiteral("new"));
    EXPECT_EQ(g.text(2, 2), QString());
    EXPECT_EQ(g.cellBackground(3, 1), 0xFF112233u); // the colour moved with its row
    g.removeRow(1);
    EXPECT_EQ(g.text(1, 0), QStringLiteral("new"));
    g.reorderRows(1, {2, 0, 1});
    EXPECT_EQ(g.rowTexts(1).at(0), QStringLiteral("3"));
    EXPECT_EQ(g.rowTexts(2).at(0), QStringLiteral("new"));
    EXPECT_EQ(g.rowTexts(3).at(0), QStringLiteral("2"));
    EXPECT_THROW(g.text(9, 0), RuntimeError);
    EXPECT_THROW(g.insertRow(7), RuntimeError);
}

TEST(Grid, ReorderTakesEveryRowOnce)
{
    const auto firstColumn = [](const Grid &g) {
        QStringList texts;
        for (int r = 0; r < g.rows(); ++r)
            texts << g.text(r, 0);
        return texts.join(QLatin1Char(' '));
    };
    // Two cycles and a row that stays.
    Grid g = makeGrid(7);
    g.reorderRows(1, {1, 0, 3, 4, 2});
    EXPECT_EQ(firstColumn(g), QStringLiteral("0 2 1 4 5 3 6"));
    // What is not a permutation is refused before any row moves.
    for (const std::vector<int> &order : {std::vector<int>{0, 0, 1}, {0, 5}, {-1, 0}}) {
        EXPECT_THROW(g.reorderRows(1, order), RuntimeError);
        EXPECT_EQ(firstColumn(g), QStringLiteral("0 2 1 4 5 3 6"));
    }
}

TEST(Grid, WidthChangesKeepEachRowsCellsAndColours)
{
    Grid g = makeGrid(3);
    g.setText(2, 2, QStringLiteral("c"));
    g.setCellBackground(2, 1, 0xFF010203);
    g.setCols(5);
    EXPECT_EQ(g.rowTexts(2), (QStringList{"2", "", "c", "", ""}));
    EXPECT_EQ(g.cellBackground(2, 1), 0xFF010203u);
    EXPECT_EQ(g.cellBackground(2, 4), 0u);
    g.setCols(2);
    EXPECT_EQ(g.rowTexts(1), (QStringList{"1", ""}));
    EXPECT_EQ(g.cellBackground(2, 1), 0xFF010203u);
    // Cells past the width are dropped; the colour follows its row.
    g.insertRow(0, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("x")});
    EXPECT_EQ(g.rowTexts(0), (QStringList{"a", "b"}));
    g.reorderRows(0, {3, 0, 1, 2});
    EXPECT_EQ(g.rowTexts(0), (QStringList{"2", ""}));
    EXPECT_EQ(g.cellBackground(0, 1), 0xFF010203u);
    EXPECT_EQ(g.cellBackground(3, 1), 0u);
}

TEST(Grid, KeepsOneBodyRowBelowTheHeader)
{
    Grid g = makeGrid(3);
    g.removeRow(2);
    try {
        g.removeRow(1);
        FAIL() << "the last body row must not go";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), 30015);
    }
    EXPECT_EQ(g.rows(), 2);
}

TEST(GridModel, FollowsTheGridAndPassesTheModelTester)
{
    Grid g = makeGrid(4);
    GridModel model(g);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("0"));
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("1"));

    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    g.insertRow(2);
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(model.rowCount(), 4);

    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    {
        Grid::Bulk bulk(g);
        for (int i = 0; i < 100; ++i)
            g.insertRow(g.rows() - 1);
        g.removeRow(1);
        g.setCellBackground(1, 2, 0xFFBEBEFF);
    }
    EXPECT_EQ(resets.count(), 1); // one reset for the whole bulk update
    EXPECT_EQ(model.rowCount(), g.rows() - 1);
    EXPECT_EQ(model.data(model.index(0, 2), GridModel::BackgroundRgbRole).toUInt(), 0xFFBEBEFFu);

    g.setCellBackground(0, 1, 0xFFFFBEBE);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, GridModel::BackgroundRgbRole).toUInt(), 0xFFFFBEBEu);
}
