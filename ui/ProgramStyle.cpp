#include "ui/ProgramStyle.h"

#include <QApplication>
#include <QProxyStyle>

namespace velmora
{

namespace
{

class ProgramStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

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
}

} // namespace velmora
