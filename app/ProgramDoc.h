#pragma once

// The document: the one radio image of the run, the file it came from, and new / open / save.
// Saving first asks the view to copy the screen into the image; opening and new tell the view to
// show the image again.

#include "RadioImage.h"

#include <QObject>
#include <QString>

class QWidget;

class CProgramDoc : public QObject {
    Q_OBJECT
public:
    explicit CProgramDoc(QObject* parent = nullptr);

    orx::RadioImage& image() { return m_image; }
    const orx::RadioImage& image() const { return m_image; }

    const QString& pathName() const { return m_pathName; }
    void setPathName(const QString& path) { m_pathName = path; }

    // The screen copy is written into the image before every save (the view registers this).
    void setViewToImage(std::function<void()> viewToImage) { m_viewToImage = std::move(viewToImage); }

    // Erase the image and store the new-document values; the view then shows it.
    bool OnNewDocument();
    // Load a channel-data file. A file that cannot be read or is shorter than 4096 bytes leaves the
    // image, the path and the screen as they were; error then holds the message for the user.
    bool OnOpenDocument(const QString& path, QString* error = nullptr);
    // ViewToImage, then write the 4096 bytes.
    bool OnSaveDocument(const QString& path, QString* error = nullptr);

    // The File menu's commands, with their dialogs and messages owned by parent.
    bool FileNew();
    bool OpenDocumentFile(const QString& path, QWidget* parent);
    bool FileOpen(QWidget* parent);
    bool FileSave(QWidget* parent);
    bool FileSaveAs(QWidget* parent);

signals:
    // A new document or a newly opened file is in the image: the view runs its initial update.
    void documentReset();
    // A save ended well; path is the file written.
    void documentSaved(const QString& path);

private:
    bool doSave(QWidget* parent, bool askForName);

    orx::RadioImage m_image;
    QString m_pathName;
    std::function<void()> m_viewToImage;
};
