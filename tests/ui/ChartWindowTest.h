#pragma once

#include <QObject>

// The graph window as a user meets it: opened from the Show menu by its
// keys, its options and legend box clicked, closed with Esc; and the chart
// images of the command line.
class ChartWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void ratioPieThenStepChartsOfTheSample();
    void flatBarsWhereThereIsNoOpenGL();
    void emptyBookGivesEmptyChartsWithoutError();
    void chartImagesFromTheCommandLine();
    void amountsPast32BitsOnRoundAxes();
    void manyMattersAndNoMatters();
};
