#include "chart/ChartSurface.h"

namespace velmora
{

ChartSurface::ChartSurface()
{
    setOuter(ChartSize::OuterWidth, ChartSize::OuterHeight, true);
}

void ChartSurface::setScaleSize(double width, double height)
{
    m_width = width;
    m_height = height;
}

void ChartSurface::setOuter(double outerWidth, double outerHeight, bool bordered)
{
    const double border = bordered ? 2 * ChartSize::BorderTwips : 0.0;
    setScaleSize(outerWidth - border, outerHeight - border);
}

void ChartSurface::print(const QString &text)
{
    ChartOp op;
    op.kind = ChartOp::Kind::Text;
    op.x1 = m_x;
    op.y1 = m_y;
    op.text = text;
    op.bold = m_bold;
    m_ops.push_back(std::move(op));
    m_x = 0;
    m_y += kLineHeight;
}

void ChartSurface::line(double x1, double y1, double x2, double y2, int colour)
{
    ChartOp op;
    op.kind = ChartOp::Kind::Line;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.colour = colour;
    m_ops.push_back(std::move(op));
    m_x = x2;
    m_y = y2;
}

void ChartSurface::area(std::vector<QPointF> corners, int colour)
{
    ChartOp op;
    op.kind = ChartOp::Kind::Area;
    op.corners = std::move(corners);
    op.colour = colour;
    m_ops.push_back(std::move(op));
}

void ChartSurface::clear()
{
    m_ops.clear();
    m_ops.push_back(ChartOp {});
    m_x = 0;
    m_y = 0;
}

} // namespace velmora
