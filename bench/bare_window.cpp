// The yardstick of bench_startup: the smallest Qt Widgets program that maps a
// window of the same kind and size as the program's first one.

#include <QApplication>
#include <QLabel>
#include <QScreen>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Quadrivel"));
    window.resize(QApplication::primaryScreen()->availableSize() * 3 / 4);
    window.show();
    return QApplication::exec();
}
