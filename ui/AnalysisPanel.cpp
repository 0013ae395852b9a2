#include "ui/AnalysisPanel.h"

#include "core/Numbers.h"
#include "ui/NumberValidator.h"
#include "ui/ProgramSettings.h"

#include "strategies/AnalysisChart.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora
{

namespace
{

const QString kSettingsGroup = QStringLiteral("analysis/");
const QString kModeKey = QStringLiteral("analysis/volatilityMode");

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

AnalysisInputs rememberedAnalysisInputs()
{
    AnalysisInputs in;
    const auto remembered = [](const char *key, double fallback) {
        return storedSetting(kSettingsGroup + QLatin1String(key), fallback).toDouble();
    };
    in.volatilityPercent = remembered("volatility", in.volatilityPercent);
    in.ratePercent = remembered("rate", in.ratePercent);
    in.dividendPercent = remembered("dividend", in.dividendPercent);
    in.days = remembered("days", in.days);
    in.volatilityMode = storedSetting(kModeKey, QString()).toString() == u"typed"
        ? VolatilityMode::Typed
        : VolatilityMode::Implied;
    return in;
}

AnalysisPanel::AnalysisPanel(const Legs &legs, std::optional<double> stockPrice, QWidget *parent)
    : QWidget(parent)
    , m_today(QDate::currentDate())
{
    auto *form = new QFormLayout(this);
    const AnalysisInputs saved = rememberedAnalysisInputs();
    QLineEdit *stock = addField(QStringLiteral("stockPrice"), QStringLiteral("&Stock Price ($)"),
        stockPrice ? numberText(*stockPrice) : QString());
    stock->setPlaceholderText(QStringLiteral("today's price"));
    m_stockPrompt
        = new QLabel(QStringLiteral("Type today's stock price for the curves before "
                                    "expiration, the implied volatilities and the greeks."),
            this);
    m_stockPrompt->setObjectName(QStringLiteral("stockPricePrompt"));
    m_stockPrompt->setWordWrap(true);
    form->addRow(QString(), m_stockPrompt);
    form->setRowVisible(m_stockPrompt, !stockPrice);
    connect(stock, &QLineEdit::textChanged, m_stockPrompt,
        [this, form](const QString &text) { form->setRowVisible(m_stockPrompt, !isFilled(text)); });
    addVolatilitySwitch();
    addField(QStringLiteral("volatility"), QStringLiteral("&Volatility (% a year)"),
        numberText(saved.volatilityPercent));
    addField(QStringLiteral("rate"), QStringLiteral("&Interest Rate (% a year)"),
        numberText(saved.ratePercent));
    addField(QStringLiteral("dividend"), QStringLiteral("&Dividend Yield (% a year)"),
        numberText(saved.dividendPercent));
    m_days = addField(
        QStringLiteral("days"), QStringLiteral("Da&ys to Expiration"), numberText(saved.days));

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

    addLegRows(legs);
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
    connect(edit, &QLineEdit::inputRejected, this, [this, edit] { emit keyRefused(edit); });
    static_cast<QFormLayout *>(layout())->addRow(captionFor(edit, caption), edit);
    if (name != QStringLiteral("days"))
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { edited(edit); });
    return edit;
}

// Implied from the premiums unless the user chose one volatility for all.
void AnalysisPanel::addVolatilitySwitch()
{
    auto *box = new QWidget(this);
    box->setAccessibleName(QStringLiteral("Call Volatilities"));
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    m_implied = new QRadioButton(QStringLiteral("Im&plied from the premiums"), box);
    m_implied->setObjectName(QStringLiteral("impliedVolatility"));
    m_typed = new QRadioButton(QStringLiteral("&One volatility for all legs"), box);
    m_typed->setObjectName(QStringLiteral("typedVolatility"));
    column->addWidget(m_implied);
    column->addWidget(m_typed);
    const bool typed = rememberedAnalysisInputs().volatilityMode == VolatilityMode::Typed;
    (typed ? m_typed : m_implied)->setChecked(true);
    static_cast<QFormLayout *>(layout())->addRow(QStringLiteral("Call Volatilities"), box);
    connect(m_implied, &QRadioButton::toggled, this,
        [this] { edited(m_implied->isChecked() ? m_implied : m_typed); });
}

// Each call's caption in short ("-3 C55 @ 2") with its volatility beside it.
void AnalysisPanel::addLegRows(const Legs &legs)
{
    auto *form = static_cast<QFormLayout *>(layout());
    form->addRow(new QLabel(QStringLiteral("Implied volatility of each call:"), this));
    for (std::size_t i = 0; i < legs.size(); ++i) {
        if (legs[i].kind != Leg::Kind::Call) {
            m_legVolatilities.push_back(nullptr);
            continue;
        }
        const QString caption = legsSummary({legs[i]});
        auto *value = new QLabel(this);
        value->setObjectName(QStringLiteral("legVolatility%1").arg(i + 1));
        value->setWordWrap(true);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        value->setAccessibleName(caption + QStringLiteral(" implied volatility"));
        form->addRow(new QLabel(caption, this), value);
        m_legVolatilities.push_back(value);
    }
}

void AnalysisPanel::showLegVolatilities(const LegVolatilities &volatilities, bool priced)
{
    for (std::size_t i = 0; i < m_legVolatilities.size() && i < volatilities.size(); ++i) {
        QLabel *label = m_legVolatilities[i];
        if (!label)
            continue;
        const LegVolatility &leg = volatilities[i];
        QString text = leg.implied.volatility ? volatilityText(*leg.implied.volatility)
                                              : QStringLiteral("none: ")
                + noImpliedText(leg.implied.none.value_or(NoImplied::NotFound));
        if (priced && leg.used != leg.implied.volatility)
            text += QStringLiteral("; ") + volatilityText(leg.used) + QStringLiteral(" used");
        label->setText(text);
    }
}

QLineEdit *AnalysisPanel::field(const QString &name) const
{
    return findChild<QLineEdit *>(name);
}

AnalysisInputs AnalysisPanel::inputs() const
{
    AnalysisInputs in;
    if (const QLineEdit *stock = field(QStringLiteral("stockPrice")); isFilled(stock->text()))
        in.stockPrice = readNumber(stock);
    in.volatilityMode = m_typed->isChecked() ? VolatilityMode::Typed : VolatilityMode::Implied;
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
    saved.setValue(
        kModeKey, m_typed->isChecked() ? QStringLiteral("typed") : QStringLiteral("implied"));
}

void AnalysisPanel::showInputs(const AnalysisInputs &in)
{
    field(QStringLiteral("stockPrice"))
        ->setText(in.stockPrice ? numberText(*in.stockPrice) : QString());
    {
        const QSignalBlocker blocker(m_implied);
        (in.volatilityMode == VolatilityMode::Typed ? m_typed : m_implied)->setChecked(true);
    }
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
