#pragma once

// "备份": the automatic backups of reads and writes in a table, newest first, with the date and time,
// the kind (read, write, before a write), the band, the serial number a backup holds and its size.
// "打开" (or a double click) ends the dialog with the chosen backup; "在文件夹中显示" opens the folder
// in the desktop's file manager.

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTableWidget;

class CBackupsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBackupsDlg(const QString& folder, QWidget* parent = nullptr);

    // After "打开": the backup chosen; empty otherwise.
    QString selectedPath() const { return m_selected; }
    QTableWidget* table() const { return m_table; }

private:
    void fill();
    void OnOpen();
    void OnShowInFolder();

    QString m_folder;
    QString m_selected;
    QTableWidget* m_table = nullptr;
    QLabel* m_empty = nullptr;
    QPushButton* m_open = nullptr;
};
