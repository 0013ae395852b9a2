#include "ui/AnalysisWindow.h"

#include "strategies/AnalysisChart.h"
#include "ui/AnalysisPanel.h"
#include "ui/PlGridView.h"
#include "ui/TableExport.h"
#include "ui/chart/AnalysisView.h"
#include "ui/chart/ChartFileFormat.h"
#include "ui/chart/ChartOutput.h"
#include "ui/chart/PrintJob.h"

#include <QAction>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <memory>

namespace velmora
{

AnalysisWindow::AnalysisWindow(Legs legs, std::optional<double> stockPrice,
    const QString &strategyName, MessageBoxes &messages, QWidget *parent)
    : QDialog(parent)
    , m_legs(std::move(legs))
    , m_messages(messages)
{
    setObjectName(QStringLiteral("fAnalysis"));
    setWindowTitle(QStringLiteral("Analysis - ") + strategyName);
    auto *outer = new QVBoxLayout(this);
    auto *bar = new QMenuBar(this);
    outer->setMenuBar(bar);
    buildMenus(bar);

    auto *body = new QHBoxLayout;
    outer->addLayout(body);
    auto *side = new QVBoxLayout;
    body->addLayout(side);
    m_panel = new AnalysisPanel(stockPrice, this);
    side->addWidget(m_panel);
    m_figures = new QTableWidget(this);
    m_figures->setObjectName(QStringLiteral("figures"));
    m_figures->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_figures->verticalHeader()->hide();
    m_figures->setMinimumWidth(340);
    side->addWidget(m_figures, 1);
    m_european = new QLabel(
        QStringLiteral("With a dividend yield the calls are valued as European options "
                       "(no early exercise)."),
        this);
    m_european->setObjectName(QStringLiteral("europeanNote"));
    m_european->setWordWrap(true);
    side->addWidget(m_european);
    m_view = new AnalysisView(this);
    m_grid = new PlGridView(this);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(m_view, QStringLiteral("Chart"));
    m_tabs->addTab(m_grid, QStringLiteral("P/L Grid"));
    body->addWidget(m_tabs, 1);

    connect(m_panel, &AnalysisPanel::inputsChanged, this, [this] { applyInputs(); });
    resize(1400, 760);
    applyInputs();
}

void AnalysisWindow::buildMenus(QMenuBar *bar)
{
    const auto add = [this](QMenu *menu, const char *name, const QString &text, auto slot) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        m_actions.insert(action->objectName(), action);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    add(file, "A_ExportChart", QStringLiteral("Export Chart..."), [this] { exportChartFile(); });
    add(file, "A_ExportTable", QStringLiteral("Export Table..."), [this] {
        const QString error = exportTable(shownTable(), this);
        if (!error.isEmpty())
            m_messages.show({error, MsgStyle::Stop, {}});
    });
    add(file, "A_Print", QStringLiteral("Print..."), [this] { printChartPage(false); });
    add(file, "A_Preview", QStringLiteral("Print Preview..."), [this] { printChartPage(true); });
    file->addSeparator();
    add(file, "A_Close", QStringLiteral("Close"), [this] { close(); });
    QMenu *edit = bar->addMenu(QStringLiteral("&Edit"));
    add(edit, "A_Copy", QStringLiteral("Copy"), [this] {
        copyTable(shownTable());
    })->setShortcut(QKeySequence::Copy);
}

bool AnalysisWindow::applyInputs()
{
    const AnalysisInputs in = m_panel->inputs();
    if (m_shown && *m_shown == in)
        return true;
    if (const auto problem = analysisProblem(m_legs, in)) {
        m_messages.show({*problem, MsgStyle::Stop, QStringLiteral("Attention")});
        return false;
    }
    // Zoom and pan hold while only the evaluation date moves.
    AnalysisInputs sameDate = in;
    if (m_shown)
        sameDate.elapsedDays = m_shown->elapsedDays;
    const bool freshRange = !m_shown || !(*m_shown == sameDate);
    m_shown = in;
    m_panel->remember();
    const QString date
        = QLocale::c().toString(m_panel->evaluationDate(), QStringLiteral("yyyy-MM-dd"));
    const PositionAnalysis analysis = analysePosition(m_legs, in);
    m_view->setScene({m_legs, in, analysis.figures, QStringLiteral("On ") + date}, freshRange);
    showFigures(analysis);
    const QDate today = m_panel->evaluationDate().addDays(-m_panel->evaluationSlider()->value());
    m_grid->setGrid(positionGrid(m_legs, analysis.volatilities, analysis.figures, in), today);
    m_european->setVisible(in.dividendPercent > 0);
    return true;
}

TableRows AnalysisWindow::shownTable() const
{
    return m_tabs->currentWidget() == m_grid ? m_grid->rows() : m_figureRows;
}

void AnalysisWindow::showFigures(const PositionAnalysis &analysis)
{
    m_figureRows = figureRows(analysis);
    const QStringList header = m_figureRows.front();
    m_figures->setColumnCount(int(header.size()));
    m_figures->setHorizontalHeaderLabels(header);
    m_figures->setRowCount(int(m_figureRows.size()) - 1);
    for (int row = 1; row < m_figureRows.size(); ++row)
        for (int column = 0; column < m_figureRows[row].size(); ++column)
            m_figures->setItem(row - 1, column, new QTableWidgetItem(m_figureRows[row][column]));
    m_figures->resizeColumnsToContents();
}

void AnalysisWindow::exportChartFile()
{
    const ChartOutput *output = loadedOutput();
    if (!output)
        return;
    QFileDialog dialog(this, QStringLiteral("Export Chart"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(chartFileFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString error = output->exportChart(m_view->surface(),
        chartFileName(dialog.selectedFiles().constFirst(), dialog.selectedNameFilter()));
    if (!error.isEmpty())
        m_messages.show({error, MsgStyle::Stop, {}});
}

void AnalysisWindow::printChartPage(bool preview)
{
    const ChartOutput *output = loadedOutput();
    if (!output)
        return;
    if (preview) {
        output->previewChart(m_view->surface(), this);
        return;
    }
    const std::unique_ptr<ChartPaper> paper(output->newPaper());
    if (!paper->ask(this))
        return;
    const QString error = paper->print(inPrintColours(m_view->surface()));
    if (!error.isEmpty())
        m_messages.show({error, MsgStyle::Stop, {}});
}

const ChartOutput *AnalysisWindow::loadedOutput()
{
    return chartOutput([this](const Message &message) { m_messages.show(message); });
}

} // namespace velmora
