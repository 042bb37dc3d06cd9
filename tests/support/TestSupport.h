#pragma once

// Helpers shared by the widget tests: a document and form view on a scratch AppDirectory with a
// Program.ini of the test's choosing, and a way to answer the modal dialog a step will open.

#include "TestContext.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <functional>
#include <memory>

class CProgramDoc;
class CProgramView;

namespace testsupport {

// A scratch application folder: TestContext()'s AppDirectory points at it while the object lives.
class ScratchAppDirectory {
public:
    explicit ScratchAppDirectory(const QByteArray& programIni = QByteArray());
    ~ScratchAppDirectory();
    QString path() const; // with a trailing '/'
    QString file(const QString& name) const { return path() + name; }
    void writeFile(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// A Program.ini with two models: "ORX-V1" (136-174MHz;400-470MHz) and "ORX-U2" (400-480MHz).
QByteArray TwoModelIni();

// A document and its form view, shown, after the first initial update of a new document.
struct ViewFixture {
    explicit ViewFixture(const QByteArray& programIni = TwoModelIni());
    ~ViewFixture();
    ScratchAppDirectory appDir;
    std::unique_ptr<CProgramDoc> doc;
    CProgramView* view = nullptr; // owned by window
    std::unique_ptr<QWidget> window;
};

// Runs `answer` on the next modal dialog (or message box) that opens, from inside its event loop.
// Fails the test if none opens within timeoutMs.
void AnswerNextModal(std::function<void(QWidget*)> answer, int timeoutMs = 5000);

// The text of a message box, for checks inside AnswerNextModal.
QString MessageBoxText(QWidget* box);
// Presses the button with this text in a dialog or message box.
bool ClickButton(QWidget* dialog, const QString& text);

} // namespace testsupport
