#pragma once
// Helpers for the tests that write chart files or drive the print and file
// dialogs: reading a written file, the page size of a PDF and answering the
// next modal dialog.

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QRegularExpression>
#include <QSizeF>
#include <QTimer>

#include <functional>

namespace velmora::sample
{

inline QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Page size in points from the first MediaBox of a PDF.
inline QSizeF mediaBox(const QByteArray &pdf)
{
    static const QRegularExpression box(
        QStringLiteral(R"(/MediaBox\s*\[\s*0\s+0\s+([0-9.]+)\s+([0-9.]+)\s*\])"));
    const auto m = box.match(QString::fromLatin1(pdf));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

inline bool isLandscapePdf(const QByteArray &pdf)
{
    const QSizeF page = mediaBox(pdf);
    return pdf.startsWith("%PDF") && page.isValid() && page.width() > page.height();
}

// Runs a check on the next modal dialog, or cancels it, and keeps its class name.
struct NextDialog {
    QString shown;
    std::function<void(QDialog *)> check;

    void arm(QObject *context)
    {
        QTimer::singleShot(0, context, [this] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown = QString::fromLatin1(dialog->metaObject()->className());
            if (check)
                check(dialog);
            else
                dialog->reject();
        });
    }
};

} // namespace velmora::sample
