// The one main() of the tests that need a Qt application: the window's, the
// Qt printer's and the print test through the window.

#include "font_mapping.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

namespace {

// Empties the tests' settings folder before each test, so that every test
// starts as a first start of Korvane, with nothing remembered.
class FreshSettings final : public testing::EmptyTestEventListener {
public:
    explicit FreshSettings(QString folder) : folder_(std::move(folder)) {}
    void OnTestStart(const testing::TestInfo&) override { QDir(folder_ + "/Korvane").removeRecursively(); }

private:
    QString folder_;
};

} // namespace

int main(int argc, char* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    // listing the tests (CTest's discovery) needs no display
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    // CTest sets the platform; a test run by hand gets it here
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // what the window remembers, and what Qt's own dialogs remember (the file
    // dialog its last folder), goes here, never into the user's ~/.config
    QTemporaryDir settings;
    if (!settings.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings(settings.path()));

    QApplication app(argc, argv);
    // the faces that stand in for "宋体", as the program maps them
    korvane::mapLayoutFonts();
    return RUN_ALL_TESTS();
}
