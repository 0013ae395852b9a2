#include "ui/ProgramStyle.h"

#include "ui/Look.h"

#include <QApplication>
#include <QProxyStyle>

namespace velmora
{

namespace
{

class ProgramStyle : public QProxyStyle
{
public:
    explicit ProgramStyle(const QString &baseName)
        : QProxyStyle(baseName)
    {
    }

    QIcon standardIcon(
        StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override
    {
        if (icon == SP_ToolBarHorizontalExtensionButton)
            return {};
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

} // namespace

void useProgramStyle(QApplication &app)
{
    // A fresh instance by name: setStyle() deletes the style it replaces.
    app.setStyle(new ProgramStyle(QApplication::style()->name()));
    // Menus, boxes and dialogs in the type of the window's own captions, so
    // that start-up prepares one regular type instead of two.
    QApplication::setFont(look::font(false));
}

} // namespace velmora
