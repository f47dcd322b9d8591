// The reference for the start-up benchmark: a bare Qt window of the main window's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle("Minimal");
    window.setFixedSize(536, 368);
    window.show();
    return QApplication::exec();
}
