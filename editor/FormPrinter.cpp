#include "FormPrinter.h"

#include "CMSFlexGrid.h"
#include "ChannelTableModel.h"
#include "Texts.h"
#include "Tr.h"

#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSettingsPadding = 3;
constexpr int kChannelPadding = 2;
// The smallest font the table is set in, however wide it is.
constexpr double kSmallestPointSize = 4.0;

// A table as rows of texts (the channel table's first row is its header).
using TextRows = std::vector<QStringList>;

// Each column's width: its widest text in font, its padding on both sides and its border.
std::vector<int> columnWidths(const TextRows& rows, const QFont& font, int padding)
{
    const QFontMetricsF metrics(font);
    // Bold header texts are measured in bold.
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF boldMetrics(bold);
    std::vector<int> widths;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            const QFontMetricsF& m = r == 0 ? boldMetrics : metrics;
            const int width = static_cast<int>(std::ceil(m.horizontalAdvance(rows[r][c]))) + 2 * padding + 2;
            if (static_cast<std::size_t>(c) >= widths.size())
                widths.resize(static_cast<std::size_t>(c) + 1, 0);
            widths[static_cast<std::size_t>(c)] = std::max(widths[static_cast<std::size_t>(c)], width);
        }
    }
    return widths;
}

int tableWidth(const std::vector<int>& widths)
{
    int sum = 1; // the table's outer border
    for (int w : widths)
        sum += w;
    return sum;
}

QString tableHtml(const TextRows& rows, const std::vector<int>& widths, int padding, bool header)
{
    QString html = QStringLiteral("<table cellspacing=0 cellpadding=%1 border=1>").arg(padding);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const QString tag = header && r == 0 ? QStringLiteral("th") : QStringLiteral("td");
        html += QStringLiteral("<tr>");
        for (int c = 0; c < rows[r].size(); ++c)
            html += QStringLiteral("<%1 width=%2 style=\"white-space: nowrap\">%3</%1>")
                        .arg(tag)
                        .arg(widths[static_cast<std::size_t>(c)] - 2 * padding - 1)
                        .arg(rows[r][c].toHtmlEscaped());
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

struct FormTexts {
    TextRows settings; // two label-value pairs a line
    TextRows channels; // the header, then the channels
};

FormTexts formTexts(const std::vector<QLabel*>& labels, const CMSFlexGrid* grid,
                    const CChannelTableModel* model)
{
    FormTexts texts;
    // Settings: label and shown text, two pairs a line, in the panel's order.
    QStringList pairs;
    for (QLabel* label : labels) {
        QString value;
        if (auto* box = qobject_cast<QComboBox*>(label->buddy()))
            value = box->currentText();
        else if (auto* edit = qobject_cast<QLineEdit*>(label->buddy()))
            value = edit->text();
        pairs << label->text() << value;
    }
    for (int i = 0; i < pairs.size(); i += 4)
        texts.settings.push_back(pairs.mid(i, 4));

    // Channels up to the last one that holds a frequency.
    int last = 0;
    for (int r = 1; r < grid->Rows(); ++r) {
        if (!grid->TextMatrix(r, orx::ColRxFrequency).isEmpty())
            last = r;
    }
    QStringList header;
    for (int c = 0; c < grid->Cols(); ++c)
        header << grid->TextMatrix(0, c);
    texts.channels.push_back(header);
    for (int r = 1; r <= last; ++r) {
        // The cells as the grid shows them, in the user's language.
        QStringList row{grid->TextMatrix(r, 0)};
        for (int c = orx::kFirstDataColumn; c < grid->Cols(); ++c)
            row << model->data(model->index(r - 1, c - orx::kFirstDataColumn), Qt::DisplayRole).toString();
        texts.channels.push_back(row);
    }
    return texts;
}

QString formHtml(const QString& fileName, const FormTexts& texts, const QFont& font)
{
    QString html;
    html += QStringLiteral("<h3>%1</h3>").arg(res::Tr(res::kAppTitle).toHtmlEscaped());
    if (!fileName.isEmpty())
        html += QStringLiteral("<p>%1</p>").arg(QFileInfo(fileName).fileName().toHtmlEscaped());
    html += QStringLiteral("<p><b>%1</b></p>").arg(res::Tr(res::kSettingsGroup).toHtmlEscaped());
    html += tableHtml(texts.settings, columnWidths(texts.settings, font, kSettingsPadding), kSettingsPadding,
                      false);
    html += QStringLiteral("<p></p>");
    html +=
        tableHtml(texts.channels, columnWidths(texts.channels, font, kChannelPadding), kChannelPadding, true);
    return html;
}

} // namespace

CFormPrinter::CFormPrinter(const QString& fileName, const std::vector<QLabel*>& labels,
                           const CMSFlexGrid* grid, const CChannelTableModel* model, const QFont& font)
    : m_fileName(fileName), m_labels(labels), m_grid(grid), m_channelModel(model), m_font(font)
{
}

QSizeF CFormPrinter::PageSize(const QPrinter& printer)
{
    // QTextDocument lays out a document without a paint device at this resolution.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpiX = screen ? std::round(screen->logicalDotsPerInchX()) : 100.0;
    const double dpiY = screen ? std::round(screen->logicalDotsPerInchY()) : 100.0;
    return {printer.width() * dpiX / printer.logicalDpiX(), printer.height() * dpiY / printer.logicalDpiY()};
}

std::unique_ptr<QTextDocument> CFormPrinter::Document(const QSizeF& pageSize) const
{
    const FormTexts texts = formTexts(m_labels, m_grid, m_channelModel);
    auto document = std::make_unique<QTextDocument>();
    const double room = pageSize.width() - 2 * document->documentMargin();
    QFont font = m_font;
    if (font.pointSizeF() <= 0)
        font.setPointSizeF(9);
    // The text widths grow with the font's size, a little less than in proportion (the paddings
    // stay): shrink until the widest table fits, or the font is as small as it goes.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int widest = std::max(tableWidth(columnWidths(texts.settings, font, kSettingsPadding)),
                                    tableWidth(columnWidths(texts.channels, font, kChannelPadding)));
        if (widest <= room || font.pointSizeF() <= kSmallestPointSize)
            break;
        font.setPointSizeF(
            std::max(kSmallestPointSize, std::floor(font.pointSizeF() * room / widest * 10) / 10));
    }
    document->setDefaultFont(font);
    document->setHtml(formHtml(m_fileName, texts, font));
    document->setPageSize(pageSize);
    return document;
}

void CFormPrinter::Print(QPrinter* printer) const
{
    // The document's pages as laid out, scaled onto the printer's, each with its number below.
    const QSizeF page = PageSize(*printer);
    const double footer = 2 * QFontMetricsF(m_font).height();
    const std::unique_ptr<QTextDocument> document = Document(QSizeF(page.width(), page.height() - footer));
    const QSizeF body = document->pageSize();
    QPainter painter(printer);
    if (!painter.isActive())
        return;
    const QTransform toPrinter =
        QTransform::fromScale(printer->width() / page.width(), printer->height() / page.height());
    for (int i = 0; i < document->pageCount(); ++i) {
        if (i > 0)
            printer->newPage();
        painter.setTransform(toPrinter);
        painter.translate(0, -i * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, i * body.height(), body.width(), body.height());
        document->documentLayout()->draw(&painter, context);
        // The number in device pixels, where the font's points are the printer's.
        painter.resetTransform();
        painter.setFont(m_font);
        painter.setPen(Qt::black);
        const QRectF numberBox = toPrinter.mapRect(QRectF(0, body.height(), body.width(), footer));
        painter.drawText(numberBox, Qt::AlignCenter, QString::number(i + 1));
    }
}
