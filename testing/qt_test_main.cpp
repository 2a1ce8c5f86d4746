#include <QApplication>
#include <QDir>
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

    // what the window remembers, and what Qt's own dialogs remember (the file
    // dialog its last folder), goes here, never into the user's ~/.config
    QTemporaryDir settings;
    if (!settings.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings(settings.path()));

    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
