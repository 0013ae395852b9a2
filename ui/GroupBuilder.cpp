#include "ui/GroupBuilder.h"

#include "chart/Twips.h"
#include "ui/Captions.h"
#include "ui/ControlRegistry.h"
#include "ui/Look.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace velmora
{

namespace
{

// Layout of a group, twips.
constexpr double kGroupWidth = 9100;
constexpr double kGap = 120;
constexpr double kGroupTitle = 360;
constexpr double kFrameTitle = 330;
constexpr double kRowHeight = 405;
constexpr double kFieldHeight = 345;
constexpr double kListHeight = 360;

QLineEdit *makeField(const FieldSpec &entry, QWidget *parent, ControlRegistry &controls)
{
    auto *field = new QLineEdit(parent);
    controls.add(entry.id, field);
    field->setFont(look::font(!look::regularUntilFocused(entry.id.name)));
    if (const int most = fieldMaxLength(entry.id); most > 0)
        field->setMaxLength(most);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, look::systemWindow());
    palette.setColor(QPalette::Text, look::systemWindowText());
    switch (entry.kind) {
    case FieldKind::ReadOnly:
        field->setReadOnly(true);
        palette.setColor(QPalette::Base, look::systemMenu());
        break;
    case FieldKind::ComputedShownReadOnly:
        palette.setColor(QPalette::Base, look::systemMenu());
        break;
    case FieldKind::Hidden:
        field->hide();
        break;
    default:
        break;
    }
    field->setPalette(palette);
    return field;
}

QLabel *makeCaption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(look::font(false));
    return label;
}

// What a field holds, said by its tooltip.
QString fieldHint(const FieldSpec &field, StrategyKind strategy)
{
    const QString caption = field.caption.trimmed();
    const QString calls = field.frame.startsWith(u"Sell") ? QStringLiteral("the calls sold")
                                                          : QStringLiteral("the calls bought");
    QString hint;
    const bool ofStock = caption.startsWith(u"Stock") || field.frame.contains(u"Stocks");
    if (caption.contains(u"Symbol"))
        hint = ofStock ? QStringLiteral("Ticker symbol of the stock")
                       : QStringLiteral("Symbol of %1").arg(calls);
    else if (caption == u"Stock Price")
        hint = QStringLiteral("Price paid per share of the stock, $");
    else if (caption == u"Shares")
        hint = QStringLiteral("Number of shares bought");
    else if (caption.contains(u"Strike Price"))
        hint = QStringLiteral("Strike price of %1, $ per share").arg(calls);
    else if (caption.startsWith(u"Call Price"))
        hint = QStringLiteral("Premium of %1, $ per share").arg(calls);
    else if (caption.contains(u"Contracts"))
        hint = QStringLiteral("Number of contracts of %1, 100 shares each").arg(calls);
    else if (field.kind == FieldKind::RatioList)
        hint = strategy == StrategyKind::RatioCalls
            ? QStringLiteral("Calls sold to lots of 100 shares bought")
            : QStringLiteral("Calls sold to calls bought");
    else
        hint = caption;
    if (field.kind == FieldKind::ReadOnly || field.kind == FieldKind::ComputedShownReadOnly)
        hint += QStringLiteral("; worked out from the other fields");
    else if (field.kind == FieldKind::Computed)
        hint += QStringLiteral("; worked out from the other fields, may be changed");
    return hint;
}

// Captions that stand beside more than one field of the group: those fields
// are told apart by their sub-frame.
QStringList repeatedCaptions(const GroupSpec &entry)
{
    QStringList seen, repeated;
    for (const FieldSpec &field : entry.fields) {
        const QString caption = captionName(field.caption);
        if (field.kind == FieldKind::Hidden || field.frame.isEmpty() || caption.size() < 2)
            continue;
        if (seen.contains(caption) && !repeated.contains(caption))
            repeated << caption;
        seen << caption;
    }
    return repeated;
}

// The sub-frame captions in the order their fields come.
QStringList frameCaptions(const GroupSpec &entry)
{
    QStringList frames;
    for (const FieldSpec &field : entry.fields)
        if (!field.frame.isEmpty() && !frames.contains(field.frame))
            frames << field.frame;
    return frames;
}

// The two number boxes of a ratio lie in the list's row, beneath the list:
// they hold the ratio's numbers, the list shows them.
void placeRatioHolders(QLineEdit *first, QLabel *colon, QLineEdit *second, const QRect &list)
{
    const int half = list.width() / 2;
    first->setGeometry(list.x(), list.y(), half - 8, list.height());
    colon->setGeometry(list.x() + half - 8, list.y(), 16, list.height());
    second->setGeometry(list.x() + half + 8, list.y(), list.width() - half - 8, list.height());
    for (QWidget *w : {static_cast<QWidget *>(first), static_cast<QWidget *>(colon),
             static_cast<QWidget *>(second)}) {
        w->lower();
        w->setFocusPolicy(Qt::NoFocus);
    }
    for (QLineEdit *field : {first, second}) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, look::windowBackground());
        field->setPalette(palette);
    }
}

} // namespace

QGroupBox *buildGroup(const GroupSpec &entry, QWidget *client, ControlRegistry &controls)
{
    auto *group = new QGroupBox(entry.caption, client);
    controls.add({entry.frameName, -1}, group);
    const bool largeCaption = entry.kind == StrategyKind::CoveredCalls
        || entry.kind == StrategyKind::RatioCalls || entry.kind == StrategyKind::BullSpreads;
    group->setFont(look::font(true, largeCaption ? 12 : 9.75));

    const QStringList frames = frameCaptions(entry);
    const double frameWidth
        = (kGroupWidth - kGap * double(frames.size() + 1)) / double(frames.size());
    const double captionWidth = frameWidth * 0.5;
    const double fieldWidth = frameWidth - captionWidth - 2 * kGap;
    std::vector<QGroupBox *> frameBoxes;
    std::vector<int> rows(size_t(frames.size()), 0);
    for (int i = 0; i < frames.size(); ++i) {
        auto *frame = new QGroupBox(frames[i], group);
        frame->setFont(look::font(true));
        // Otherwise named after the group around it, as a frame inside a frame is.
        frame->setAccessibleName(frames[i]);
        frameBoxes.push_back(frame);
    }

    const QStringList repeated = repeatedCaptions(entry);
    QComboBox *list = nullptr;
    QString listName;
    QLineEdit *firstHolder = nullptr;
    for (const FieldSpec &field : entry.fields) {
        const auto frameIndex = frames.indexOf(field.frame);
        QWidget *parent = frameIndex >= 0 ? static_cast<QWidget *>(frameBoxes[size_t(frameIndex)])
                                          : static_cast<QWidget *>(group);
        if (field.kind == FieldKind::RatioList) {
            list = new QComboBox(parent);
            controls.add(field.id, list);
            list->setFont(look::font(false));
            list->addItems(ratioNames());
            list->setEditable(false);
            listName = captionName(field.caption);
        } else if (list && !firstHolder) {
            firstHolder = makeField(field, parent, controls);
            firstHolder->setAccessibleName(listName + QStringLiteral(", first number"));
            continue;
        } else if (list) {
            auto *colon = makeCaption(field.caption, parent);
            colon->setAlignment(Qt::AlignCenter);
            QLineEdit *second = makeField(field, parent, controls);
            second->setAccessibleName(listName + QStringLiteral(", second number"));
            placeRatioHolders(firstHolder, colon, second, list->geometry());
            list = nullptr;
            firstHolder = nullptr;
            continue;
        }
        QWidget *control = list ? static_cast<QWidget *>(list)
                                : static_cast<QWidget *>(makeField(field, parent, controls));
        if (field.kind == FieldKind::Hidden || frameIndex < 0)
            continue; // made, never shown, takes no row
        int &row = rows[size_t(frameIndex)];
        const double top = kFrameTitle + row * kRowHeight;
        QLabel *caption = makeCaption(field.caption, parent);
        caption->setGeometry(look::rect(kGap, top + 30, captionWidth, kFieldHeight - 30));
        pairCaption(caption, control);
        control->setToolTip(fieldHint(field, entry.kind));
        if (repeated.contains(captionName(field.caption)))
            control->setAccessibleDescription(field.frame);
        control->setGeometry(
            look::rect(kGap + captionWidth, top, fieldWidth, list ? kListHeight : kFieldHeight));
        ++row;
    }

    const int mostRows = rows.empty() ? 0 : *std::max_element(rows.begin(), rows.end());
    const double frameHeight = kFrameTitle + mostRows * kRowHeight + kGap;
    for (int i = 0; i < frames.size(); ++i)
        frameBoxes[size_t(i)]->setGeometry(
            look::rect(kGap + i * (frameWidth + kGap), kGroupTitle, frameWidth, frameHeight));
    group->setGeometry(
        look::rect(kParkedLeftTwips, kGroupTop, kGroupWidth, kGroupTitle + frameHeight + kGap));
    group->hide();
    return group;
}

} // namespace velmora
