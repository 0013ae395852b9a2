#include "ui/NumberValidator.h"

#include "core/Numbers.h"

namespace velmora
{

NumberValidator::NumberValidator(bool isSigned, QObject *parent)
    : QValidator(parent)
    , m_signed(isSigned)
{
}

QValidator::State NumberValidator::validate(QString &input, int &) const
{
    QStringView digits = input;
    if (m_signed && digits.startsWith(u'-'))
        digits = digits.mid(1);
    return isNumberText(digits) ? Acceptable : Invalid;
}

} // namespace velmora
