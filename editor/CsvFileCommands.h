#pragma once

// The File menu's CSV commands: the channel table as a CSV file of the common multi-radio format,
// and a CSV file into the table as one step of the history followed by the report of every row.
// They ask for the file; failures are shown to the user.

class CChannelController;
class CProgramDoc;
class QString;
class QWidget;

class CCsvFileCommands {
public:
    CCsvFileCommands(CProgramDoc& doc, CChannelController& commands, QWidget* parent);

    bool Export(const QString& path);
    bool Import(const QString& path);
    // With the file dialog.
    void OnExport();
    void OnImport();

private:
    CProgramDoc& m_doc;
    CChannelController& m_commands;
    QWidget* m_parent;
};
