// SPDX-License-Identifier: GPL-3.0-or-later
// The main function of the widget test programs: one application object for
// the whole run, made when the tests start (listing the tests needs none).
#include "app/MainWindow.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
public:
    QtApplicationEnvironment(int& argc, char** argv) : m_argc(argc), m_argv(argv) {}

    void SetUp() override {
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
        // The Fusion style keeps the rendering independent of the desktop's theme.
        QApplication::setStyle(QStringLiteral("Fusion"));
        kt::initAppResources();
    }
    void TearDown() override { m_app.reset(); }

private:
    int& m_argc;
    char** m_argv;
    std::unique_ptr<QApplication> m_app;
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
