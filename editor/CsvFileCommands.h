#pragma once

// The File menu's CSV commands: the channel table as a CSV file of the common multi-radio format,
// and a CSV file into the table as one step of the history followed by the report of every row.
// They ask for the file; failures are shown to the user. An import goes by the file's Location
// column, or, with a first channel, puts the rows on the channels from there on in file order.

class CChannelController;
class CProgramDoc;
class QString;
class QWidget;

class CCsvFileCommands {
public:
    CCsvFileCommands(CProgramDoc& doc, CChannelController& commands, QWidget* parent);

    bool Export(const QString& path);
    bool Import(const QString& path, int firstChannel = 0);
    // With the file dialog.
    void OnExport();
    void OnImport(int firstChannel = 0);

private:
    CProgramDoc& m_doc;
    CChannelController& m_commands;
    QWidget* m_parent;
};
