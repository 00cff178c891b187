#include <QApplication>

#include "app/window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    vellmora::Window window;
    window.create();
    window.show();
    return QApplication::exec();
}
