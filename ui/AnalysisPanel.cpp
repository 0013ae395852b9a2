#include "ui/AnalysisPanel.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSettings>
#include <QSlider>

#include <cmath>
#include <limits>

namespace velmora
{

namespace
{

QSettings settings()
{
    return QSettings(QStringLiteral("Velmora"), QStringLiteral("Velmora"));
}

double readNumber(const QLineEdit *edit)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(edit->text().trimmed(), &ok);
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

QString numberText(double value)
{
    return QLocale::c().toString(value, 'g', 12);
}

} // namespace

AnalysisPanel::AnalysisPanel(std::optional<double> stockPrice, QWidget *parent)
    : QWidget(parent)
    , m_today(QDate::currentDate())
{
    auto *form = new QFormLayout(this);
    const QSettings saved = settings();
    const AnalysisInputs defaults;
    const auto remembered = [&saved](const char *key, double fallback) {
        return numberText(
            saved.value(QStringLiteral("analysis/") + QLatin1String(key), fallback).toDouble());
    };
    addField(QStringLiteral("stockPrice"), QStringLiteral("Stock Price ($)"),
        stockPrice ? numberText(*stockPrice) : QString());
    addField(QStringLiteral("volatility"), QStringLiteral("Volatility (% a year)"),
        remembered("volatility", defaults.volatilityPercent));
    addField(QStringLiteral("rate"), QStringLiteral("Interest Rate (% a year)"),
        remembered("rate", defaults.ratePercent));
    addField(QStringLiteral("dividend"), QStringLiteral("Dividend Yield (% a year)"),
        remembered("dividend", defaults.dividendPercent));
    m_days = addField(QStringLiteral("days"), QStringLiteral("Days to Expiration"),
        remembered("days", defaults.days));

    m_expiration = new QDateEdit(this);
    m_expiration->setObjectName(QStringLiteral("expiration"));
    m_expiration->setCalendarPopup(true);
    m_expiration->setMinimumDate(m_today);
    m_expiration->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    form->addRow(QStringLiteral("Expiration Date"), m_expiration);

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("evaluationDate"));
    m_sliderDate = new QLabel(this);
    form->addRow(QStringLiteral("Evaluation Date"), m_slider);
    form->addRow(QString(), m_sliderDate);

    daysEdited();
    connect(m_days, &QLineEdit::editingFinished, this, &AnalysisPanel::daysEdited);
    connect(m_expiration, &QDateEdit::dateChanged, this, &AnalysisPanel::dateChosen);
    connect(m_slider, &QSlider::valueChanged, this, [this] {
        m_sliderDate->setText(
            QLocale::c().toString(evaluationDate(), QStringLiteral("yyyy-MM-dd")));
        emit inputsChanged();
    });
}

QLineEdit *AnalysisPanel::addField(const QString &name, const QString &caption, const QString &text)
{
    auto *edit = new QLineEdit(text, this);
    edit->setObjectName(name);
    static_cast<QFormLayout *>(layout())->addRow(caption, edit);
    if (name != QStringLiteral("days"))
        connect(edit, &QLineEdit::editingFinished, this, &AnalysisPanel::inputsChanged);
    return edit;
}

QLineEdit *AnalysisPanel::field(const QString &name) const
{
    return findChild<QLineEdit *>(name);
}

AnalysisInputs AnalysisPanel::inputs() const
{
    AnalysisInputs in;
    if (!field(QStringLiteral("stockPrice"))->text().trimmed().isEmpty())
        in.stockPrice = readNumber(field(QStringLiteral("stockPrice")));
    in.volatilityPercent = readNumber(field(QStringLiteral("volatility")));
    in.ratePercent = readNumber(field(QStringLiteral("rate")));
    in.dividendPercent = readNumber(field(QStringLiteral("dividend")));
    in.days = readNumber(m_days);
    in.elapsedDays = std::min(double(m_slider->value()), in.days);
    return in;
}

QDate AnalysisPanel::evaluationDate() const
{
    return m_today.addDays(m_slider->value());
}

void AnalysisPanel::remember() const
{
    QSettings saved = settings();
    for (const char *key : {"volatility", "rate", "dividend", "days"}) {
        const double value = readNumber(field(QLatin1String(key)));
        if (std::isfinite(value))
            saved.setValue(QStringLiteral("analysis/") + QLatin1String(key), value);
    }
}

// The date follows the days typed; a number of days that cannot be a date
// leaves it, and the analysis refuses the days.
void AnalysisPanel::daysEdited()
{
    const double days = readNumber(m_days);
    if (std::isfinite(days) && days >= 0 && days <= 36500) {
        const QSignalBlocker blocker(m_expiration);
        m_expiration->setDate(m_today.addDays(qint64(std::floor(days))));
    }
    updateSlider();
    emit inputsChanged();
}

void AnalysisPanel::dateChosen(const QDate &date)
{
    m_days->setText(QString::number(m_today.daysTo(date)));
    updateSlider();
    emit inputsChanged();
}

void AnalysisPanel::updateSlider()
{
    const double days = readNumber(m_days);
    const int last = std::isfinite(days) && days > 0 ? int(std::min(days, 36500.0)) : 0;
    const QSignalBlocker blocker(m_slider);
    m_slider->setRange(0, last);
    m_sliderDate->setText(QLocale::c().toString(evaluationDate(), QStringLiteral("yyyy-MM-dd")));
}

} // namespace velmora
