#pragma once

// The report after a CSV import: one line per row of the file with its line number, the channel,
// what became of it (new, changed, unchanged, refused), why, and what the user should know of the
// rows that came in. Refused rows come first, and the caption counts them. Also the messages of a
// file refused whole and of frequencies a paste did not take as they were.

#include "ChannelClipboard.h"
#include "ChannelCsv.h"

#include <utility>
#include <vector>

#include <QDialog>

class QLabel;
class QTableWidget;

class CCsvReportDlg : public QDialog {
    Q_OBJECT
public:
    CCsvReportDlg(const orx::CsvImport& result, const QString& fileName, QWidget* parent = nullptr);

    // The outcome and the explanation of one row, as the table shows them.
    static QString OutcomeText(orx::CsvOutcome outcome);
    static QString DetailText(const orx::CsvRowResult& row, const orx::BandLimits& limits);
    // How the rows found their channels, when not by the file's Location column; empty otherwise.
    static QString NumberingText(const orx::CsvImport& result);
    // Why a file was refused whole, for the message box.
    static QString FileProblemText(const orx::CsvImport& result, const QString& path);

    // A paste's frequency cells that went in otherwise than given, with their channels; one line each.
    using PasteNotes = std::vector<std::pair<int, orx::PasteNote>>;
    static QString PasteNoteText(int channel, const orx::PasteNote& note, const orx::BandLimits& limits);
    // A window-modal message box that lists them, open when this returns; nothing when there are none.
    static void ShowPasteNotes(QWidget* parent, const PasteNotes& notes, const orx::BandLimits& limits);

private:
    QLabel* m_summary = nullptr;
    QTableWidget* m_table = nullptr;
};
