#pragma once
// The analysis chart on screen. The chart is recorded on a surface of the
// schematic chart's size (so it prints and exports the same way) and painted
// once into a cached image; hovering only draws the crosshair and its
// readout over that image. The wheel zooms about the mouse, a drag pans,
// a double-click goes back to the automatic price range.
//
// From the keyboard: Left/Right move the crosshair one price step (Shift:
// ten), + and - zoom about it, Ctrl+Left/Right pan, 0 goes back to the
// automatic range. The readout is also the view's accessible description.

#include "chart/ChartSurface.h"
#include "strategies/AnalysisChart.h"

#include <QImage>
#include <QWidget>

#include <optional>

namespace velmora
{

// What the crosshair shows at a point of the chart.
struct HoverReadout {
    QPointF point; // twips
    double price = 0;
    CurveValues values;
    QString dateCaption;
};

// Draws the cached chart image, then the crosshair and its readout.
void paintHoverFrame(QPainter &painter, const QImage &chart, const QTransform &toDevice,
    const AnalysisFrame &frame, const std::optional<HoverReadout> &hover);

class AnalysisView : public QWidget
{
    Q_OBJECT
public:
    explicit AnalysisView(QWidget *parent = nullptr);

    // Records the chart for the scene; the price range goes back to the
    // automatic one when asked or when there was none.
    void setScene(AnalysisScene scene, bool resetRange);
    const ChartSurface &surface() const { return m_surface; }
    PriceRange priceRange() const { return m_range; }
    const AnalysisFrame &frame() const { return m_frame; }

    // Zooms by factor (< 1 closer) about a price; pans by a price distance.
    void zoom(double factor, double aboutPrice);
    void pan(double distance);
    void resetRange();
    // What the crosshair shows, if it shows.
    const std::optional<HoverReadout> &crosshair() const { return m_hover; }
    // The distance Left and Right move the crosshair: a round price that
    // cuts the range into a few hundred steps.
    double priceStep() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void record();
    // The crosshair again after the mouse, the keys or the range moved.
    void refreshCrosshair();
    void moveCrosshair(int steps);
    double crosshairPrice() const;
    QTransform toDevice() const;
    QPointF twipsAt(const QPointF &pixel) const;

    AnalysisScene m_scene;
    bool m_hasScene = false;
    ChartSurface m_surface;
    AnalysisFrame m_frame;
    PriceRange m_range;
    QImage m_cache;
    // The crosshair follows the mouse over the plot, or stands at the price
    // the keys moved it to.
    std::optional<QPointF> m_mouse; // twips
    std::optional<double> m_keyPrice;
    std::optional<HoverReadout> m_hover;
    std::optional<double> m_dragPrice; // the price under the mouse when the drag began
};

} // namespace velmora
