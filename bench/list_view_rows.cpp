// Times what the window does with rows appended in one go, as "Add All" appends them: the
// list's appends, then the turn of the event loop in which the list view is told of them,
// lays them out and paints; and the same again for a second batch on top of the first.
//
//   bench_list_view_rows [ROWS]    ROWS defaults to 98000 (the PDF rows of a million files)
//
// Prints figures only; the target (no turn over 30 ms) is for the reader to judge. Runs on
// Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeView>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "file_list/file_list.h"
#include "ui/qt/main_window.h"

namespace {

double Milliseconds(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// A path as the walk of a generated tree gives it.
std::string RowPath(long i)
{
    char path[160];
    std::snprintf(path, sizeof path, "/home/user/Documents/Folder %05ld/Folder %05ld/doc %06ld.pdf", i % 3125,
                  i % 50000, i * 10);
    return path;
}

void AppendAndShow(pv::FileList& files, pv::MainWindow& window, long rows, const char* label)
{
    std::vector<std::string> paths;
    for (long i = 0; i < rows; ++i)
        paths.push_back(RowPath(files.count() + i));
    QElapsedTimer timer;
    timer.start();
    for (std::string& path : paths)
        files.append(std::move(path));
    const double appending = Milliseconds(timer);

    timer.restart();
    QCoreApplication::processEvents();
    const double announcing = Milliseconds(timer);

    timer.restart();
    window.repaint();
    const double painting = Milliseconds(timer);

    auto* view = window.findChild<QTreeView*>(QStringLiteral("ListView1"));
    std::printf("%s: %ld rows appended in %.1f ms; the turn that shows them: %.1f ms; a repaint: %.1f ms "
                "(the view shows %d rows)\n",
                label, rows, appending, announcing, painting, view->model()->rowCount());
}

}  // namespace

int main(int argc, char** argv)
{
    const long rows = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 98000;
    if (rows < 1) {
        std::fprintf(stderr, "usage: %s [ROWS]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);

    pv::MainWindow window([] {});
    pv::FileList files;
    window.attachFileList(&files);
    window.listView().addColumn("PDF Files");
    window.listView().setColumnWidth(0, 7000);
    window.show();
    QCoreApplication::processEvents();

    AppendAndShow(files, window, rows, "first batch");
    AppendAndShow(files, window, rows, "second batch");
    window.attachFileList(nullptr);
    return 0;
}
