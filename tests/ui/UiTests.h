#pragma once

#include <QTest>

#include <functional>
#include <vector>

// Each GUI test class registers itself; the one main runs them all.
using UiTestRun = std::function<int(int argc, char **argv)>;
std::vector<UiTestRun> &UiTests();

#define PURSLET_UI_TEST(Class)                                                                                         \
    static const bool registered##Class = (UiTests().push_back([](int argc, char **argv) {                             \
        Class test;                                                                                                    \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }),                                                                                                                \
                                           true);
