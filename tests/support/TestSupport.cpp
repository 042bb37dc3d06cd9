#include "TestSupport.h"

#include "AppContext.h"
#include "ProgramDoc.h"
#include "ProgramView.h"
#include "TestContext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace testsupport {

ScratchAppDirectory::ScratchAppDirectory(const QByteArray& programIni)
    : m_previous(TestContext().AppDirectory())
{
    TestContext().SetAppDirectory(path());
    if (!programIni.isEmpty())
        writeFile(QStringLiteral("Program.ini"), programIni);
}

ScratchAppDirectory::~ScratchAppDirectory()
{
    TestContext().SetAppDirectory(m_previous);
}

QString ScratchAppDirectory::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

void ScratchAppDirectory::writeFile(const QString& name, const QByteArray& bytes) const
{
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray TwoModelIni()
{
    return QByteArrayLiteral("[Setup]\r\nType0=ORX-V1\r\nField0=136-174MHz;400-470MHz\r\n"
                             "Type1=ORX-U2\r\nField1=400-480MHz\r\n");
}

ViewFixture::ViewFixture(const QByteArray& programIni)
    : appDir(programIni), doc(std::make_unique<CProgramDoc>(TestContext())),
      window(std::make_unique<QWidget>())
{
    view = new CProgramView(*doc, window.get());
    auto* layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    window->resize(view->formSize());
    doc->OnNewDocument();
    window->show();
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("the test window was not exposed");
}

ViewFixture::~ViewFixture()
{
    window.reset();
    doc.reset();
}

void AnswerNextModal(std::function<void(QWidget*)> answer, int timeoutMs)
{
    auto* timer = new QTimer;
    auto deadline = std::make_shared<QDeadlineTimer>(timeoutMs);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
            return;
        }
        if (deadline->hasExpired()) {
            timer->stop();
            timer->deleteLater();
            QWARN("no modal dialog opened");
        }
    });
    timer->start();
}

QString MessageBoxText(QWidget* box)
{
    if (auto* mb = qobject_cast<QMessageBox*>(box))
        return mb->text();
    return {};
}

bool ClickButton(QWidget* dialog, const QString& text)
{
    for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
        if (b->text().remove(QLatin1Char('&')) == text && b->isVisible()) {
            b->click();
            return true;
        }
    }
    return false;
}

} // namespace testsupport
