#pragma once
// The chart surface on screen (the main window's pGraph): shows whatever the
// surface has recorded, scaled to the widget, with an optional fixed border.
// To an assistive tool it is a chart with a name, its figures as the
// description and its table of values as text.

#include <QWidget>

namespace velmora
{

class ChartSurface;
struct ChartSummary;

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
    // What assistive tools are told of the chart now shown.
    void describe(const ChartSummary &summary);
    // The table of values as tab-separated lines.
    const QString &tableText() const { return m_tableText; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const ChartSurface *m_surface;
    bool m_bordered = true;
    QString m_tableText;
};

} // namespace velmora
