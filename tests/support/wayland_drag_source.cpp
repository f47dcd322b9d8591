// A stand-in for a file manager in tests that drop files on the program under Wayland: a plain
// window of a fixed size that starts a drag of the files named on its command line as soon as
// the left button is pressed on it. It reports on standard output, one line each: "shown" once
// it has painted, "drag started" when the drag begins, "drag action copy" (or "move", "link",
// "none") each time the target under the pointer says what it would do with a drop, and
// "drag ended copy" (or "move", "link", "none") when the drag is over, which says whether a
// target took the files.
//
//   wayland_drag_source WIDTH HEIGHT FILE...
//
// Build: g++ -std=c++17 -fPIC $(pkg-config --cflags Qt6Widgets) wayland_drag_source.cpp \
//            -o wayland_drag_source $(pkg-config --libs Qt6Widgets)
#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Report(const char* line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

const char* Name(Qt::DropAction action)
{
    switch (action) {
    case Qt::CopyAction:
        return "copy";
    case Qt::MoveAction:
        return "move";
    case Qt::LinkAction:
        return "link";
    default:
        return "none";
    }
}

class DragSource : public QWidget {
public:
    explicit DragSource(QList<QUrl> files) : files_(std::move(files)) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), QColor(0x30, 0x80, 0x30));
        if (!shown_) {
            shown_ = true;
            Report("shown");
        }
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        auto* data = new QMimeData;
        data->setUrls(files_);
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        connect(drag, &QDrag::actionChanged, this,
                [](Qt::DropAction action) { Report((std::string("drag action ") + Name(action)).c_str()); });
        Report("drag started");
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
        Report((std::string("drag ended ") + Name(action)).c_str());
    }

private:
    QList<QUrl> files_;
    bool shown_ = false;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT FILE...\n", argv[0]);
        return 2;
    }
    QList<QUrl> files;
    for (int i = 3; i < argc; ++i)
        files.append(QUrl::fromLocalFile(QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath()));
    DragSource window(files);
    window.setWindowTitle("Drag source");
    window.setFixedSize(std::atoi(argv[1]), std::atoi(argv[2]));
    window.show();
    return app.exec();
}
