#include "ui/AnalysisPanel.h"

#include "core/Numbers.h"
#include "ui/NumberValidator.h"
#include "ui/ProgramSettings.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSlider>

#include <cmath>
#include <limits>

namespace velmora
{

namespace
{

const QString kSettingsGroup = QStringLiteral("analysis/");

double readNumber(const QLineEdit *edit)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(edit->text().trimmed(), &ok);
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

// A caption names its input for assistive tools too, and Alt with its
// underlined letter goes there.
QLabel *captionFor(QWidget *input, const QString &caption)
{
    auto *label = new QLabel(caption, input->parentWidget());
    label->setBuddy(input);
    input->setAccessibleName(QString(caption).remove(u'&'));
    return label;
}

} // namespace

AnalysisPanel::AnalysisPanel(double stockPrice, QWidget *parent)
    : QWidget(parent)
    , m_today(QDate::currentDate())
{
    auto *form = new QFormLayout(this);
    const AnalysisInputs defaults;
    const auto remembered = [](const char *key, double fallback) {
        return numberText(storedSetting(kSettingsGroup + QLatin1String(key), fallback).toDouble());
    };
    addField(
        QStringLiteral("stockPrice"), QStringLiteral("&Stock Price ($)"), numberText(stockPrice));
    addField(QStringLiteral("volatility"), QStringLiteral("&Volatility (% a year)"),
        remembered("volatility", defaults.volatilityPercent));
    addField(QStringLiteral("rate"), QStringLiteral("&Interest Rate (% a year)"),
        remembered("rate", defaults.ratePercent));
    addField(QStringLiteral("dividend"), QStringLiteral("&Dividend Yield (% a year)"),
        remembered("dividend", defaults.dividendPercent));
    m_days = addField(QStringLiteral("days"), QStringLiteral("Da&ys to Expiration"),
        remembered("days", defaults.days));

    m_expiration = new QDateEdit(this);
    m_expiration->setObjectName(QStringLiteral("expiration"));
    m_expiration->setCalendarPopup(true);
    m_expiration->setMinimumDate(m_today);
    m_expiration->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    form->addRow(captionFor(m_expiration, QStringLiteral("E&xpiration Date")), m_expiration);

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("evaluationDate"));
    m_sliderDate = new QLabel(this);
    form->addRow(captionFor(m_slider, QStringLiteral("Eva&luation Date")), m_slider);
    form->addRow(QString(), m_sliderDate);

    daysEdited();
    connect(m_days, &QLineEdit::editingFinished, this, &AnalysisPanel::daysEdited);
    connect(m_expiration, &QDateEdit::dateChanged, this, &AnalysisPanel::dateChosen);
    connect(m_slider, &QSlider::valueChanged, this, [this] {
        m_sliderDate->setText(
            QLocale::c().toString(evaluationDate(), QStringLiteral("yyyy-MM-dd")));
        edited(m_slider);
    });
}

QLineEdit *AnalysisPanel::addField(const QString &name, const QString &caption, const QString &text)
{
    auto *edit = new QLineEdit(text, this);
    edit->setObjectName(name);
    // Only the rate may fall below 0.
    edit->setValidator(new NumberValidator(name == u"rate", edit));
    connect(edit, &QLineEdit::inputRejected, this, &AnalysisPanel::keyRefused);
    static_cast<QFormLayout *>(layout())->addRow(captionFor(edit, caption), edit);
    if (name != QStringLiteral("days"))
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { edited(edit); });
    return edit;
}

QLineEdit *AnalysisPanel::field(const QString &name) const
{
    return findChild<QLineEdit *>(name);
}

AnalysisInputs AnalysisPanel::inputs() const
{
    AnalysisInputs in;
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
    QSettings saved = programSettings();
    for (const char *key : {"volatility", "rate", "dividend", "days"}) {
        const double value = readNumber(field(QLatin1String(key)));
        if (std::isfinite(value))
            saved.setValue(kSettingsGroup + QLatin1String(key), value);
    }
}

void AnalysisPanel::showInputs(const AnalysisInputs &in)
{
    field(QStringLiteral("stockPrice"))->setText(numberText(in.stockPrice));
    field(QStringLiteral("volatility"))->setText(numberText(in.volatilityPercent));
    field(QStringLiteral("rate"))->setText(numberText(in.ratePercent));
    field(QStringLiteral("dividend"))->setText(numberText(in.dividendPercent));
    m_days->setText(numberText(in.days));
    {
        const QSignalBlocker blocker(m_expiration);
        m_expiration->setDate(m_today.addDays(qint64(std::floor(in.days))));
    }
    updateSlider();
    const QSignalBlocker blocker(m_slider);
    m_slider->setValue(int(in.elapsedDays));
    m_sliderDate->setText(QLocale::c().toString(evaluationDate(), QStringLiteral("yyyy-MM-dd")));
}

void AnalysisPanel::edited(QWidget *input)
{
    m_edited = input;
    emit inputsChanged();
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
    edited(m_days);
}

void AnalysisPanel::dateChosen(const QDate &date)
{
    m_days->setText(QString::number(m_today.daysTo(date)));
    updateSlider();
    edited(m_expiration);
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
