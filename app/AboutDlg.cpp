#include "AboutDlg.h"

#include "DialogUnits.h"
#include "Texts.h"
#include "Tr.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(res::Tr(res::kAboutCaption));
    const DialogUnits du(font());

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/orxprog-32.png")).pixmap(32, 32));
    icon->setGeometry(du.x(11), du.y(10), 32, 32);

    auto* version = new QLabel(res::Tr(res::kVersionText), this);
    version->setObjectName(QStringLiteral("versionText"));
    version->setGeometry(du.rect(40, 8, 119, 10));
    auto* notice = new QLabel(res::Tr(res::kAboutNotice), this);
    notice->setObjectName(QStringLiteral("noticeText"));
    notice->setGeometry(du.rect(40, 20, 125, 26));
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* ok = new QPushButton(res::Tr(res::kOk), this);
    ok->setDefault(true);
    du.place(ok, 170, 7, 45, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(du.x(222), du.y(62));
}
