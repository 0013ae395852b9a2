#pragma once
// The chart surface on screen (the main window's pGraph): shows whatever the
// surface has recorded, scaled to the widget, with an optional fixed border.

#include <QWidget>

namespace velmora
{

class ChartSurface;

class ChartView : public QWidget
{
    Q_OBJECT
public:
    // The surface is not owned and must outlive the view.
    explicit ChartView(const ChartSurface *surface, QWidget *parent = nullptr);

    bool isBordered() const { return m_bordered; }
    void setBordered(bool bordered);
    // Call after the surface's size changed; a change of its record or
    // palette needs only update().
    void surfaceResized();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const ChartSurface *m_surface;
    bool m_bordered = true;
};

} // namespace velmora
