// Entry point of the GUI test programs: one QApplication for all tests, offscreen by default.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

namespace {

// Every test starts from an empty settings store in a folder of its own, so no test reads what
// another left behind, nor the settings of the user running the tests.
class FreshSettings : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        folder_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_->path());
    }
    void OnTestEnd(const ::testing::TestInfo&) override { folder_.reset(); }

    std::unique_ptr<QTemporaryDir> folder_;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // The listener list takes ownership.
    ::testing::UnitTest::GetInstance()->listeners().Append(
        std::make_unique<FreshSettings>().release());
    return RUN_ALL_TESTS();
}
