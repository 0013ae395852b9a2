#include "ui/Look.h"

#include <QApplication>
#include <QFontDatabase>
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
    // Arial where the machine has it. Elsewhere the window's own type rather
    // than the look-alike the font configuration would pick: that one is a
    // font file of its own, prepared at start-up for two captions.
    QFont f = font(true);
    const QString arial = QStringLiteral("Arial");
    if (QFontDatabase::families().contains(arial, Qt::CaseInsensitive))
        f.setFamily(arial);
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
