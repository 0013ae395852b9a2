#pragma once
// fAbout, "Company Information Block": brand, product, version and credit.
// It has no commands; the close box closes it.

#include <QDialog>

namespace velmora
{

class AboutWindow : public QDialog
{
    Q_OBJECT
public:
    explicit AboutWindow(QWidget *parent = nullptr);
};

} // namespace velmora
