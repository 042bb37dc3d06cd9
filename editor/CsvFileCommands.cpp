#include "CsvFileCommands.h"

#include "ChannelController.h"
#include "ChannelCsv.h"
#include "CsvReportDlg.h"
#include "ProgramDoc.h"
#include "Texts.h"
#include "Tr.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>

#include <string_view>

CCsvFileCommands::CCsvFileCommands(CProgramDoc& doc, CChannelController& commands, QWidget* parent)
    : m_doc(doc), m_commands(commands), m_parent(parent)
{
}

bool CCsvFileCommands::Export(const QString& path)
{
    const std::string text = orx::ExportChannelCsv(m_doc.channels().allTexts());

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit()) {
        const QString why = file.errorString();
        file.cancelWriting();
        QMessageBox::warning(m_parent, res::Tr(res::kAppTitle),
                             res::Tr(res::kSaveFailed).arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    return true;
}

bool CCsvFileCommands::Import(const QString& path, int firstChannel)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(m_parent, res::Tr(res::kAppTitle),
                             res::Tr(res::kOpenFailed).arg(QDir::toNativeSeparators(path)));
        return false;
    }
    const QByteArray bytes = file.read(static_cast<qint64>(orx::kCsvFileSizeLimit) + 1);
    const orx::CsvImport result = m_commands.ImportCsv(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), firstChannel);
    if (result.problem != orx::CsvProblem::None) {
        QMessageBox::warning(m_parent, res::Tr(res::kAppTitle), CCsvReportDlg::FileProblemText(result, path));
        return false;
    }
    CCsvReportDlg report(result, QFileInfo(path).fileName(), m_parent);
    report.exec();
    return true;
}

void CCsvFileCommands::OnExport()
{
    const QString base =
        m_doc.pathName().isEmpty() ? res::Tr(res::kUntitled) : QFileInfo(m_doc.pathName()).completeBaseName();
    const QString dir = m_doc.pathName().isEmpty() ? QString() : QFileInfo(m_doc.pathName()).absolutePath();
    QFileDialog dialog(m_parent, QString(),
                       QDir(dir).filePath(base + QLatin1Char('.') + QString::fromUtf8(res::kCsvExtension)),
                       res::Tr(res::kCsvFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromUtf8(res::kCsvExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    Export(dialog.selectedFiles().constFirst());
}

void CCsvFileCommands::OnImport(int firstChannel)
{
    const QString dir = m_doc.pathName().isEmpty() ? QString() : QFileInfo(m_doc.pathName()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(m_parent, QString(), dir,
                                                      res::Tr(res::kCsvFilter) + QStringLiteral(";;") +
                                                          res::Tr(res::kAllFilesFilter));
    if (!path.isEmpty())
        Import(path, firstChannel);
}
