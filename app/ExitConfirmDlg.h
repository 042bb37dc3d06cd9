#pragma once

// "提示": the confirmation shown before the program closes when there are no unsaved edits (with
// unsaved edits the window asks whether to save them instead).

#include <QDialog>

class CExitConfirmDlg : public QDialog {
    Q_OBJECT
public:
    explicit CExitConfirmDlg(QWidget* parent = nullptr);
};
