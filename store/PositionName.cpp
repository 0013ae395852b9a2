#include "store/PositionName.h"

#include <QSet>

#include <initializer_list>

namespace velmora
{

namespace
{

const QString kAttention = QStringLiteral("Attention");

bool hidden(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

// Scripts a name may combine: Japanese and Chinese or Korean writing mix
// scripts that do not look alike, with Latin beside them (as in Unicode's
// "highly restrictive" level). Any other mix is refused.
bool writtenTogether(const QSet<QChar::Script> &scripts)
{
    if (scripts.size() <= 1)
        return true;
    using S = QChar::Script;
    for (const auto &allowed :
        {QSet<S> {S::Script_Latin, S::Script_Han, S::Script_Hiragana, S::Script_Katakana},
            QSet<S> {S::Script_Latin, S::Script_Han, S::Script_Bopomofo},
            QSet<S> {S::Script_Latin, S::Script_Han, S::Script_Hangul}}) {
        if (allowed.contains(scripts))
            return true;
    }
    return false;
}

} // namespace

QString positionName(const QString &typed)
{
    return typed.trimmed().normalized(QString::NormalizationForm_C);
}

QStringList storedForms(const QString &name)
{
    QStringList forms {name};
    const QString decomposed = name.normalized(QString::NormalizationForm_D);
    if (decomposed != name)
        forms << decomposed;
    return forms;
}

std::optional<Message> nameRefusal(const QString &name)
{
    QSet<QChar::Script> scripts;
    for (const char32_t c : name.toUcs4()) {
        if (hidden(c)) {
            return Message {QStringLiteral("File Name cannot contain line breaks, tabs, control "
                                           "or invisible characters."),
                MsgStyle::Stop, kAttention};
        }
        const QChar::Script script = QChar::script(c);
        // Digits, punctuation and combining marks belong to every script.
        if (script != QChar::Script_Common && script != QChar::Script_Inherited
            && script != QChar::Script_Unknown)
            scripts.insert(script);
    }
    if (!writtenTogether(scripts)) {
        return Message {QStringLiteral("File Name cannot mix letters of different alphabets."),
            MsgStyle::Stop, kAttention};
    }
    return std::nullopt;
}

} // namespace velmora
