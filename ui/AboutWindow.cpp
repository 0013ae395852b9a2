#include "ui/AboutWindow.h"

#include "chart/Twips.h"
#include "ui/Look.h"

#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora
{

AboutWindow::AboutWindow(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fAbout"));
    setWindowTitle(QStringLiteral("Company Information Block"));
    setModal(true);
    setFixedSize(
        std::max(twipsToPixels(3435), look::titleWidth(windowTitle())), twipsToPixels(2760));

    auto *layout = new QVBoxLayout(this);
    const auto add = [this, layout](const char *name, const char *text, const QFont &font) {
        auto *label = new QLabel(QString::fromUtf8(text), this);
        label->setObjectName(QString::fromLatin1(name));
        label->setFont(font);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        layout->addWidget(label);
    };
    add("lblBrand", "Tarsel", look::font(true, 12));
    add("lblProduct", "VELMORA", look::font(true, 12));
    add("lblVersion", "VERSION 0.9", look::font(false));
    add("lblCreditHeading", "CREDIT", look::font(true));
    add("lblCredit", "Designed and built by the Tarsel options desk", look::font(false));
}

} // namespace velmora
