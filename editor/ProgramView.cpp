#include "ProgramView.h"

#include "CMSFlexGrid.h"
#include "CellEditors.h"
#include "ChannelCommandMenus.h"
#include "CommandAction.h"
#include "DialogUnits.h"
#include "ProgramDoc.h"
#include "Texts.h"
#include "Tr.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QUndoStack>

#include <array>

namespace {

// Template 101, in dialog units.
constexpr int kFormWidth = 596;
constexpr int kFormHeight = 319;
constexpr QRect kGroupRect(15, 12, 564, 90);
constexpr QRect kGridRect(15, 128, 566, 179);
constexpr int kComboWidth = 67;
constexpr int kRowHeight = 12;

struct Place {
    int id; // control id
    int x, y;
    int listHeight; // height of the open list, -1 for an edit
};

// The list of each setting on the panel, in Setting order: its control id and object name.
struct SettingControl {
    orx::Setting setting;
    int id;
    const char* objectName;
};
constexpr SettingControl kSettingControls[orx::kSettingCount] = {
    {orx::Setting::DisplayMode, CProgramView::IdDisplayModeList, "displayModeList"},
    {orx::Setting::ScanMode, CProgramView::IdScanModeList, "scanModeList"},
    {orx::Setting::TailElimination, CProgramView::IdTailEliminationList, "tailEliminationList"},
    {orx::Setting::ManualSetting, CProgramView::IdManualSettingList, "manualSettingList"},
    {orx::Setting::Beep, CProgramView::IdBeepList, "beepList"},
    {orx::Setting::BatterySave, CProgramView::IdBatterySaveList, "batterySaveList"},
    {orx::Setting::Squelch, CProgramView::IdSquelchList, "squelchList"},
    {orx::Setting::TimeLimit, CProgramView::IdTimeLimitList, "timeLimitList"},
    {orx::Setting::VoxLevel, CProgramView::IdVoxLevelList, "voxLevelList"},
    {orx::Setting::EndTone, CProgramView::IdEndToneList, "endToneList"},
    {orx::Setting::PriorityChannel, CProgramView::IdPriorityChannelList, "priorityChannelList"},
};

// Where each control of the settings panel stands; its label stands to its left.
constexpr Place kPanel[] = {
    {CProgramView::IdModelList, 89, 28, 52},
    {CProgramView::IdBandList, 209, 28, 83},
    {CProgramView::IdManualSettingList, 332, 28, 61},
    {CProgramView::IdTimeLimitList, 478, 28, 119},
    {CProgramView::IdPasswordEdit, 89, 45, -1},
    {CProgramView::IdPriorityChannelList, 209, 45, 113},
    {CProgramView::IdVoxLevelList, 332, 45, 184},
    {CProgramView::IdBatterySaveList, 478, 45, 46},
    {CProgramView::IdSquelchList, 89, 62, 104},
    {CProgramView::IdBeepList, 209, 62, 90},
    {CProgramView::IdTailEliminationList, 332, 62, 55},
    {CProgramView::IdEndToneList, 478, 62, 67},
    {CProgramView::IdScanModeList, 88, 80, 104},
    {CProgramView::IdDisplayModeList, 209, 80, 83},
};

// The channel grid's column widths, column 0 first, as factors of one common width.
constexpr std::array<double, orx::kGridColumnCount> kChannelWidthFactors = {0.4, 1.2, 1.2, 1.3, 1.3, 1.0,
                                                                            1.0, 1.0, 0.9, 0.9, 1.2};

// Left edge of the label in front of a control at x.
int labelLeft(int controlX)
{
    if (controlX < 150)
        return 21;
    if (controlX < 300)
        return 159;
    if (controlX < 450)
        return 282;
    return 402;
}

QComboBox* makeList(QWidget* parent, const char* objectName)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setEditable(false);
    box->setFocusPolicy(Qt::StrongFocus);
    return box;
}

void fillList(QComboBox* box, const std::vector<std::string>& entries)
{
    box->clear();
    for (const auto& e : entries)
        box->addItem(res::FromUtf8(e));
}

std::vector<std::string> listEntries(const QComboBox* box)
{
    std::vector<std::string> v;
    v.reserve(static_cast<std::size_t>(box->count()));
    for (int i = 0; i < box->count(); ++i)
        v.push_back(box->itemText(i).toStdString());
    return v;
}

} // namespace

CProgramView::CProgramView(CProgramDoc& document, QWidget* parent)
    : QWidget(parent), m_doc(document), m_commands(document), m_csv(document, m_commands, this)
{
    setObjectName(QStringLiteral("programView"));
    createControls();
    layoutForm();
    installEditorFilters();
    createExchange();
    m_menus = new CChannelCommandMenus(*this, m_grid);
    connect(m_grid, &CMSFlexGrid::RowsDropped, this, &CProgramView::onRowsDropped);
    connect(&m_doc, &CProgramDoc::imageReplaced, this, &CProgramView::onImageReplaced);
    // Whatever reads the screen (save, read, write, the unsaved-edits question) gets the value an
    // open editor holds.
    connect(&m_doc, &CProgramDoc::commitRequested, this, &CProgramView::CommitOpenEditor);
    connect(m_channelModel, &CChannelTableModel::edited, &m_doc, &CProgramDoc::ScreenEdited);
    connect(&m_doc, &CProgramDoc::rowsChanged, m_channelModel, &CChannelTableModel::showRows);
    connect(&m_doc, &CProgramDoc::stateRestored, this, &CProgramView::onStateRestored);
    connect(&m_doc, &CProgramDoc::stepRevisited, this, &CProgramView::onStepRevisited);
}

CProgramView::~CProgramView() = default;

orx::BandLimits& CProgramView::bandLimits()
{
    return m_doc.bandLimits();
}

const orx::BandLimits& CProgramView::bandLimits() const
{
    return m_doc.bandLimits();
}

void CProgramView::createControls()
{
    m_settingsGroup = new QGroupBox(res::Tr(res::kSettingsGroup), this);
    m_settingsGroup->setObjectName(QStringLiteral("settingsGroup"));

    m_modelList = makeList(this, "modelList");
    m_bandList = makeList(this, "bandList");
    // A model counts only when it changes: picking the one shown again would throw away the band
    // in force for the model's first band. showScreen() fills and selects without these.
    connect(m_modelList, &QComboBox::currentIndexChanged, this, &CProgramView::OnModelChanged);
    // A band picked again is applied again: the list always shows the band in force.
    connect(m_bandList, &QComboBox::activated, this, &CProgramView::OnBandChanged);

    m_passwordEdit = new QLineEdit(this);
    m_passwordEdit->setObjectName(QStringLiteral("passwordEdit"));
    m_passwordEdit->setContextMenuPolicy(Qt::NoContextMenu);
    // Digits only, typed or pasted.
    m_passwordEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_passwordEdit));
    connect(m_passwordEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_doc.SetPassword(text.left(static_cast<int>(orx::kPasswordMaxLength)).toStdString());
    });

    for (int i = 0; i < orx::kSettingCount; ++i) {
        const auto setting = static_cast<orx::Setting>(i);
        QComboBox* list = makeList(this, kSettingControls[i].objectName);
        m_settingLists[static_cast<std::size_t>(i)] = list;
        connect(list, &QComboBox::currentIndexChanged, this,
                [this, setting](int index) { m_doc.SetSetting(setting, index); });
    }

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
    connect(m_deleteButton, &QPushButton::clicked, this, &CProgramView::DeleteChannel);
    connect(m_addButton, &QPushButton::clicked, this, &CProgramView::AddChannel);
    connect(m_factoryButton, &QPushButton::clicked, this, &CProgramView::LoadFactoryDefaults);

    m_grid = new CMSFlexGrid(this);
    m_grid->setObjectName(QStringLiteral("channelGrid"));
    m_channelModel = new CChannelTableModel(m_doc.channels(), this);
    m_grid->setModel(m_channelModel);
    m_selection = CGridSelection(m_grid);
    connect(m_grid, &CMSFlexGrid::MouseDown, this, &CProgramView::onGridMouseDown);
    connect(m_grid, &CMSFlexGrid::EnterCell, this, &CProgramView::onGridEnterCell);
    connect(m_grid, &CMSFlexGrid::KeyPress, this, &CProgramView::StartFrequencyEntry);

    // The cell editors lie over the grid, so they are made after it and stay above it.
    m_editors = new CCellEditors(this, m_grid, m_commands);
}

void CProgramView::layoutForm()
{
    const DialogUnits du(font());
    m_formSize = QSize(du.x(kFormWidth), du.y(kFormHeight));
    m_settingsGroup->setGeometry(
        du.rect(kGroupRect.x(), kGroupRect.y(), kGroupRect.width(), kGroupRect.height()));
    m_settingsGroup->lower();

    auto controlFor = [this](int id) -> QWidget* {
        if (id == IdModelList)
            return m_modelList;
        if (id == IdBandList)
            return m_bandList;
        if (id == IdPasswordEdit)
            return m_passwordEdit;
        for (int i = 0; i < orx::kSettingCount; ++i) {
            if (kSettingControls[i].id == id)
                return m_settingLists[static_cast<std::size_t>(i)];
        }
        return nullptr;
    };
    const int rowHeight = du.y(kRowHeight);
    const int controlHeight = std::max(rowHeight, m_modelList->sizeHint().height());
    for (const Place& p : kPanel) {
        QWidget* w = controlFor(p.id);
        w->setGeometry(du.x(p.x), du.y(p.y) + (rowHeight - controlHeight) / 2, du.x(kComboWidth),
                       controlHeight);
        if (auto* box = qobject_cast<QComboBox*>(w))
            box->setMaxVisibleItems(std::max(3, (p.listHeight - kRowHeight) / 8 + 1)); // ~8 units an item
        auto* label = new QLabel(PanelLabel(p.id), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int left = labelLeft(p.x);
        label->setGeometry(du.x(left), du.y(p.y), du.x(p.x - 3 - left), rowHeight);
        label->setBuddy(w);
        m_labels.push_back(label);
    }

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

QString CProgramView::PanelLabel(int id)
{
    if (id == IdModelList)
        return res::Tr(res::kModelLabel);
    if (id == IdBandList)
        return res::Tr(res::kBandLabel);
    if (id == IdPasswordEdit)
        return res::Tr(res::kPasswordLabel);
    for (const SettingControl& control : kSettingControls) {
        if (control.id == id)
            return res::Tr(orx::Info(control.setting).label);
    }
    return {};
}

void CProgramView::retranslate()
{
    m_settingsGroup->setTitle(res::Tr(res::kSettingsGroup));
    for (std::size_t i = 0; i < m_labels.size() && i < std::size(kPanel); ++i)
        m_labels[i]->setText(PanelLabel(kPanel[i].id));
    m_channelLabel->setText(res::Tr(res::kChannelLabel));
    m_deleteButton->setText(res::Tr(res::kDeleteButton));
    m_addButton->setText(res::Tr(res::kAddButton));
    m_factoryButton->setText(res::Tr(res::kFactoryButton));
    // The entries are shown anew in place: the index, which is the stored value, stays.
    if (m_setUp) {
        for (int i = 0; i < orx::kSettingCount; ++i) {
            QComboBox* list = m_settingLists[static_cast<std::size_t>(i)];
            const auto choices = orx::Choices(static_cast<orx::Setting>(i));
            for (int k = 0; k < list->count() && k < static_cast<int>(choices.size()); ++k)
                list->setItemText(k, res::Tr(std::string_view(choices[static_cast<std::size_t>(k)])));
        }
    }
    updateUndoTexts();
    m_menus->retranslate();
    m_channelModel->retranslate();
}

void CProgramView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
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

void CProgramView::setUpOnce()
{
    for (int i = 0; i < orx::kSettingCount; ++i) {
        const auto s = static_cast<orx::Setting>(i);
        QComboBox* list = m_settingLists[static_cast<std::size_t>(i)];
        // Filling selects entry 0, which is no choice of the user's.
        const QSignalBlocker block(list);
        list->clear();
        for (const auto& choice : orx::Choices(s))
            list->addItem(res::Tr(std::string_view(choice)));
    }
    setUpGrid();
    m_passwordEdit->setMaxLength(static_cast<int>(orx::kPasswordMaxLength));
    m_setUp = true;
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
    for (int c = 0; c < kGridCols; ++c)
        m_grid->SetColWidth(c, static_cast<int>(w0 * kChannelWidthFactors[static_cast<std::size_t>(c)]));

    for (int c = 0; c < kGridCols; ++c)
        m_grid->SetColAlignment(c, CMSFlexGrid::AlignCenterCenter);
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
    if (!m_setUp)
        setUpOnce();
    showScreen();
}

void CProgramView::onImageReplaced()
{
    // A value half typed for the screen being replaced goes nowhere.
    CloseEditors();
    OnInitialUpdate();
}

void CProgramView::onStateRestored()
{
    // A step of the history taken (settings, band, password, a feature dialog, the serial number):
    // the panel shows the screen as it now is.
    if (m_setUp)
        showScreen();
}

void CProgramView::onStepRevisited(int first)
{
    m_grid->SetRow(first);
    m_grid->scrollTo(m_grid->currentIndex());
}

void CProgramView::showLists(const orx::BandSelection& lists)
{
    // Filling and selecting here is the program's doing, not a choice of the user's.
    const QSignalBlocker blockModels(m_modelList);
    const QSignalBlocker blockBands(m_bandList);
    if (listEntries(m_modelList) != lists.models)
        fillList(m_modelList, lists.models);
    m_modelList->setCurrentIndex(lists.model);
    if (listEntries(m_bandList) != lists.bands)
        fillList(m_bandList, lists.bands);
    m_bandList->setCurrentIndex(lists.band);
}

void CProgramView::showScreen()
{
    const orx::ScreenCopy& s = m_doc.screen();
    showLists(s.lists);
    for (int i = 0; i < orx::kSettingCount; ++i) {
        QComboBox* list = m_settingLists[static_cast<std::size_t>(i)];
        const QSignalBlocker block(list);
        list->setCurrentIndex(s.settings.index[static_cast<std::size_t>(i)]);
    }
    // The password being typed stays where the caret is.
    const QString password = res::FromUtf8(s.settings.password);
    if (m_passwordEdit->text() != password) {
        const QSignalBlocker block(m_passwordEdit);
        m_passwordEdit->setText(password);
    }
}

orx::ChannelTexts CProgramView::RowTexts(int row) const
{
    return m_doc.channels().texts(row);
}

void CProgramView::SetRowTexts(int row, const orx::ChannelTexts& texts)
{
    for (int c = orx::kFirstDataColumn; c <= orx::kLastDataColumn; ++c)
        m_grid->SetTextMatrix(row, c, res::FromUtf8(texts[static_cast<orx::ChannelColumn>(c)]));
}

orx::ScreenCopy CProgramView::ReadScreen() const
{
    return m_doc.screen();
}

void CProgramView::ImageToView()
{
    m_doc.ReplaceImage(m_doc.image());
}

void CProgramView::ViewToImage()
{
    // An editor still open holds a value the user is typing: it goes into the screen first.
    CommitOpenEditor();
    m_doc.StoreScreen();
}

void CProgramView::OnModelChanged()
{
    const int model = m_modelList->currentIndex();
    if (model < 0)
        return;
    m_doc.SelectModel(model);
    showLists(m_doc.screen().lists);
}

void CProgramView::OnBandChanged()
{
    m_doc.SelectBand(m_bandList->currentIndex());
    // An entry that cannot be applied does not stay shown.
    showLists(m_doc.screen().lists);
}

void CProgramView::setHighLightFor(int mouseCol)
{
    const int wanted = mouseCol == 0 ? CMSFlexGrid::HighLightWithFocus : CMSFlexGrid::HighLightNever;
    if (m_grid->HighLight() != wanted)
        m_grid->SetHighLight(wanted);
}

void CProgramView::onGridMouseDown(int button, int shift, int, int)
{
    if (button != 1)
        return;
    // Shift extends the selection from the current cell to the pressed one, for the clipboard; it
    // opens no editor, and the block shows.
    constexpr int kShiftHeld = 1;
    if ((shift & kShiftHeld) && m_grid->MouseCol() != 0) {
        if (m_grid->HighLight() != CMSFlexGrid::HighLightWithFocus)
            m_grid->SetHighLight(CMSFlexGrid::HighLightWithFocus);
        return;
    }
    setHighLightFor(m_grid->MouseCol());
    if (m_grid->MouseCol() != 0)
        OpenCellEditor();
}

void CProgramView::onGridEnterCell()
{
    setHighLightFor(m_grid->MouseCol());
}
