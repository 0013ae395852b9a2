// The floor the whole-process benchmark compares against: a Qt Widgets
// program that creates its application and one widget and exits. With
// VELMORA_EXIT_AFTER_FIRST_PAINT set it shows the widget and exits after its
// first paint instead.

#include "ui/FirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget widget;
    if (qEnvironmentVariableIsEmpty("VELMORA_EXIT_AFTER_FIRST_PAINT"))
        return 0;
    velmora::exitAfterFirstPaintIfAsked(app);
    widget.show();
    return app.exec();
}
