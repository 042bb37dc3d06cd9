#include "AboutDlg.h"

#include "DialogUnits.h"
#include "Texts.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QString::fromUtf8(res::kAboutCaption));
    const DialogUnits du(font());

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/orxprog-32.png")).pixmap(32, 32));
    icon->setGeometry(du.x(11), du.y(10), 32, 32);

    auto* version = new QLabel(QString::fromUtf8(res::kVersionText), this);
    version->setObjectName(QStringLiteral("versionText"));
    version->setGeometry(du.rect(40, 8, 119, 10));
    auto* notice = new QLabel(QString::fromUtf8(res::kAboutNotice), this);
    notice->setObjectName(QStringLiteral("noticeText"));
    notice->setGeometry(du.rect(40, 20, 125, 26));
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* ok = new QPushButton(QString::fromUtf8(res::kOk), this);
    ok->setDefault(true);
    du.place(ok, 170, 7, 45, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(du.x(222), du.y(62));
}
