#pragma once

// The document: the one radio image of the run, the screen that shows it (the model and band lists,
// the settings and the channel table, with the band limits in force), the file it came from, and
// new / open / save. Saving, reading and writing take the screen from here, never from a widget.
//
// The screen is the working copy of the user's edits; the image holds everything else (the feature
// dialogs' blocks, the serial number, the calibration). ScreenImage() is the image the screen would
// give, which is what a save writes and what decides whether there are unsaved edits.
//
// No widgets: the File menu's dialogs and the unsaved-edits question are the window's
// (editor/DocumentCommands.h).

#include "Band.h"
#include "RadioImage.h"
#include "ScreenCopy.h"

#include <QObject>
#include <QString>

#include <span>

class CAppContext;

class CProgramDoc : public QObject {
    Q_OBJECT
public:
    // The model and band lists come from the context's catalogue.
    explicit CProgramDoc(CAppContext& context, QObject* parent = nullptr);

    CAppContext& context() { return m_context; }

    orx::RadioImage& image() { return m_image; }
    const orx::RadioImage& image() const { return m_image; }

    const QString& pathName() const { return m_pathName; }
    void setPathName(const QString& path) { m_pathName = path; }

    // What the form shows. The view edits it through the calls below and the channel table's model.
    const orx::ScreenCopy& screen() const { return m_screen; }
    orx::ChannelEntryTable& channels() { return m_screen.channels; }
    const orx::ChannelEntryTable& channels() const { return m_screen.channels; }
    // Application-wide, they survive New (the band chosen last stays in force).
    orx::BandLimits& bandLimits() { return m_limits; }
    const orx::BandLimits& bandLimits() const { return m_limits; }

    // The settings panel's edits.
    void SetSetting(orx::Setting setting, int index);
    void SetPassword(const std::string& password);
    // The user's choice of model or band (also the one shown): lists and limits follow.
    void SelectModel(int model);
    void SelectBand(int band);
    // The channel table or a block of the image changed: the modified mark may change.
    void ScreenEdited();

    // The image the screen gives: this image with the settings, the band and every channel stored.
    orx::RadioImage ScreenImage() const;
    // Puts the screen into the image (an open cell editor commits first).
    void StoreScreen();
    // The screen gives other bytes than those last opened, saved or read.
    bool IsModified() const;

    // Another image as a whole (a read from the radio): the screen shows it, and its bytes are
    // what later edits are compared with.
    void ReplaceImage(const orx::RadioImage& image);
    // The serial number's 16 bytes; row 63 follows them. Nothing else writes those bytes.
    void SetSerialNumber(std::span<const std::uint8_t> bytes);

    // Erase the image and store the new-document values; the screen shows it.
    bool OnNewDocument();
    // Load a channel-data file. A file that cannot be read or is shorter than 4096 bytes leaves the
    // image, the path and the screen as they were; error then holds the message for the user.
    bool OnOpenDocument(const QString& path, QString* error = nullptr);
    // The screen into the image, then the 4096 bytes into the file. A failed save leaves the file
    // as it was; error holds the message.
    bool OnSaveDocument(const QString& path, QString* error = nullptr);

signals:
    // The image was replaced (new, open, read, factory defaults, serial number): the form shows the
    // screen anew and starts its history afresh.
    void imageReplaced();
    // An open cell editor writes its value into the screen now: the screen is about to be read.
    void commitRequested();
    // Something the user edits changed, was saved or was replaced.
    void contentsChanged();
    // A save ended well; path is the file written.
    void documentSaved(const QString& path);

private:
    CAppContext& m_context;
    orx::RadioImage m_image;
    orx::ScreenCopy m_screen;
    orx::BandLimits m_limits;
    orx::RadioImage m_baseline; // what the screen gave when last opened, saved or read
    QString m_pathName;
};
