#include "ProgramView.h"

#include "CMSFlexGrid.h"
#include "CellEditors.h"
#include "ChannelCommandMenus.h"
#include "ChannelCommands.h"
#include "DialogUnits.h"
#include "FormCommands.h"
#include "FormPrinter.h"
#include "GridInput.h"
#include "HistoryActions.h"
#include "SettingsPanel.h"
#include "Texts.h"
#include "Tr.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>

#include <array>

namespace {

// Template 101, in dialog units.
constexpr int kFormWidth = 596;
constexpr int kFormHeight = 319;
constexpr int kPanelHeight = 104; // the settings group and its margin
constexpr QRect kGridRect(15, 128, 566, 179);
constexpr int kRowHeight = 12;

// The channel grid's column widths, column 0 first, as factors of one common width.
constexpr std::array<double, orx::kGridColumnCount> kChannelWidthFactors = {0.4, 1.2, 1.2, 1.3, 1.3, 1.0,
                                                                            1.0, 1.0, 0.9, 0.9, 1.2};

} // namespace

CProgramView::CProgramView(CProgramDoc& document, QWidget* parent)
    : QWidget(parent), m_doc(document), m_controller(document), m_csv(document, m_controller, this)
{
    setObjectName(QStringLiteral("programView"));
    createControls();
    layoutForm();
    connect(&m_doc, &CProgramDoc::imageReplaced, this, &CProgramView::onImageReplaced);
    // Whatever reads the screen (save, read, write, the unsaved-edits question) gets the value an
    // open editor holds.
    connect(&m_doc, &CProgramDoc::commitRequested, this, &CProgramView::CommitOpenEditor);
    connect(m_channelModel, &CChannelTableModel::edited, &m_doc, &CProgramDoc::ScreenEdited);
    connect(&m_doc, &CProgramDoc::rowsChanged, m_channelModel, &CChannelTableModel::showRows);
    // A step of the history taken (settings, band, password, a feature dialog, the serial number):
    // the panel shows the screen as it now is.
    connect(&m_doc, &CProgramDoc::stateRestored, this, [this] {
        if (m_setUp)
            m_panel->showScreen();
    });
    connect(&m_doc, &CProgramDoc::stepRevisited, this, &CProgramView::onStepRevisited);
}

CProgramView::~CProgramView() = default;

void CProgramView::createControls()
{
    m_panel = new CSettingsPanel(m_doc, this);

    m_channelLabel = new QLabel(res::Tr(res::kChannelLabel), this);
    m_deleteButton = new QPushButton(res::Tr(res::kDeleteButton), this);
    m_deleteButton->setObjectName(QStringLiteral("deleteButton"));
    m_addButton = new QPushButton(res::Tr(res::kAddButton), this);
    m_addButton->setObjectName(QStringLiteral("addButton"));
    m_factoryButton = new QPushButton(res::Tr(res::kFactoryButton), this);
    m_factoryButton->setObjectName(QStringLiteral("factoryButton"));
    m_factoryButton->hide();
    for (QPushButton* b : {m_deleteButton, m_addButton, m_factoryButton})
        b->setAutoDefault(false);

    m_grid = new CMSFlexGrid(this);
    m_grid->setObjectName(QStringLiteral("channelGrid"));
    m_channelModel = new CChannelTableModel(m_doc.channels(), this);
    m_grid->setModel(m_channelModel);

    // The cell editors lie over the grid, so they are made after it and stay above it.
    m_editors = new CCellEditors(this, m_grid, m_controller);
    m_commands = new CChannelCommands(this, m_grid, m_controller, *m_editors);
    m_menus = new CChannelCommandMenus(*m_commands, m_grid, this);
    m_input = new CGridInput(m_grid, *m_editors, *m_commands, m_panel->lists(), this);
    m_history = new CHistoryActions(m_doc, *m_editors, this);

    connect(m_deleteButton, &QPushButton::clicked, m_commands, &CChannelCommands::DeleteChannel);
    connect(m_addButton, &QPushButton::clicked, m_commands, &CChannelCommands::AddChannel);
    connect(m_factoryButton, &QPushButton::clicked, this,
            [this] { formcmd::LoadFactoryDefaults(m_doc, this); });
}

void CProgramView::layoutForm()
{
    const DialogUnits du(font());
    m_formSize = QSize(du.x(kFormWidth), du.y(kFormHeight));
    m_panel->layOut(du, m_formSize.width(), du.y(kPanelHeight));

    const int rowHeight = du.y(kRowHeight);
    const int buttonHeight = std::max(rowHeight, m_deleteButton->sizeHint().height() - 4);
    auto placeLine = [&](QWidget* w, int x, int width) {
        w->setGeometry(du.x(x), du.y(108) + (rowHeight - buttonHeight) / 2, du.x(width), buttonHeight);
    };
    m_channelLabel->setGeometry(du.x(17), du.y(108), du.x(29), rowHeight);
    m_channelLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    placeLine(m_deleteButton, 54, 47);
    placeLine(m_addButton, 111, 47);
    placeLine(m_factoryButton, 168, 58);
    m_editors->placeOnTemplate(du, kRowHeight);

    m_grid->setGeometry(du.rect(kGridRect.x(), kGridRect.y(), kGridRect.width(), kGridRect.height()));
    setMinimumSize(m_formSize.width() / 2, m_formSize.height() / 2);
}

void CProgramView::retranslate()
{
    m_panel->retranslate();
    m_channelLabel->setText(res::Tr(res::kChannelLabel));
    m_deleteButton->setText(res::Tr(res::kDeleteButton));
    m_addButton->setText(res::Tr(res::kAddButton));
    m_factoryButton->setText(res::Tr(res::kFactoryButton));
    m_history->retranslate();
    m_menus->retranslate();
    m_channelModel->retranslate();
}

void CProgramView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void CProgramView::wheelEvent(QWheelEvent* event)
{
    m_input->formWheel(event->angleDelta().y());
    QWidget::wheelEvent(event);
}

void CProgramView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The grid takes whatever room the window gives beyond the form's own size.
    const DialogUnits du(font());
    const int left = du.x(kGridRect.x());
    const int top = du.y(kGridRect.y());
    const int rightMargin = du.x(kFormWidth - kGridRect.x() - kGridRect.width());
    const int bottomMargin = du.y(kFormHeight - kGridRect.y() - kGridRect.height());
    m_grid->setGeometry(left, top, std::max(du.x(100), width() - left - rightMargin),
                        std::max(du.y(60), height() - top - bottomMargin));
}

void CProgramView::setUpGrid()
{
    m_grid->SetRows(kGridRows);
    m_grid->SetCols(kGridCols);
    m_grid->SetFixedRows(1);
    m_grid->SetFixedCols(1);
    for (int c = 0; c < kGridCols; ++c)
        m_grid->SetTextMatrix(0, c, res::FromUtf8(orx::kChannelHeaders[static_cast<std::size_t>(c)]));

    // The width every column starts with is chosen so that the factors fill the grid; column c then
    // gets that width times its factor.
    double factorSum = 0;
    for (double f : kChannelWidthFactors)
        factorSum += f;
    const int inner = DialogUnits(font()).x(kGridRect.width()) - 2 * CMSFlexGrid::kBorderPixels -
                      m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 2;
    m_grid->horizontalHeader()->setDefaultSectionSize(std::max(40, static_cast<int>(inner / factorSum)));
    const int w0 = m_grid->ColWidth(0);
    for (int c = 0; c < kGridCols; ++c) {
        m_grid->SetColWidth(c, static_cast<int>(w0 * kChannelWidthFactors[static_cast<std::size_t>(c)]));
        m_grid->SetColAlignment(c, CMSFlexGrid::AlignCenterCenter);
    }
    m_grid->SetSelectionMode(CMSFlexGrid::SelectionFree);
    // The current cell and a selection of channels show in every style, focused or not.
    m_grid->SetMarkSelection(true);
    m_grid->SetWordWrap(true);
    m_grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // Column 0 shows the channel numbers 1 to 128: the model's own row headers.
}

void CProgramView::SetDealerMode(bool on)
{
    m_dealerMode = on;
    m_factoryButton->setVisible(on);
}

void CProgramView::OnInitialUpdate()
{
    if (!m_setUp) {
        m_panel->setUp();
        setUpGrid();
        m_setUp = true;
    }
    m_panel->showScreen();
}

void CProgramView::onImageReplaced()
{
    // A value half typed for the screen being replaced goes nowhere.
    m_editors->CloseAll();
    OnInitialUpdate();
}

void CProgramView::onStepRevisited(int first)
{
    m_grid->SetRow(first);
    m_grid->scrollTo(m_grid->currentIndex());
}

void CProgramView::SetRowTexts(int row, const orx::ChannelTexts& texts)
{
    for (int c = orx::kFirstDataColumn; c <= orx::kLastDataColumn; ++c)
        m_grid->SetTextMatrix(row, c, res::FromUtf8(texts[static_cast<orx::ChannelColumn>(c)]));
}

void CProgramView::ImageToView()
{
    m_doc.ReplaceImage(m_doc.image());
}

void CProgramView::ViewToImage()
{
    // The document has an open editor commit first.
    m_doc.StoreScreen();
}

void CProgramView::CommitOpenEditor()
{
    m_editors->CommitOpen();
}

QRect CProgramView::CellEditorRect(int row, int col) const
{
    return m_editors->CellRect(row, col);
}

QAction* CProgramView::undoAction() const
{
    return m_history->undoAction();
}

QAction* CProgramView::redoAction() const
{
    return m_history->redoAction();
}

void CProgramView::Undo()
{
    m_history->Undo();
}

void CProgramView::Redo()
{
    m_history->Redo();
}

void CProgramView::AddChannelCommands(QMenu* menu)
{
    m_menus->AddTo(menu);
}

QMenu* CProgramView::CreateGridMenu(int col, QWidget* parent)
{
    return m_menus->CreateGridMenu(col, parent);
}

void CProgramView::PrintTo(QPrinter* printer)
{
    CFormPrinter(m_doc.pathName(), m_panel->labels(), m_grid, m_channelModel, font()).Print(printer);
}

bool CProgramView::ExportCsvFile(const QString& path)
{
    CommitOpenEditor();
    return m_csv.Export(path);
}

bool CProgramView::ImportCsvFile(const QString& path)
{
    CommitOpenEditor();
    return m_csv.Import(path);
}

void CProgramView::OnExportCsv()
{
    CommitOpenEditor();
    m_csv.OnExport();
}

void CProgramView::OnImportCsv()
{
    CommitOpenEditor();
    m_csv.OnImport();
}

void CProgramView::OnRead()
{
    formcmd::ReadRadio(m_doc, this);
}

void CProgramView::OnWrite()
{
    formcmd::WriteRadio(m_doc, this);
}

void CProgramView::OnPower()
{
    formcmd::TunePower(m_doc, this);
}

void CProgramView::OnDtmf()
{
    formcmd::EditDtmf(m_doc, this);
}

void CProgramView::OnSideKeys()
{
    formcmd::EditSideKeys(m_doc, this);
}

void CProgramView::OnFmRadio()
{
    formcmd::EditFmRadio(m_doc, this);
}

void CProgramView::OnSerialNumber()
{
    // Row 63 may hold edits that are not in the image yet (an editor may still be open over it):
    // they are channel 63 as much as the image's record is.
    CommitOpenEditor();
    formcmd::EditSerialNumber(m_doc, this);
}
