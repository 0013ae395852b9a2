#include "ui/MainWindow.h"

#include "chart/GraphBase.h"
#include "chart/Twips.h"
#include "core/Catalogue.h"
#include "session/PositionReports.h"
#include "store/DatabaseLocation.h"
#include "strategies/ChartSummary.h"
#include "strategies/Leg.h"
#include "ui/AboutWindow.h"
#include "ui/AnalysisPanel.h"
#include "ui/AnalysisWindow.h"
#include "ui/Captions.h"
#include "ui/ChartMode.h"
#include "ui/FieldFocus.h"
#include "ui/GroupBuilder.h"
#include "ui/Look.h"
#include "ui/MessageGate.h"
#include "ui/ProgramSettings.h"
#include "ui/TableExport.h"
#include "ui/chart/ChartPrinter.h"
#include "ui/chart/ChartView.h"
#include "ui/chart/PrintJob.h"
#include "ui/chart/ReportPaper.h"
#include "ui/output/ChartExport.h"
#include "ui/output/ChartFileFormat.h"
#include "ui/store/CleanUpDialog.h"
#include "ui/store/OpenSaveDialog.h"
#include "ui/store/ReportPickerDialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace velmora
{

namespace
{

const ControlId kSymbol = single("Text1");

// Window sizes and place, twips.
constexpr int kClientWidth = 9285;
constexpr int kClientHeight = 5970;
constexpr int kEntryWidth = 9315;
constexpr int kWindowLeft = 915;
constexpr int kWindowTop = 795;
// The smallest chart-mode window, pixels: the chart stays legible.
constexpr QSize kChartMinimum(320, 240);
// How long the window manager takes to redraw a frame, milliseconds.
constexpr int kFrameSettleMs = 250;

QLabel *placeCaption(const char *text, QWidget *parent, int left, int top)
{
    auto *label = new QLabel(QString::fromUtf8(text), parent);
    label->setFont(look::font(false));
    label->adjustSize();
    label->move(twipsToPixels(left), twipsToPixels(top));
    return label;
}

void parkGroup(QGroupBox *group)
{
    group->move(twipsToPixels(kParkedLeftTwips), group->y());
    group->hide();
}

} // namespace

MainWindow::MainWindow(MessageBoxes &messages, QWidget *parent)
    : QMainWindow(parent)
    , m_messages(messages)
{
    setObjectName(QStringLiteral("fStrategy"));
    setWindowTitle(QStringLiteral("Strategy"));
    // No maximise button; changeEvent undoes a maximise that comes anyway.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QPalette tinted = palette();
    tinted.setColor(QPalette::Window, look::windowBackground());
    setPalette(tinted);

    m_gate = new MessageGate(m_messages, this);
    m_focus = new FieldFocus(workspace(), m_controls, *m_gate, this);
    m_actions = buildMainMenu(menuBar());
    menuBar()->setPalette(QApplication::style()->standardPalette());

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setAutoFillBackground(true);
    setCentralWidget(client);
    // The entry controls share one layer under the chart, so chart mode can
    // put all of them out of reach, keyboard included, while each keeps its
    // own enabled state (the strategy list stays locked after an Open).
    m_entry = new QWidget(client);
    m_entry->setObjectName(QStringLiteral("entryLayer"));
    auto *layers = new QVBoxLayout(client);
    layers->setContentsMargins(0, 0, 0, 0);
    layers->addWidget(m_entry);
    // Creation order is the tab order: symbol, strategy, the buttons; a group
    // made later joins it after the strategy list.
    buildTopControls(m_entry);
    m_controls.setMaker([this](const ControlId &id) { makeGroupOf(id); });
    m_graphButton = new QPushButton(QStringLiteral("View &Graph"), m_entry);
    m_controls.add(single("cmdGraph"), m_graphButton);
    m_graphButton->setFont(look::buttonFont());
    QPalette grey = m_graphButton->palette();
    grey.setColor(QPalette::Button, look::graphButton());
    m_graphButton->setPalette(grey);
    m_graphButton->setGeometry(look::rect(7155, 765, 1935, 330));
    m_graphButton->setToolTip(
        QStringLiteral("Check the position and chart its profit and loss at expiration"));
    m_analysisButton = new QPushButton(QStringLiteral("A&nalysis"), m_entry); // Alt+A is About
    m_controls.add(single("cmdAnalysis"), m_analysisButton);
    m_analysisButton->setFont(look::buttonFont());
    m_analysisButton->setPalette(grey);
    m_analysisButton->setGeometry(look::rect(5100, 765, 1935, 330));
    m_analysisButton->setToolTip(QStringLiteral(
        "Check the position and open its analysis: curves today and at expiration, figures"));
    buildChart(client);

    connectModel();

    resize(
        twipsToPixels(kClientWidth), twipsToPixels(kClientHeight) + menuBar()->sizeHint().height());
    m_normalSize = size();
    workspace().load();
    // Key preview: the window sees every key before the focused control.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    // Closing hides the fields, which moves the focus; the registry the
    // focus handling reads is gone by then.
    qApp->removeEventFilter(this);
    delete m_focus;
    m_focus = nullptr;
}

void MainWindow::buildTopControls(QWidget *client)
{
    QLabel *symbolCaption = placeCaption("Stock/Symbol", client, 105, 330);
    auto *symbol = new QLineEdit(client);
    pairCaption(symbolCaption, symbol);
    symbol->setToolTip(QStringLiteral("Ticker symbol of the stock, carried into the group"));
    m_controls.add(kSymbol, symbol);
    symbol->setMaxLength(fieldMaxLength(kSymbol));
    symbol->setGeometry(look::rect(2205, 315, 2145, 345));
    symbol->setFont(look::font(true));
    QPalette palette = symbol->palette();
    palette.setColor(QPalette::Base, look::symbolBackground());
    palette.setColor(QPalette::Text, Qt::white);
    symbol->setPalette(palette);
    m_focus->attach(symbol);

    QLabel *strategyCaption = placeCaption("Strategy Type", client, 4785, 345);
    m_strategyList = new QComboBox(client);
    pairCaption(strategyCaption, m_strategyList);
    m_strategyList->setToolTip(QStringLiteral("The strategy whose entry fields are shown"));
    m_controls.add(single("cmbStrategy"), m_strategyList);
    m_strategyList->setFont(look::font(false));
    m_strategyList->addItems(strategyNames());
    m_strategyList->setCurrentIndex(-1);
    m_strategyList->setGeometry(look::rect(6225, 300, 2895, 360));
}

QGroupBox *MainWindow::strategyGroup(int index)
{
    QGroupBox *&group = m_groups[size_t(index)];
    if (group)
        return group;
    const auto entry = std::find_if(groups().begin(), groups().end(),
        [index](const GroupSpec &g) { return int(g.kind) == index; });
    group = buildGroup(*entry, m_entry, m_controls);
    // Its focusable controls, in creation order, move from the end of the
    // tab order to just after the strategy list.
    QList<QWidget *> chain;
    for (QWidget *w = group->nextInFocusChain(); group->isAncestorOf(w); w = w->nextInFocusChain())
        if (w->focusPolicy() != Qt::NoFocus)
            chain << w;
    QWidget *previous = m_strategyList;
    for (QWidget *w : chain)
        QWidget::setTabOrder(std::exchange(previous, w), w);
    connectGroup(*entry);
    return group;
}

void MainWindow::makeGroupOf(const ControlId &id)
{
    for (const GroupSpec &entry : groups()) {
        const bool holds = entry.frameName == id.name
            || std::any_of(entry.fields.begin(), entry.fields.end(),
                [&id](const FieldSpec &field) { return field.id == id; });
        if (holds && !m_groups[size_t(entry.kind)])
            strategyGroup(int(entry.kind));
    }
}

void MainWindow::connectGroup(const GroupSpec &entry)
{
    for (const FieldSpec &fieldSpec : entry.fields) {
        if (fieldSpec.kind != FieldKind::RatioList) {
            m_focus->attach(m_controls.field(fieldSpec.id));
            connectField(fieldSpec.id);
            continue;
        }
        QComboBox *ratioList = m_controls.list(fieldSpec.id.name);
        const bool spread = fieldSpec.id.name == u"cmbratioCallSpreads";
        ratioList->setCurrentIndex(
            spread ? workspace().ratioSpreadIndex() : workspace().ratioIndex());
        connect(ratioList, &QComboBox::activated, &workspace(),
            spread ? &Workspace::chooseRatioSpread : &Workspace::chooseRatio);
        connect(&workspace(),
            spread ? &Workspace::ratioSpreadIndexChanged : &Workspace::ratioIndexChanged, ratioList,
            [ratioList](int index) {
                const QSignalBlocker blocker(ratioList);
                ratioList->setCurrentIndex(index);
            });
    }
}

// User edits go to the workspace; the field starts with the workspace's text.
void MainWindow::connectField(const ControlId &id)
{
    connect(m_controls.field(id), &QLineEdit::textEdited, this,
        [this, id](const QString &text) { workspace().setText(id, text); });
    showField(id, workspace().text(id));
}

void MainWindow::buildChart(QWidget *client)
{
    m_chart = new ChartView(&surface(), client);
    m_controls.add(single("pGraph"), m_chart);
    m_chart->setAccessibleName(QStringLiteral("Chart")); // until View Graph names it
    m_chart->setBordered(true);
    m_chart->setFocusPolicy(Qt::ClickFocus);
    m_chart->setGeometry(look::rect(
        kParkedLeftTwips, ChartMode::SurfaceTop, ChartSize::OuterWidth, ChartSize::OuterHeight));
}

void MainWindow::connectModel()
{
    connect(&workspace(), &Workspace::fieldChanged, this, &MainWindow::showField);
    connect(&workspace(), &Workspace::strategySwitched, this, &MainWindow::strategySwitched);
    connectField(kSymbol);
    connect(m_strategyList, &QComboBox::activated, &workspace(), &Workspace::setStrategy);

    connect(m_graphButton, &QPushButton::clicked, this, &MainWindow::cmdGraph_Click);
    connect(m_analysisButton, &QPushButton::clicked, this, &MainWindow::cmdAnalysis_Click);
    const std::pair<const char *, void (MainWindow::*)()> handlers[] = {
        {"F_Nw", &MainWindow::F_Nw_Click},
        {"F_Open", &MainWindow::F_Open_Click},
        {"F_Rem", &MainWindow::F_Rem_Click},
        {"F_Save", &MainWindow::F_Save_Click},
        {"F_Exit", &MainWindow::F_Exit_Click},
        {"F_Export", &MainWindow::F_Export_Click},
        {"F_ExportTable", &MainWindow::F_ExportTable_Click},
        {"F_ExportReport", &MainWindow::F_ExportReport_Click},
        {"E_Copy", &MainWindow::E_Copy_Click},
        {"V_Analysis", &MainWindow::cmdAnalysis_Click},
        {"P_Graph", &MainWindow::P_Graph_Click},
        {"P_Preview", &MainWindow::P_Preview_Click},
        {"A", &MainWindow::A_Click},
    };
    for (const auto &[name, handler] : handlers)
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    // Exporting and previewing, like Print > Graph, need the chart on screen.
    for (const char *name : {"F_Export", "F_ExportTable", "E_Copy", "P_Preview"})
        connect(action(QStringLiteral("P_Graph")), &QAction::enabledChanged,
            action(QString::fromLatin1(name)), &QAction::setEnabled);
}

// --- fields -----------------------------------------------------------------

void MainWindow::showField(const ControlId &id, const QString &text)
{
    // A field not made yet takes its text when it is made.
    auto *edit = qobject_cast<QLineEdit *>(m_controls.made(id));
    if (!edit || edit->text() == text)
        return;
    const int cursor = edit->cursorPosition();
    edit->setText(text);
    edit->setCursorPosition(std::min(cursor, int(text.size())));
}

QWidget *MainWindow::chartWidget() const
{
    return m_chart;
}

std::optional<ControlId> MainWindow::focusedControl() const
{
    return m_controls.idOf(QApplication::focusWidget());
}

void MainWindow::setFocusTo(const ControlId &id, bool selectAll)
{
    m_focus->moveFocus(id, selectAll);
}

Answer MainWindow::showMessage(const Message &message)
{
    return m_gate->show(message);
}

// --- strategies and modes ------------------------------------------------------

void MainWindow::strategySwitched(int listIndex)
{
    const FieldFocus::Quiet quiet(*m_focus);
    {
        const QSignalBlocker blocker(m_strategyList);
        m_strategyList->setCurrentIndex(listIndex);
    }
    // The selected group is not parked on its way, so the focus stays in it.
    for (int i = 0; i < kStrategyCount; ++i)
        if (i != listIndex && m_groups[size_t(i)])
            parkGroup(m_groups[size_t(i)]);
    if (listIndex < 0 || listIndex >= kStrategyCount)
        return;
    QGroupBox *shown = strategyGroup(listIndex);
    shown->move(twipsToPixels(kGroupLeft), twipsToPixels(kGroupTop));
    shown->show();
    shown->raise();
    if (chartShown())
        m_chart->raise();
    setOuterHeight(group(listIndex).windowHeight);
}

void MainWindow::defaultLocation()
{
    const FieldFocus::Quiet quiet(*m_focus);
    for (QGroupBox *g : m_groups)
        if (g)
            parkGroup(g);
}

bool MainWindow::chartShown() const
{
    return m_chart->x() != twipsToPixels(kParkedLeftTwips);
}

void MainWindow::graphBaseWindow()
{
    action(QStringLiteral("P_Graph"))->setEnabled(true);
    m_chart->move(twipsToPixels(ChartMode::SurfaceLeft), twipsToPixels(ChartMode::SurfaceTop));
    m_chart->raise();
    setOuterWidth(ChartMode::WindowWidth);
    setOuterHeight(ChartMode::WindowHeight);
    m_chart->update();
    if (m_entry->isEnabled()) {
        // Keys typed now must not reach a field hidden under the chart.
        m_focusBeforeChart = QApplication::focusWidget();
        const FieldFocus::Quiet quiet(*m_focus);
        m_chart->setFocus();
        m_entry->setEnabled(false);
    }
}

void MainWindow::parkChart()
{
    m_chart->move(twipsToPixels(kParkedLeftTwips), twipsToPixels(ChartMode::SurfaceTop));
}

void MainWindow::leaveChartMode()
{
    if (!chartShown())
        return;
    m_session.leaveChart();
    parkChart();
    setOuterWidth(kEntryWidth);
    action(QStringLiteral("P_Graph"))->setEnabled(false);
    m_entry->setEnabled(true);
    if (m_focusBeforeChart && m_focusBeforeChart->isVisible()) {
        const FieldFocus::Quiet quiet(*m_focus);
        m_focusBeforeChart->setFocus();
    }
}

// Sizes are those of the whole window, frame included, as far as the window
// system tells the frame.
void MainWindow::setOuterWidth(int twips)
{
    m_outerWidth = twips;
    applyOuterSize();
}

void MainWindow::setOuterHeight(int twips)
{
    m_outerHeight = twips;
    applyOuterSize();
}

void MainWindow::applyOuterSize()
{
    const QSize frame = frameGeometry().size() - size();
    m_appliedFrame = frame;
    QSize outer = frameGeometry().size();
    if (m_outerWidth > 0)
        outer.setWidth(twipsToPixels(m_outerWidth));
    if (m_outerHeight > 0)
        outer.setHeight(twipsToPixels(m_outerHeight));
    if (chartShown()) {
        // The chart follows the window; the entry layout has one size.
        const QSize target = (fitOnScreen(outer) - frame).expandedTo(QSize(1, 1));
        setMinimumSize(kChartMinimum);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(target);
        m_normalSize = target;
    } else {
        const QSize target = (outer - frame).expandedTo(QSize(1, 1));
        setFixedSize(target);
        m_normalSize = target;
    }
    layoutChart();
    if (isVisible())
        QTimer::singleShot(kFrameSettleMs, this, &MainWindow::reapplyForNewFrame);
}

// A screen too small for the chart-mode window gets it scaled down, in
// proportion, to the room left from the window's place.
QSize MainWindow::fitOnScreen(const QSize &outer) const
{
    const QScreen *shownOn = screen();
    if (!shownOn)
        return outer;
    const QRect room = shownOn->availableGeometry();
    const QPoint at = frameGeometry().topLeft();
    const QSize space(room.right() + 1 - std::max(at.x(), room.left()),
        room.bottom() + 1 - std::max(at.y(), room.top()));
    if (space.width() >= outer.width() && space.height() >= outer.height())
        return outer;
    return outer.scaled(space, Qt::KeepAspectRatio);
}

// In chart mode the chart takes the room the window gives it (the view
// draws it there in its own proportions, on its own background); in the
// window of chart mode's own size it has its own size.
void MainWindow::layoutChart()
{
    if (!chartShown())
        return;
    const QSize hint = m_chart->sizeHint();
    if (!isVisible()) {
        m_chart->resize(hint); // no window to follow
        return;
    }
    const QSize offset(twipsToPixels(ChartMode::SurfaceLeft), twipsToPixels(ChartMode::SurfaceTop));
    const QSize menu(0, menuBar()->isVisible() ? menuBar()->height() : 0);
    const QSize ownClient
        = QSize(twipsToPixels(ChartMode::WindowWidth), twipsToPixels(ChartMode::WindowHeight))
        - m_appliedFrame - menu;
    const QSize margin = (ownClient - offset - hint).expandedTo(QSize(0, 0));
    const QSize room = (centralWidget()->size() - offset).expandedTo(QSize(1, 1));
    // A smaller window gives the chart all its room, so no entry control
    // shows beside it.
    const QSize withMargin = room - margin;
    const bool roomForMargin
        = withMargin.width() >= hint.width() && withMargin.height() >= hint.height();
    m_chart->resize(roomForMargin ? withMargin : room);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The frame is known only once the window is on screen.
    applyOuterSize();
    QTimer::singleShot(0, this, &MainWindow::applyOuterSize);
}

void MainWindow::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    reapplyForNewFrame();
}

// The window manager tells the frame after the window is shown, and changes
// it when the window turns resizable or fixed, with no event to say so. The
// sizes, given with the frame, are applied again once it is known, so that
// a strategy has one window height throughout.
void MainWindow::reapplyForNewFrame()
{
    if (frameGeometry().size() - size() != m_appliedFrame)
        applyOuterSize();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    layoutChart();
}

// --- commands ---------------------------------------------------------------------

void MainWindow::cmdGraph_Click()
{
    if (!m_focus->settleLeaveWarnings())
        return;
    move(twipsToPixels(kWindowLeft), twipsToPixels(kWindowTop));
    m_session.setFocus(focusedControl());
    const GraphOutcome &outcome = m_session.viewGraph();
    if (!reportRefusal(outcome) && outcome.result == ChartResult::Chart) {
        m_chart->describe(chartSummary(workspace(), outcome.table));
        graphBaseWindow();
    }
}

bool MainWindow::reportRefusal(const GraphOutcome &outcome)
{
    if (outcome.result != ChartResult::Refused || !outcome.message)
        return false;
    const std::optional<ControlId> before = focusedControl();
    showMessage(*outcome.message);
    if (outcome.focus && (outcome.focus != before || outcome.selected))
        setFocusTo(*outcome.focus, outcome.selected);
    return true;
}

void MainWindow::cmdAnalysis_Click()
{
    m_session.setFocus(focusedControl());
    const GraphOutcome &outcome = m_session.checkPosition();
    if (reportRefusal(outcome) || outcome.result != ChartResult::Chart)
        return;
    // The chart the checks drew, for the report's page.
    ChartSurface chart = surface();
    m_session.drawChartOn(chart);
    const Workspace &fields = workspace();
    const Legs legs = positionLegs(fields);
    auto *analysis = new AnalysisWindow(
        {legs, positionStockPrice(legs), fields.text(kSymbol),
            strategyNames().value(fields.strategy()), positionTitle(fields), chart},
        m_messages, this);
    analysis->setAttribute(Qt::WA_DeleteOnClose);
    analysis->show();
}

void MainWindow::F_Nw_Click()
{
    workspace().setStrategy(0);
    openSaveState().OpSvMode = OpenSaveState::New;
    workspace().blank();
    setWindowTitle(QStringLiteral("Strategy"));
    m_strategyList->setEnabled(true);
    leaveChartMode();
}

void MainWindow::F_Open_Click()
{
    OpenSaveDialog dialog(databasePath(), workspace(), openSaveState(), m_messages, this);
    dialog.showOpen();
    applyOpenOutcome(dialog.outcome());
}

void MainWindow::applyOpenOutcome(const OpenSaveOutcome &outcome)
{
    if (outcome.mainCaption)
        setWindowTitle(*outcome.mainCaption);
    if (outcome.disableStrategyList)
        m_strategyList->setEnabled(false);
    if (outcome.escape)
        leaveChartMode();
}

void MainWindow::F_Rem_Click()
{
    CleanUpDialog dialog(databasePath(), m_messages, this);
    dialog.exec();
}

void MainWindow::F_Save_Click()
{
    OpenSaveDialog dialog(databasePath(), workspace(), openSaveState(), m_messages, this);
    dialog.showSave();
}

void MainWindow::F_Exit_Click()
{
    close();
}

void MainWindow::F_Export_Click()
{
    if (!chartShown())
        return;
    // The folder of the last export, and a name from the position.
    QFileDialog dialog(this, QStringLiteral("Export Chart"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(chartFileFilter());
    dialog.selectNameFilter(QStringLiteral("PDF document (*.pdf)"));
    dialog.setDirectory(exportFolder());
    dialog.selectFile(suggestedChartFile(
        workspace().text(kSymbol), strategyNames().value(workspace().strategy())));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    // A name typed without an ending gets the one of the type chosen.
    const QString file
        = chartFileName(dialog.selectedFiles().constFirst(), dialog.selectedNameFilter());
    rememberExportFolder(file);
    const QString error = exportChart(surface(), file);
    if (!error.isEmpty())
        showMessage({error, MsgStyle::Stop, {}});
}

void MainWindow::F_ExportTable_Click()
{
    if (!chartShown())
        return;
    const QString error = exportTable(m_session.valueTable(), this);
    if (!error.isEmpty())
        showMessage({error, MsgStyle::Stop, {}});
}

void MainWindow::F_ExportReport_Click()
{
    ReportPickerDialog picker(databasePath(), m_messages, this);
    if (picker.exec() != QDialog::Accepted)
        return;
    // Each position with the inputs the analysis window last kept, and its
    // own stock price where it has one.
    const InputsFor inputsFor = [](const Legs &legs) {
        AnalysisInputs in = rememberedAnalysisInputs();
        in.stockPrice = positionStockPrice(legs);
        return in;
    };
    const std::vector<PositionReport> reports = savedReports(
        *picker.store(), picker.strategy(), picker.marked(), inputsFor, QDate::currentDate());
    const QString name = strategyNames().value(picker.strategy()) + QStringLiteral(" report");
    if (const QString error = exportReport(reports, name, this); !error.isEmpty())
        showMessage({error, MsgStyle::Stop, {}});
}

void MainWindow::E_Copy_Click()
{
    if (chartShown())
        copyTable(m_session.valueTable());
}

void MainWindow::P_Graph_Click()
{
    if (!chartShown())
        return;
    ChartPaper paper;
    PrintJobSteps steps;
    steps.chartShown = [this] { return chartShown(); };
    steps.preparePrintState = [this] {
        defaultLocation();
        showPrintLook(true);
    };
    steps.redraw = [this] { cmdGraph_Click(); };
    steps.askPrinter = [this, &paper] { return paper.ask(this); };
    steps.print = [this, &paper] { return paper.print(surface()); };
    steps.restoreScreenState = [this] { showPrintLook(false); };
    steps.leaveChartMode = [this] { leaveChartMode(); };
    // A printer that fails is said so; a cancelled dialog is not a failure.
    const PrintJobResult result = runPrintJob(steps);
    if (result.outcome == PrintOutcome::Failed)
        showMessage({result.error, MsgStyle::Stop, {}});
}

void MainWindow::P_Preview_Click()
{
    if (!chartShown())
        return;
    // The page as Print > Graph prints it: drawn again on a narrower
    // surface of its own in print colours, so the window keeps its look
    // while the preview is open, and chart mode goes on.
    ChartSurface page = surface();
    setPrintLook(page);
    if (m_session.drawChartOn(page))
        previewChart(page, this);
}

// Black on white on a narrower borderless surface while printing.
void MainWindow::showPrintLook(bool printing)
{
    if (printing)
        setPrintLook(surface());
    else
        setScreenLook(surface());
    m_chart->setBordered(!printing);
    m_chart->resize(m_chart->sizeHint());
    layoutChart();
    QPalette tinted = palette();
    tinted.setColor(QPalette::Window, printing ? QColor(Qt::white) : look::windowBackground());
    setPalette(tinted);
}

void MainWindow::A_Click()
{
    AboutWindow about(this);
    about.exec();
}

// --- keys and window state ------------------------------------------------------------

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    // Only the first delivery: a key a control ignores travels on to its parents.
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : this;
    if (widget != target)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        focusNextChild(); // Enter acts as Tab
        return true;
    }
    if (key->key() == Qt::Key_Escape)
        leaveChartMode();
    return false;
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized)) {
        QTimer::singleShot(0, this, [this] {
            setWindowState(windowState() & ~Qt::WindowMaximized);
            resize(m_normalSize);
        });
    }
}

} // namespace velmora
