// A stand-in for a file manager that drags files onto the program: a plain window of a fixed
// size that starts a drag of the files named on its command line when the left button goes
// down on it. It says on standard output "drag started", then "drag action copy" (or "move",
// "link", "none") each time the target under the pointer says what it would do with a drop.
//
//   drag_source WIDTH HEIGHT FILE...
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

class DragSource : public QWidget {
public:
    explicit DragSource(QList<QUrl> files) : files_(std::move(files)) {}

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        auto* offered = new QMimeData;
        offered->setUrls(files_);
        auto* drag = new QDrag(this);
        drag->setMimeData(offered);
        connect(drag, &QDrag::actionChanged, this, [](Qt::DropAction action) {
            std::printf("drag action %s\n", action == Qt::CopyAction   ? "copy"
                                            : action == Qt::MoveAction ? "move"
                                            : action == Qt::LinkAction ? "link"
                                                                       : "none");
            std::fflush(stdout);
        });
        std::printf("drag started\n");
        std::fflush(stdout);
        drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
    }

private:
    QList<QUrl> files_;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QList<QUrl> files;
    for (int i = 3; i < argc; ++i)
        files.append(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i])));  // absolute paths
    DragSource window(files);
    window.setWindowTitle("Drag source");
    window.setFixedSize(QString(argv[1]).toInt(), QString(argv[2]).toInt());
    window.show();
    return app.exec();
}
