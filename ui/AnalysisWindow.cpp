#include "ui/AnalysisWindow.h"

#include "core/Workspace.h"
#include "strategies/AnalysisChart.h"
#include "ui/AnalysisPanel.h"
#include "ui/PlGridView.h"
#include "ui/ProgramSettings.h"
#include "ui/TableExport.h"
#include "ui/chart/AnalysisView.h"
#include "ui/chart/ChartPrinter.h"
#include "ui/chart/ReportPaper.h"
#include "ui/output/ChartExport.h"
#include "ui/output/ChartFileFormat.h"
#include "ui/output/ChartPage.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace velmora
{

namespace
{

// The size the chart would like, pixels.
constexpr QSize kWantedSize(1400, 760);
// Room for the title bar and the borders, unknown before the window shows.
constexpr QSize kFrameAllowance(16, 48);

// What each figure is and in what units, by the start of its caption.
QString figureTip(const QString &figure)
{
    static const std::pair<const char *, const char *> tips[] = {
        {"Net Debit", "Net Debit: what opening the position costs, in dollars"},
        {"Net Credit", "Net Credit: what opening the position brings in, in dollars"},
        {"Maximum Profit",
            "Maximum Profit: the largest profit at expiration over all stock prices, in "
            "dollars, and the stock prices where it holds"},
        {"Maximum Loss",
            "Maximum Loss: the largest loss at expiration over all stock prices, in dollars, "
            "and the stock prices where it holds"},
        {"No Profit or Loss",
            "No Profit or Loss: the stretches of stock prices at expiration where the position "
            "neither gains nor loses, in dollars a share"},
        {"Break-Even",
            "Break-Even: the stock prices at expiration where the position neither gains nor "
            "loses, in dollars a share"},
        {"Probability of Profit",
            "Probability of Profit: the chance of a profit at expiration, in percent, for a "
            "lognormal stock price at the volatility typed"},
        {"Delta",
            "Delta: the change of the position's value for a $1 move of the stock, in shares"},
        {"Gamma", "Gamma: the change of the delta for a $1 move of the stock, in shares per $"},
        {"Theta", "Theta: the change of the position's value in one day, in dollars per day"},
        {"Vega",
            "Vega: the change of the position's value for one volatility point more, in "
            "dollars"},
    };
    for (const auto &[start, tip] : tips)
        if (figure.startsWith(QLatin1String(start)))
            return QString::fromLatin1(tip);
    return {};
}

// Today's stock price typed for a position, by its title, for the run.
QHash<QString, double> &typedStockPrices()
{
    static QHash<QString, double> prices;
    return prices;
}

} // namespace

AnalysisWindow::AnalysisWindow(AnalysedPosition position, MessageBoxes &messages, QWidget *parent)
    : QDialog(parent)
    , m_position(std::move(position))
    , m_messages(messages)
{
    setObjectName(QStringLiteral("fAnalysis"));
    setWindowTitle(QStringLiteral("Analysis - ") + m_position.strategyName);
    auto *outer = new QVBoxLayout(this);
    auto *bar = new QMenuBar(this);
    outer->setMenuBar(bar);
    buildMenus(bar);

    auto *body = new QHBoxLayout;
    outer->addLayout(body);
    auto *side = new QVBoxLayout;
    body->addLayout(side);
    const auto typed = typedStockPrices().constFind(m_position.title);
    m_panel = new AnalysisPanel(m_legs,
        typed != typedStockPrices().cend() ? std::optional(*typed) : m_position.stockPrice, this);
    side->addWidget(m_panel);
    m_figures = new QTableWidget(this);
    m_figures->setObjectName(QStringLiteral("figures"));
    m_figures->setAccessibleName(QStringLiteral("Figures"));
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
    connect(m_panel, &AnalysisPanel::keyRefused, this, [this](QLineEdit *field) {
        m_messages.show(Workspace::keyFilterMessage());
        returnFocus(field);
    });
    // As large as the chart would like, within the free room of the screen.
    const QScreen *screen = parent ? parent->screen() : this->screen();
    resize(screen ? kWantedSize.boundedTo(screen->availableGeometry().size() - kFrameAllowance)
                  : kWantedSize);
    applyInputs();
}

AnalysisWindow::~AnalysisWindow()
{
    // The dialog hides itself once this part is gone, and a field losing the
    // focus then would hand its text to the members already destroyed.
    m_panel->disconnect(this);
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
    add(file, "A_ExportTable", QStringLiteral("Export Table..."), [this] { exportFigures(); });
    add(file, "A_ExportReport", QStringLiteral("Export Report..."), [this] {
        if (const QString error = exportReport({report()}, exportName(), this); !error.isEmpty())
            m_messages.show({error, MsgStyle::Stop, {}});
    });
    add(file, "A_Print", QStringLiteral("Print..."), [this] { printChartPage(false); });
    add(file, "A_Preview", QStringLiteral("Print Preview..."), [this] { printChartPage(true); });
    file->addSeparator();
    add(file, "A_Close", QStringLiteral("Close"), [this] { close(); });
    QMenu *print = bar->addMenu(QStringLiteral("&Print"));
    add(print, "A_PrintReport", QStringLiteral("Report..."), [this] {
        if (const QString error = printReport(report(), this); !error.isEmpty())
            m_messages.show({error, MsgStyle::Stop, {}});
    });
    add(print, "A_PreviewReport", QStringLiteral("Report Preview..."),
        [this] { previewReport(report(), this); });
    QMenu *edit = bar->addMenu(QStringLiteral("&Edit"));
    add(edit, "A_Copy", QStringLiteral("Copy"), [this] {
        copyTable(shownTable());
    })->setShortcut(QKeySequence::Copy);
}

bool AnalysisWindow::applyInputs()
{
    const AnalysisInputs in = m_panel->inputs();
    if (m_refusing || (m_shown && *m_shown == in))
        return true;
    if (const auto problem = analysisProblem(m_legs, in)) {
        refuse(*problem);
        return false;
    }
    // Zoom and pan hold while only the evaluation date moves.
    AnalysisInputs sameDate = in;
    if (m_shown)
        sameDate.elapsedDays = m_shown->elapsedDays;
    const bool freshRange = !m_shown || !(*m_shown == sameDate);
    m_shown = in;
    m_panel->remember();
    if (in.stockPrice)
        typedStockPrices().insert(m_position.title, *in.stockPrice);
    const QString date
        = QLocale::c().toString(m_panel->evaluationDate(), QStringLiteral("yyyy-MM-dd"));
    const PositionAnalysis analysis = analysePosition(m_legs, in);
    m_view->setScene(
        {m_legs, in, analysis.figures, QStringLiteral("On ") + date, m_position.title}, freshRange);
    m_panel->showLegVolatilities(analysis.volatilities, in.stockPrice.has_value());
    showFigures(analysis);
    const QDate today = m_panel->evaluationDate().addDays(-m_panel->evaluationSlider()->value());
    m_grid->setGrid(positionGrid(m_legs, analysis.volatilities, analysis.figures, in), today);
    m_european->setVisible(in.dividendPercent > 0);
    return true;
}

PositionReport AnalysisWindow::report() const
{
    const QString heading = reportHeading(m_position.symbol, m_position.strategyName);
    const QDate today = m_panel->evaluationDate().addDays(-m_panel->evaluationSlider()->value());
    if (!m_shown) {
        PositionReport refused;
        refused.heading = heading;
        refused.summary = m_position.title;
        refused.written = today;
        refused.refusal = QStringLiteral("The analysis inputs were refused: mend them first.");
        return refused;
    }
    return positionReport(heading, m_position.title, m_legs, m_position.chart, *m_shown, today);
}

TableRows AnalysisWindow::shownTable() const
{
    return m_tabs->currentWidget() == m_grid ? m_grid->rows() : m_figureRows;
}

void AnalysisWindow::refuse(const QString &problem)
{
    m_refusing = true;
    m_messages.show({problem, MsgStyle::Stop, QStringLiteral("Attention")});
    m_refusing = false;
    if (m_shown)
        m_panel->showInputs(*m_shown);
    returnFocus(m_panel->lastEdited());
    if (auto *field = qobject_cast<QLineEdit *>(m_panel->lastEdited()))
        field->selectAll();
}

// A message box belongs to the main window, which it leaves active.
void AnalysisWindow::returnFocus(QWidget *input)
{
    activateWindow();
    if (input)
        input->setFocus(Qt::OtherFocusReason);
}

// Each cell is named by its figure and its column, for a screen reader;
// the figure's tip says what it is.
void AnalysisWindow::showFigures(const PositionAnalysis &analysis)
{
    m_figureRows = figureRows(analysis);
    const QStringList header = m_figureRows.front();
    m_figures->setColumnCount(int(header.size()));
    m_figures->setHorizontalHeaderLabels(header);
    m_figures->setRowCount(int(m_figureRows.size()) - 1);
    for (int row = 1; row < m_figureRows.size(); ++row) {
        const QStringList &cells = m_figureRows[row];
        const QString tip = figureTip(cells.value(0));
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            const QString value = cells[column].isEmpty() ? QStringLiteral("blank") : cells[column];
            item->setData(Qt::AccessibleTextRole,
                column == 0
                    ? value
                    : QStringLiteral("%1, %2: %3").arg(cells[0], header.value(column), value));
            item->setToolTip(tip);
            item->setData(Qt::AccessibleDescriptionRole, tip);
            m_figures->setItem(row - 1, column, item);
        }
    }
    m_figures->resizeColumnsToContents();
}

QString AnalysisWindow::exportName() const
{
    return QFileInfo(suggestedChartFile(
                         m_position.symbol, m_position.strategyName + QStringLiteral(" analysis")))
        .completeBaseName();
}

void AnalysisWindow::exportChartFile()
{
    QFileDialog dialog(this, QStringLiteral("Export Chart"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(chartFileFilter());
    dialog.selectNameFilter(QStringLiteral("PDF document (*.pdf)"));
    dialog.setDirectory(exportFolder());
    dialog.selectFile(exportName() + QStringLiteral(".pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString file
        = chartFileName(dialog.selectedFiles().constFirst(), dialog.selectedNameFilter());
    rememberExportFolder(file);
    const QString error = exportChart(m_view->surface(), file);
    if (!error.isEmpty())
        m_messages.show({error, MsgStyle::Stop, {}});
}

void AnalysisWindow::exportFigures()
{
    const QString error = exportTable(shownTable(), this, exportName() + QStringLiteral(".csv"));
    if (!error.isEmpty())
        m_messages.show({error, MsgStyle::Stop, {}});
}

void AnalysisWindow::printChartPage(bool preview)
{
    if (preview) {
        previewChart(m_view->surface(), this);
        return;
    }
    ChartPaper paper;
    if (!paper.ask(this))
        return;
    const QString error = paper.print(inPrintColours(m_view->surface()));
    if (!error.isEmpty())
        m_messages.show({error, MsgStyle::Stop, {}});
}

} // namespace velmora
