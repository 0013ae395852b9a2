#include "app/widgets/MainWindow.h"
#include "app/widgets/QtMessageBoxes.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    velmora::QtMessageBoxes messages;
    velmora::MainWindow window(messages);
    window.show();
    return app.exec();
}
