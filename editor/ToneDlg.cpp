#include "ToneDlg.h"

#include "CMSFlexGrid.h"
#include "DialogUnits.h"
#include "Texts.h"
#include "ToneChoice.h"
#include "Tr.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QRadioButton>

namespace {

// Template 164, in dialog units.
constexpr int kDialogWidth = 271;
constexpr int kDialogHeight = 197;
constexpr QRect kGroupRect(14, 5, 244, 30);
constexpr QRect kGridRect(14, 41, 244, 148);
constexpr int kDialogPointSize = 9;

struct ModeButton {
    int mode;
    const char* text;
    const char* objectName;
    QRect place;
};

constexpr ModeButton kModeButtons[] = {
    {orx::ToneNone, res::kToneNone, "toneNoneButton", QRect(23, 18, 23, 10)},
    {orx::ToneDcsNormal, res::kToneDcsNormal, "toneDcsNormalButton", QRect(119, 18, 57, 10)},
    {orx::ToneCtcss, res::kToneAnalog, "toneCtcssButton", QRect(61, 18, 43, 10)},
    {orx::ToneDcsInverted, res::kToneDcsInverted, "toneDcsInvertedButton", QRect(191, 18, 57, 10)},
};

constexpr int kColumnTwips = 900;
constexpr QRgb kGridColour = qRgb(255, 192, 255);

bool isEnterKey(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

CToneDlg::CToneDlg(const QString& toneText, QWidget* parent) : QDialog(parent), m_toneText(toneText)
{
    setObjectName(QStringLiteral("toneDialog"));
    setWindowTitle(res::Tr(res::kToneCaption));
    QFont f = font();
    f.setPointSize(kDialogPointSize);
    setFont(f);
    createControls();
    OnInitDialog();
}

void CToneDlg::createControls()
{
    const DialogUnits du(font());
    setFixedSize(du.x(kDialogWidth), du.y(kDialogHeight));

    m_group = new QGroupBox(this);
    m_group->setGeometry(du.rect(kGroupRect.x(), kGroupRect.y(), kGroupRect.width(), kGroupRect.height()));

    // Tab order follows the template: the buttons from left to right, then the grid.
    for (const ModeButton& b : kModeButtons) {
        auto* button = new QRadioButton(res::Tr(b.text), this);
        button->setObjectName(QString::fromLatin1(b.objectName));
        button->setProperty("controlId", IdNone + b.mode);
        button->setGeometry(du.rect(b.place.x(), b.place.y(), b.place.width(), b.place.height()));
        m_modeButtons[static_cast<std::size_t>(b.mode)] = button;
        connect(button, &QRadioButton::clicked, this, [this, mode = b.mode] { onModeClicked(mode); });
    }
    setTabOrder(m_modeButtons[orx::ToneNone], m_modeButtons[orx::ToneCtcss]);
    setTabOrder(m_modeButtons[orx::ToneCtcss], m_modeButtons[orx::ToneDcsNormal]);
    setTabOrder(m_modeButtons[orx::ToneDcsNormal], m_modeButtons[orx::ToneDcsInverted]);

    m_grid = new CMSFlexGrid(this);
    m_grid->setObjectName(QStringLiteral("toneGrid"));
    m_grid->setProperty("controlId", static_cast<int>(IdGrid));
    m_grid->setGeometry(du.rect(kGridRect.x(), kGridRect.y(), kGridRect.width(), kGridRect.height()));
    setTabOrder(m_modeButtons[orx::ToneDcsInverted], m_grid);
    m_grid->installEventFilter(this);
    connect(m_grid, &CMSFlexGrid::MouseDown, this, &CToneDlg::onGridMouseDown);
}

QRadioButton* CToneDlg::modeButton(int mode) const
{
    if (mode < orx::ToneNone || mode > orx::ToneDcsInverted)
        return nullptr;
    return m_modeButtons[static_cast<std::size_t>(mode)];
}

void CToneDlg::OnInitDialog()
{
    m_grid->SetFixedRows(0);
    m_grid->SetFixedCols(0);
    m_grid->SetRows(orx::kToneGridRows);
    m_grid->SetCols(orx::kToneGridCols);
    for (int c = 0; c < orx::kToneGridCols; ++c) {
        m_grid->SetColWidth(c, kColumnTwips);
        m_grid->SetColAlignment(c, CMSFlexGrid::AlignCenterCenter);
    }
    // The fifteen rows share the grid's height, so that a whole list column shows without scrolling.
    const int inner = m_grid->height() - 2 * CMSFlexGrid::kBorderPixels;
    m_grid->verticalHeader()->setMinimumSectionSize(1);
    m_grid->verticalHeader()->setDefaultSectionSize(
        std::max(fontMetrics().height() + 2, inner / orx::kToneGridRows));
    m_grid->SetBackColor(QColor(kGridColour));

    ParseToneText();
    for (int m = orx::ToneNone; m <= orx::ToneDcsInverted; ++m)
        m_modeButtons[static_cast<std::size_t>(m)]->setChecked(m == m_mode);
    FillToneGrid();
    const int found = FindTone(m_value);
    if (found >= 0) {
        m_grid->SetRow(found % orx::kToneGridRows);
        m_grid->SetCol(found / orx::kToneGridRows);
    }
}

void CToneDlg::ParseToneText()
{
    const orx::ToneChoice choice = orx::ParseToneText(m_toneText.toStdString());
    m_mode = choice.mode;
    m_value = QString::fromStdString(choice.value);
}

void CToneDlg::FillToneGrid()
{
    for (int r = 0; r < orx::kToneGridRows; ++r) {
        for (int c = 0; c < orx::kToneGridCols; ++c)
            m_grid->SetTextMatrix(r, c, QString());
    }
    const auto list = orx::ToneList(m_mode);
    if (list.empty()) {
        m_grid->hide();
        return;
    }
    m_grid->show();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int index = static_cast<int>(i);
        m_grid->SetTextMatrix(index % orx::kToneGridRows, index / orx::kToneGridRows,
                              QString::fromUtf8(list[i].data(), static_cast<qsizetype>(list[i].size())));
    }
    m_grid->setFocus(Qt::OtherFocusReason);
}

int CToneDlg::FindTone(const QString& value) const
{
    return orx::FindTone(m_mode, value.toStdString());
}

void CToneDlg::BuildToneText()
{
    m_toneText = QString::fromStdString(orx::BuildToneText(m_mode, m_grid->Text().toStdString()));
}

int CToneDlg::currentEntry() const
{
    const int index = m_grid->Row() + m_grid->Col() * orx::kToneGridRows;
    return index < static_cast<int>(orx::ToneList(m_mode).size()) ? index : -1;
}

void CToneDlg::onModeClicked(int mode)
{
    m_mode = mode;
    if (mode == orx::ToneNone) {
        BuildToneText();
        accept();
        return;
    }
    FillToneGrid();
    m_grid->SetRow(0);
    m_grid->SetCol(0);
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CToneDlg::onGridMouseDown(int, int, int, int)
{
    // A press beside the cells leaves the current cell where it was: it chooses nothing.
    if (m_grid->MouseRow() < 0 || m_grid->MouseCol() < 0)
        return;
    if (currentEntry() < 0)
        return;
    BuildToneText();
    accept();
}

bool CToneDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress &&
        isEnterKey(static_cast<QKeyEvent*>(event))) {
        // Enter on a listed cell chooses it as a click does; on an empty cell beyond the list it
        // would give a bare prefix such as "模拟:", which no tone is, so it is ignored.
        if (currentEntry() >= 0) {
            BuildToneText();
            accept();
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CToneDlg::keyPressEvent(QKeyEvent* event)
{
    // Enter elsewhere in the dialog ends it with OK and the text it came with.
    if (isEnterKey(event)) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
