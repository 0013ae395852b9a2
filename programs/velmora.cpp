#include "ui/MainWindow.h"
#include "ui/QtMessageBoxes.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    velmora::QtMessageBoxes messages;
    velmora::MainWindow window(messages);
    window.show();
    return app.exec();
}
