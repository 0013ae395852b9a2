#pragma once
// The inputs of the analysis view: stock price, volatility, interest rate,
// dividend yield, days to expiration (or the expiration date, from a
// calendar) and the evaluation date, a slider from today to expiration.
// Volatility, rate, dividend yield and days are remembered between runs.
// The panel only reads the texts; whether they make sense is the analysis's
// question (analysisProblem()).

#include "strategies/PositionAnalysis.h"

#include <QDate>
#include <QWidget>

class QDateEdit;
class QLabel;
class QLineEdit;
class QSlider;

namespace velmora
{

class AnalysisPanel : public QWidget
{
    Q_OBJECT
public:
    explicit AnalysisPanel(std::optional<double> stockPrice, QWidget *parent = nullptr);

    // Unreadable texts read as NaN.
    AnalysisInputs inputs() const;
    // The day the evaluation date slider stands at.
    QDate evaluationDate() const;
    // Keeps volatility, rate, dividend yield and days for the next run.
    void remember() const;

    QLineEdit *field(const QString &name) const;
    QSlider *evaluationSlider() const { return m_slider; }

signals:
    void inputsChanged();

private:
    QLineEdit *addField(const QString &name, const QString &caption, const QString &text);
    void daysEdited();
    void dateChosen(const QDate &date);
    void updateSlider();

    QDate m_today;
    QLineEdit *m_days = nullptr;
    QDateEdit *m_expiration = nullptr;
    QSlider *m_slider = nullptr;
    QLabel *m_sliderDate = nullptr;
};

} // namespace velmora
