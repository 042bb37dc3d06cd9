#include "ExitConfirmDlg.h"

#include "DialogUnits.h"
#include "Texts.h"
#include "Tr.h"

#include <QLabel>
#include <QPushButton>

CExitConfirmDlg::CExitConfirmDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("exitConfirmDialog"));
    setWindowTitle(res::Tr(res::kExitCaption));
    const DialogUnits du(font());
    auto* text = new QLabel(res::Tr(res::kExitText), this);
    text->setObjectName(QStringLiteral("exitText"));
    text->setGeometry(du.rect(14, 10, 135, 24));
    text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* yes = new QPushButton(res::Tr(res::kYes), this);
    yes->setObjectName(QStringLiteral("yesButton"));
    yes->setDefault(true);
    du.place(yes, 24, 40, 50, 14);
    auto* no = new QPushButton(res::Tr(res::kNo), this);
    no->setObjectName(QStringLiteral("noButton"));
    du.place(no, 86, 40, 50, 14);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(du.x(159), du.y(63));
}
