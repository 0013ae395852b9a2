#include "ui/ProgramStyle.h"

#include "ui/Look.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

#include <algorithm>

namespace velmora
{

namespace
{

class ProgramStyle : public QProxyStyle
{
public:
    explicit ProgramStyle(const QString &baseName)
        : QProxyStyle(baseName)
        , m_fusion(baseStyle()->name().compare(u"fusion", Qt::CaseInsensitive) == 0)
    {
    }

    QIcon standardIcon(
        StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override
    {
        if (icon == SP_ToolBarHorizontalExtensionButton)
            return {};
        return QProxyStyle::standardIcon(icon, option, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
        const QWidget *widget) const override
    {
        if (element == PE_FrameGroupBox && m_fusion) {
            drawFusionGroupFrame(*option, *painter, widget);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

private:
    // Fusion draws this frame from a bitmap, and reading that bitmap makes Qt
    // load every image-format plugin at the first paint. The same frame drawn
    // from code: below the title line, a faint outline with softened corners
    // around a faint inner edge and a fainter shade.
    void drawFusionGroupFrame(
        const QStyleOption &option, QPainter &painter, const QWidget *widget) const
    {
        constexpr int kTitleGap = 3;
        const auto *group = qobject_cast<const QGroupBox *>(widget);
        const bool untitled = group && !group->isCheckable() && group->title().isEmpty();
        const int top = untitled
            ? kTitleGap
            : qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option.fontMetrics.height())
                + kTitleGap;
        const QRect outline = option.rect.adjusted(1, top + 1, 0, 0);
        if (outline.width() < 5 || outline.height() < 5)
            return;
        const QRect edge = outline.adjusted(1, 1, -1, -1);
        fillInBands(painter, edge.adjusted(1, 1, -1, -1), QColor(0, 0, 0, 3));
        paintRing(painter, edge, QColor(0, 0, 0, 7), QColor(90, 90, 90, 31));
        paintRing(painter, outline, QColor(117, 117, 117, 50), QColor(39, 39, 39, 13));
    }

    // A translucent fill, in bands of at most 64 rows: Qt's raster engine
    // hands taller translucent fills to a pool of threads, and starting that
    // pool costs far more than the fill.
    static void fillInBands(QPainter &painter, const QRect &area, const QColor &colour)
    {
        constexpr int kBandRows = 64;
        for (int top = area.top(); top <= area.bottom(); top += kBandRows)
            painter.fillRect(
                QRect(area.left(), top, area.width(), std::min(kBandRows, area.bottom() + 1 - top)),
                colour);
    }

    // A rectangle's one-pixel outline, its corners in a colour of their own.
    static void paintRing(
        QPainter &painter, const QRect &r, const QColor &sides, const QColor &corners)
    {
        painter.fillRect(r.left() + 1, r.top(), r.width() - 2, 1, sides);
        painter.fillRect(r.left() + 1, r.bottom(), r.width() - 2, 1, sides);
        fillInBands(painter, QRect(r.left(), r.top() + 1, 1, r.height() - 2), sides);
        fillInBands(painter, QRect(r.right(), r.top() + 1, 1, r.height() - 2), sides);
        for (const QPoint &corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            painter.fillRect(QRect(corner, QSize(1, 1)), corners);
    }

    bool m_fusion;
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
