#pragma once

// Printing: the settings panel and the channel table, as the form shows them, on one document
// that flows over as many pages as it needs. Every column is as wide as its widest text (header
// and cells) and never wraps; when the table is wider than the page the whole document is set in a
// smaller font until it fits.

#include <QFont>
#include <QSizeF>
#include <QString>

#include <memory>
#include <vector>

class CChannelTableModel;
class CMSFlexGrid;
class QLabel;
class QPrinter;
class QTextDocument;

class CFormPrinter {
public:
    // The file's name heads the page; labels are the panel's, each with its control as buddy.
    CFormPrinter(const QString& fileName, const std::vector<QLabel*>& labels, const CMSFlexGrid* grid,
                 const CChannelTableModel* model, const QFont& font);

    void Print(QPrinter* printer) const;

    // The page's printable area in the units the document is laid out in (pixels at the screen's
    // logical resolution); printing scales it onto the page.
    static QSizeF PageSize(const QPrinter& printer);
    // The document laid out on pages of pageSize, in the largest font up to the form's that fits
    // its widest table across the page.
    std::unique_ptr<QTextDocument> Document(const QSizeF& pageSize) const;

private:
    QString m_fileName;
    std::vector<QLabel*> m_labels;
    const CMSFlexGrid* m_grid;
    const CChannelTableModel* m_channelModel;
    QFont m_font;
};
