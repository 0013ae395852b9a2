#pragma once
// The number fields outside the main window's groups take what its number
// fields take (core's isNumberText); a signed one also takes a leading "-".
// The line edit refuses anything else as it is typed, pasted or dropped and
// says so with inputRejected().

#include <QValidator>

namespace velmora
{

class NumberValidator : public QValidator
{
    Q_OBJECT
public:
    explicit NumberValidator(bool isSigned, QObject *parent = nullptr);

    State validate(QString &input, int &position) const override;

private:
    bool m_signed;
};

} // namespace velmora
