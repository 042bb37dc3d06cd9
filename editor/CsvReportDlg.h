#pragma once

// The report after a CSV import: one line per row of the file with its line number, the channel,
// what became of it (new, changed, unchanged, refused) and why.

#include "ChannelCsv.h"

#include <QDialog>

class QLabel;
class QTableWidget;

class CCsvReportDlg : public QDialog {
    Q_OBJECT
public:
    CCsvReportDlg(const orx::CsvImport& result, const QString& fileName, QWidget* parent = nullptr);

    // The outcome and the explanation of one row, as the table shows them.
    static QString OutcomeText(orx::CsvOutcome outcome);
    static QString DetailText(const orx::CsvRowResult& row);

private:
    QLabel* m_summary = nullptr;
    QTableWidget* m_table = nullptr;
};
