#pragma once

// Printing: the settings panel and the channel table, as the form shows them, on one document
// that flows over as many pages as it needs.

#include <QFont>
#include <QString>

#include <vector>

class CChannelTableModel;
class CMSFlexGrid;
class QLabel;
class QPrinter;

class CFormPrinter {
public:
    // The file's name heads the page; labels are the panel's, each with its control as buddy.
    CFormPrinter(const QString& fileName, const std::vector<QLabel*>& labels, const CMSFlexGrid* grid,
                 const CChannelTableModel* model, const QFont& font);

    void Print(QPrinter* printer) const;

private:
    QString m_fileName;
    std::vector<QLabel*> m_labels;
    const CMSFlexGrid* m_grid;
    const CChannelTableModel* m_channelModel;
    QFont m_font;
};
