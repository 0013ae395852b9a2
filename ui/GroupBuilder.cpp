#include "ui/GroupBuilder.h"

#include "chart/Twips.h"
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
        frameBoxes.push_back(frame);
    }

    QComboBox *list = nullptr;
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
        } else if (list && !firstHolder) {
            firstHolder = makeField(field, parent, controls);
            continue;
        } else if (list) {
            auto *colon = makeCaption(field.caption, parent);
            colon->setAlignment(Qt::AlignCenter);
            placeRatioHolders(
                firstHolder, colon, makeField(field, parent, controls), list->geometry());
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
        makeCaption(field.caption, parent)
            ->setGeometry(look::rect(kGap, top + 30, captionWidth, kFieldHeight - 30));
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
