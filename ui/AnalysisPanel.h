#pragma once
// The inputs of the analysis view: today's stock price, how the calls are
// priced (each at the volatility its premium implies, or all at the one
// typed), volatility, interest rate, dividend yield, days to expiration (or
// the expiration date, from a calendar) and the evaluation date, a slider
// from today to expiration; beside each call, its implied volatility.
// Volatility, rate, dividend yield and days are remembered between runs.
// The panel only reads the texts; whether they make sense is the analysis's
// question (analysisProblem()). Its number fields refuse what cannot be part
// of a number as it is typed.

#include "strategies/PositionAnalysis.h"

#include <QDate>
#include <QPointer>
#include <QWidget>

#include <optional>
#include <vector>

class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;

namespace velmora
{

// The inputs the panel last kept (volatility, its mode, rate, dividend,
// days), without a stock price.
AnalysisInputs rememberedAnalysisInputs();

class AnalysisPanel : public QWidget
{
    Q_OBJECT
public:
    // Without a stock price (the spreads have none) the field starts empty.
    AnalysisPanel(const Legs &legs, std::optional<double> stockPrice, QWidget *parent = nullptr);

    // Unreadable texts read as NaN; an empty stock price as none.
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
    // Each call's implied volatility, or why it has none, and the one used.
    void showLegVolatilities(const LegVolatilities &volatilities, bool priced);

    QLineEdit *field(const QString &name) const;
    QSlider *evaluationSlider() const { return m_slider; }
    QRadioButton *impliedSwitch() const { return m_implied; }
    QRadioButton *typedSwitch() const { return m_typed; }
    // The text beside a leg's caption; null for shares.
    QLabel *legVolatility(std::size_t leg) const { return m_legVolatilities.at(leg); }

signals:
    void inputsChanged();
    // A key or a paste a number field refused.
    void keyRefused(QLineEdit *field);

private:
    QLineEdit *addField(const QString &name, const QString &caption, const QString &text);
    void addVolatilitySwitch();
    void addLegRows(const Legs &legs);
    void edited(QWidget *input);
    void daysEdited();
    void dateChosen(const QDate &date);
    void updateSlider();

    QDate m_today;
    QLineEdit *m_days = nullptr;
    QDateEdit *m_expiration = nullptr;
    QSlider *m_slider = nullptr;
    QLabel *m_sliderDate = nullptr;
    QLabel *m_stockPrompt = nullptr;
    QRadioButton *m_implied = nullptr;
    QRadioButton *m_typed = nullptr;
    std::vector<QLabel *> m_legVolatilities; // by leg
    QPointer<QWidget> m_edited;
};

} // namespace velmora
