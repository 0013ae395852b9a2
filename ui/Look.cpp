#include "ui/Look.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>
#include <QPointer>
#include <QStyle>

namespace velmora::look
{

namespace
{

// The style builds its palette anew on every call, and the window asks for
// it for each of its fields; kept while the style stays the same.
const QPalette &standard()
{
    static QPointer<QStyle> style;
    static QPalette palette;
    if (style != QApplication::style()) {
        style = QApplication::style();
        palette = style->standardPalette();
    }
    return palette;
}

} // namespace

QColor systemWindow()
{
    return standard().color(QPalette::Base);
}

QColor systemWindowText()
{
    return standard().color(QPalette::Text);
}

QColor systemMenu()
{
    return standard().color(QPalette::Window);
}

QFont font(bool bold, double points)
{
    QFont f;
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QFont buttonFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(9.75);
    f.setBold(true);
    return f;
}

bool regularUntilFocused(const QString &array)
{
    return array == u"Text9" || array == u"Text10" || array == u"txtRatioBuy"
        || array == u"txtRatioSell";
}

int titleWidth(const QString &title)
{
    // The window manager draws the caption in a font of its own; bold is
    // the common choice and the wider one.
    constexpr int kCaptionChrome = 120;
    QFont caption = QApplication::font();
    caption.setBold(true);
    return QFontMetrics(caption).horizontalAdvance(title) + kCaptionChrome;
}

} // namespace velmora::look
