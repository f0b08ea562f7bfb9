#pragma once

#include <QObject>

#include <memory>

class PrivateCups;

// Printing on a real print system: a CUPS server of the test's own, the
// real print dialog answered from the keyboard, and the job that arrives.
class PrintThroughCupsTest : public QObject
{
    Q_OBJECT
public:
    PrintThroughCupsTest();
    ~PrintThroughCupsTest() override;

private Q_SLOTS:
    void initTestCase();
    void init(); // the queue, before each test
    void withoutAPrinterCtrlPIsReported();
    void printAllThroughTheDialogArrivesWhole();
    void aRefusedJobIsReportedNotSent();
    void escapeInTheDialogFromTheToolbarPrintsNothing();
    void cleanupTestCase();

private:
    std::unique_ptr<PrivateCups> m_cups;
};
