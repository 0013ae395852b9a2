#pragma once
// Captions and the controls they name, for the keyboard and for assistive
// tools: the caption becomes the control's buddy, so a screen reader hears
// the caption as the control's name, and the caption's look stays as it is.

#include <QString>

class QLabel;
class QWidget;

namespace velmora
{

// The caption as a name: without its mnemonic marks and the blanks around it.
QString captionName(const QString &caption);

// Makes the caption the control's buddy and, for a text field, its
// accessible name. A list keeps its chosen item as its name, as lists do; the
// caption reaches the assistive tool as its label.
void pairCaption(QLabel *caption, QWidget *control);

} // namespace velmora
