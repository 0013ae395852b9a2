#pragma once
// The inputs of the analysis view: stock price, volatility, interest rate,
// dividend yield, days to expiration (or the expiration date, from a
// calendar) and the evaluation date, a slider from today to expiration.
// Volatility, rate, dividend yield and days are remembered between runs.
// The panel only reads the texts; whether they make sense is the analysis's
// question (analysisProblem()). Its number fields refuse what cannot be part
// of a number as it is typed.

#include "strategies/PositionAnalysis.h"

#include <QDate>
#include <QPointer>
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
    explicit AnalysisPanel(double stockPrice, QWidget *parent = nullptr);

    // Unreadable texts read as NaN.
    AnalysisInputs inputs() const;
    // The day the evaluation date slider stands at.
    QDate evaluationDate() const;
    // Keeps volatility, rate, dividend yield and days for the next run.
    void remember() const;
    // Puts inputs the analysis took back into the fields, the expiration
    // date and the slider, as after a refusal; says nothing of it.
    void showInputs(const AnalysisInputs &inputs);
    // The input the user changed last, where the focus goes after a refusal.
    QWidget *lastEdited() const { return m_edited; }

    QLineEdit *field(const QString &name) const;
    QSlider *evaluationSlider() const { return m_slider; }

signals:
    void inputsChanged();
    // A key or a paste a number field refused.
    void keyRefused();

private:
    QLineEdit *addField(const QString &name, const QString &caption, const QString &text);
    void edited(QWidget *input);
    void daysEdited();
    void dateChosen(const QDate &date);
    void updateSlider();

    QDate m_today;
    QLineEdit *m_days = nullptr;
    QDateEdit *m_expiration = nullptr;
    QSlider *m_slider = nullptr;
    QLabel *m_sliderDate = nullptr;
    QPointer<QWidget> m_edited;
};

} // namespace velmora
