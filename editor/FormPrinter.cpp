#include "FormPrinter.h"

#include "CMSFlexGrid.h"
#include "ChannelTableModel.h"
#include "Texts.h"
#include "Tr.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QTextDocument>

namespace {

QString cell(const QString& text)
{
    return QStringLiteral("<td>%1</td>").arg(text.toHtmlEscaped());
}

} // namespace

CFormPrinter::CFormPrinter(const QString& fileName, const std::vector<QLabel*>& labels,
                           const CMSFlexGrid* grid, const CChannelTableModel* model, const QFont& font)
    : m_fileName(fileName), m_labels(labels), m_grid(grid), m_channelModel(model), m_font(font)
{
}

void CFormPrinter::Print(QPrinter* printer) const
{
    QString html;
    html += QStringLiteral("<h3>%1</h3>").arg(res::Tr(res::kAppTitle).toHtmlEscaped());
    if (!m_fileName.isEmpty())
        html += QStringLiteral("<p>%1</p>").arg(QFileInfo(m_fileName).fileName().toHtmlEscaped());

    // Settings: label and shown text, two pairs a line, in the panel's order.
    html += QStringLiteral("<p><b>%1</b></p><table cellspacing=0 cellpadding=3 border=1>")
                .arg(res::Tr(res::kSettingsGroup).toHtmlEscaped());
    QStringList pairs;
    for (QLabel* label : m_labels) {
        QString value;
        if (auto* box = qobject_cast<QComboBox*>(label->buddy()))
            value = box->currentText();
        else if (auto* edit = qobject_cast<QLineEdit*>(label->buddy()))
            value = edit->text();
        pairs << cell(label->text()) + cell(value);
    }
    for (int i = 0; i < pairs.size(); i += 2)
        html +=
            QStringLiteral("<tr>%1%2</tr>").arg(pairs[i], i + 1 < pairs.size() ? pairs[i + 1] : QString());
    html += QStringLiteral("</table>");

    // Channels up to the last one that holds a frequency.
    int last = 0;
    for (int r = 1; r < m_grid->Rows(); ++r) {
        if (!m_grid->TextMatrix(r, orx::ColRxFrequency).isEmpty())
            last = r;
    }
    html += QStringLiteral("<p></p><table cellspacing=0 cellpadding=2 border=1><tr>");
    for (int c = 0; c < m_grid->Cols(); ++c)
        html += QStringLiteral("<th>%1</th>").arg(m_grid->TextMatrix(0, c).toHtmlEscaped());
    html += QStringLiteral("</tr>");
    for (int r = 1; r <= last; ++r) {
        html += QStringLiteral("<tr>");
        // The cells as the grid shows them, in the user's language.
        html += cell(m_grid->TextMatrix(r, 0));
        for (int c = orx::kFirstDataColumn; c < m_grid->Cols(); ++c)
            html += cell(
                m_channelModel->data(m_channelModel->index(r - 1, c - orx::kFirstDataColumn), Qt::DisplayRole)
                    .toString());
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");

    QTextDocument document;
    document.setDefaultFont(m_font);
    document.setHtml(html);
    document.print(printer);
}
