#pragma once

#include <string>

#include <QCoreApplication>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "file_list/file_list.h"
#include "support/recording_events.h"
#include "ui/qt/main_window.h"

namespace pv::testing {

// A shown main window whose event procedures are written down, over a file list of its own.
struct ShownWindow {
    ShownWindow() : window([this] { ++programEnds; })
    {
        window.setEvents(&events);
        window.attachFileList(&files);
        window.show();
        QCoreApplication::processEvents();
        // Showing the window under the pointer reports a hover; tests start afresh.
        events.calls.clear();
    }

    ~ShownWindow() { window.attachFileList(nullptr); }

    // A small icon file that the cursor loader accepts.
    std::string writeIcon(const char* name)
    {
        QImage picture(32, 32, QImage::Format_ARGB32);
        picture.fill(Qt::red);
        const QString path = folder.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(picture.save(path, "ICO"));
        return path.toStdString();
    }

    QTemporaryDir folder;
    RecordingEvents events;
    FileList files;
    int programEnds = 0;
    MainWindow window;
};

class WindowFixture : public ::testing::Test, protected ShownWindow {};

}  // namespace pv::testing
