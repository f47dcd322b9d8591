#include <cstdlib>

#include <QStandardPaths>

#include <gtest/gtest.h>

#include "ui/qt/application.h"

// The Qt tests run real Qt widgets on the offscreen platform: no display is needed.
// QT_QPA_PLATFORM=xcb under a virtual X server runs them on X instead. The application is the
// program's own, which passes over what an event handler lets out.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);  // unless a platform was chosen
    pv::Application application(argc, argv);
    // Nothing a test stores lands in the user's own configuration.
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
