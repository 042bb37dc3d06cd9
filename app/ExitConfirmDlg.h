#pragma once

// "提示": the confirmation shown before the program closes. Nothing marks the document modified,
// so this warning is all that stands between the user and unsaved edits.

#include <QDialog>

class CExitConfirmDlg : public QDialog {
    Q_OBJECT
public:
    explicit CExitConfirmDlg(QWidget* parent = nullptr);
};
