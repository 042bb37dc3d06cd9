#include "FmRadioDlg.h"

#include "CharacterFilter.h"
#include "CMSFlexGrid.h"
#include "DialogUnits.h"
#include "FeatureCodecs.h"
#include "MemoryMap.h"
#include "Texts.h"
#include "Tr.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace {

// Template 168: margins in dialog units; the grid is as wide as its two columns and shows whole rows.
constexpr int kMargin = 7;
constexpr int kVisibleRows = 16;
// What a title bar holds beside the caption: the icon and the buttons, in pixels.
constexpr int kTitleBarExtras = 140;

} // namespace

CFmRadioDlg::CFmRadioDlg(orx::RadioImage& image, QWidget* parent) : QDialog(parent), m_image(image)
{
    setObjectName(QStringLiteral("fmRadioDialog"));
    setWindowTitle(res::Tr(res::kFmRadioCaption));
    createControls();
    OnInitDialog();
}

void CFmRadioDlg::createControls()
{
    m_grid = new CMSFlexGrid(this);
    m_grid->setObjectName(QStringLiteral("presetGrid"));
    connect(m_grid, &CMSFlexGrid::MouseDown, this, &CFmRadioDlg::onGridMouseDown);
    connect(m_grid, &CMSFlexGrid::EnterCell, this, &CFmRadioDlg::onGridEnterCell);

    // Made after the grid, so it lies above it when shown.
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("presetEdit"));
    m_edit->hide();
    m_editValidator = new CharacterValidator(orx::IsFmCharacter, kEditMaxLength, false, m_edit);

    // Digits and the decimal point only, wherever the focus is.
    auto* keys = new KeyCharacterFilter(orx::IsFmCharacter, this);
    keys->watch(this);
    keys->watch(m_grid);
    keys->watch(m_edit);
    m_grid->installEventFilter(this);
    m_edit->installEventFilter(this);
}

void CFmRadioDlg::setUpGrid()
{
    m_grid->SetRows(kGridRows);
    m_grid->SetCols(kGridCols);
    m_grid->SetFixedRows(1);
    m_grid->SetFixedCols(1);
    m_grid->SetTextMatrix(0, kFrequencyCol, res::Tr(res::kFmFrequencyHeader));
    for (int n = 1; n < kGridRows; ++n)
        m_grid->SetTextMatrix(n, 0, QString::number(n));
    for (int c = 0; c < kGridCols; ++c)
        m_grid->SetColAlignment(c, CMSFlexGrid::AlignCenterCenter);
    m_grid->SetColWidth(0, kNumberColTwips);
    m_grid->SetColWidth(kFrequencyCol, kFrequencyColTwips);
    const int rowHeight = fontMetrics().height() + 6;
    m_grid->verticalHeader()->setDefaultSectionSize(rowHeight);

    const DialogUnits du(font());
    const int columns =
        kNumberColTwips / m_grid->TwipsPerPixelX() + kFrequencyColTwips / m_grid->TwipsPerPixelX();
    const int border = 2 * CMSFlexGrid::kBorderPixels;
    const int width = columns + border + m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int height = m_grid->horizontalHeader()->sizeHint().height() + kVisibleRows * rowHeight + border;
    // Wide enough for the whole caption beside the title bar's icon and buttons (in English it is
    // longer than the grid is wide); the grid then stands in the middle.
    QFont titleFont = font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + kTitleBarExtras;
    const int dialogWidth = std::max(width + 2 * du.x(kMargin), titleWidth);
    m_grid->setGeometry((dialogWidth - width) / 2, du.y(kMargin), width, height);
    setFixedSize(dialogWidth, m_grid->geometry().bottom() + 1 + du.y(kMargin));
}

void CFmRadioDlg::OnInitDialog()
{
    setUpGrid();
    for (int n = 1; n <= orx::map::kFmPresetCount; ++n)
        m_grid->SetTextMatrix(n, kFrequencyCol, QString::fromStdString(orx::DecodeFmPreset(m_image, n)));
    m_grid->setFocus();
}

QRect CFmRadioDlg::CellRect(int row, int col) const
{
    const QRect g = m_grid->geometry();
    const int twipsX = m_grid->TwipsPerPixelX();
    const int twipsY = m_grid->TwipsPerPixelY();
    const int left = m_grid->ColPos(col) / twipsX;
    const int top = m_grid->RowPos(row) / twipsY;
    const int width = m_grid->ColWidth(col) / twipsX + 1;
    const int height = m_grid->RowHeight(row) / twipsY + 1;
    // The cell from (left + 1, top + 1) up to, not including, (left + width, top + height), past the
    // grid's border; RowPos and ColPos count from inside the border.
    return QRect(g.left() + 1 + left + 1, g.top() + 1 + top + 1, width - 1, height - 1);
}

void CFmRadioDlg::BeginEdit()
{
    const int row = m_grid->Row();
    const int col = m_grid->Col();
    const QRect cell = CellRect(row, col);
    if (col != kFrequencyCol)
        return;
    m_editRow = row;
    m_editValidator->Load(m_grid->Text());
    m_edit->setGeometry(cell);
    m_edit->show();
    m_edit->raise();
    m_edit->setFocus();
    m_edit->selectAll();
}

void CFmRadioDlg::CommitEdit()
{
    if (m_editRow < 0)
        return;
    // The text goes into the cell it was typed over, whichever cell the grid calls current by the
    // time the box loses the focus.
    const int row = m_editRow;
    m_editRow = -1;
    const QString text = m_edit->text();
    const QString shown = QString::fromStdString(orx::NormaliseFmText(text.toStdString()));
    m_grid->SetTextMatrix(row, kFrequencyCol, shown);
    m_edit->hide();
}

void CFmRadioDlg::StorePresets()
{
    for (int n = 1; n <= orx::map::kFmPresetCount; ++n)
        orx::EncodeFmPreset(m_grid->TextMatrix(n, kFrequencyCol).toStdString(), n, m_image);
}

void CFmRadioDlg::done(int result)
{
    CommitEdit();
    StorePresets();
    QDialog::done(result);
}

void CFmRadioDlg::postKey(int key)
{
    // Posted, so that it runs after the key being handled, as a key of the user's would.
    QCoreApplication::postEvent(m_grid, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}

bool CFmRadioDlg::onEditKey(const QKeyEvent* key)
{
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    const bool empty = m_edit->text().isEmpty();
    m_grid->setFocus();
    CommitEdit(); // losing the focus has committed already, unless the window was not active
    postKey(empty ? Qt::Key_Down : Qt::Key_Right);
    return true;
}

bool CFmRadioDlg::onGridKey(const QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Right:
        // From the last column on to the first frequency cell of the next row.
        if (m_grid->Col() == m_grid->Cols() - 1 && m_grid->Row() < m_grid->Rows() - 1) {
            postKey(Qt::Key_Home);
            postKey(Qt::Key_Down);
        }
        return false;
    case Qt::Key_Left:
        // From the first frequency column back to the last column of the previous row.
        if (m_grid->Col() == kFrequencyCol && m_grid->Row() > 1) {
            postKey(Qt::Key_End);
            postKey(Qt::Key_Up);
        }
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        BeginEdit();
        return true;
    default:
        return false;
    }
}

bool CFmRadioDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit) {
        if (event->type() == QEvent::KeyPress)
            return onEditKey(static_cast<QKeyEvent*>(event));
        // A context menu over the box leaves it open; any other loss of the focus commits.
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            CommitEdit();
    } else if (watched == m_grid && event->type() == QEvent::KeyPress) {
        return onGridKey(static_cast<QKeyEvent*>(event));
    }
    return QDialog::eventFilter(watched, event);
}

void CFmRadioDlg::setHighLightFor(int mouseCol)
{
    const int wanted = mouseCol == 0 ? CMSFlexGrid::HighLightWithFocus : CMSFlexGrid::HighLightNever;
    if (m_grid->HighLight() != wanted)
        m_grid->SetHighLight(wanted);
}

void CFmRadioDlg::onGridMouseDown(int button, int, int, int)
{
    if (button != 1)
        return;
    setHighLightFor(m_grid->MouseCol());
    if (m_grid->MouseCol() != 0)
        BeginEdit();
}

void CFmRadioDlg::onGridEnterCell()
{
    setHighLightFor(m_grid->MouseCol());
}
