#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    // listing the tests (CTest's discovery) needs no display
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    // what Qt's dialogs remember (the file dialog its last folder) goes to a
    // test folder, never into the user's own settings
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
