#include "ui/Captions.h"

#include <QComboBox>
#include <QLabel>

namespace velmora
{

QString captionName(const QString &caption)
{
    QString name;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i; // "&&" stands for one '&', "&x" marks x
        name += caption[i];
    }
    return name.trimmed();
}

void pairCaption(QLabel *caption, QWidget *control)
{
    caption->setBuddy(control);
    if (!qobject_cast<QComboBox *>(control))
        control->setAccessibleName(captionName(caption->text()));
}

} // namespace velmora
