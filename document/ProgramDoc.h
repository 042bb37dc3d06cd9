#pragma once

// The document: the one radio image of the run, the screen that shows it (the model and band lists,
// the settings and the channel table, with the band limits in force), where its data came from,
// the one edit history of every change, and new / open / save. Saving, reading and writing take the
// screen from here, never from a widget.
//
// The screen is the working copy of the user's edits; the image holds everything else (the feature
// dialogs' blocks, the serial number, the calibration). ScreenImage() is the image the screen would
// give, which is what a save writes and what decides whether there are unsaved edits.
//
// Every change goes through the history (undoStack()) as one named step: the channel table's
// steps keep the whole entries of the rows they touch (CChannelEditCommand), every other change
// keeps the state before and after it (CDocumentStateCommand). Another image as a whole (new, open,
// a read, the factory defaults, a backup) starts the history afresh.
//
// No widgets: the File menu's dialogs and the unsaved-edits question are the window's
// (editor/DocumentCommands.h).

#include "Band.h"
#include "ChannelDataFile.h"
#include "ChannelEntryTable.h"
#include "RadioImage.h"
#include "ScreenCopy.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <span>
#include <vector>

class CAppContext;
class QUndoStack;

class CProgramDoc : public QObject {
    Q_OBJECT
public:
    // Where the document's data came from: only a file of the user's saves without asking.
    struct Origin {
        enum Kind { New, File, Radio, Factory, Backup };
        Kind kind = New;
        QString path;   // the file (File, Factory, Backup)
        QString port;   // the port read from (Radio)
        QDateTime time; // when it was read (Radio)
    };

    // Everything a step of the history may change besides the channel rows' own steps.
    struct State {
        orx::RadioImage image;
        orx::ScreenCopy screen;
        orx::BandLimits limits;
        friend bool operator==(const State&, const State&) = default;
    };

    // One row's new entry; rows count from 1 (channel numbers).
    struct EntryEdit {
        int row;
        orx::ChannelEntry entry;
    };

    // The model and band lists come from the context's catalogue.
    explicit CProgramDoc(CAppContext& context, QObject* parent = nullptr);
    ~CProgramDoc() override;

    CAppContext& context() { return m_context; }

    orx::RadioImage& image() { return m_image; }
    const orx::RadioImage& image() const { return m_image; }

    // The file a save writes without asking; empty unless the document came from a file or was
    // saved to one.
    const QString& pathName() const { return m_pathName; }
    const Origin& origin() const { return m_origin; }
    // True when Save may write pathName() without asking for a name.
    bool SavesInPlace() const { return m_origin.kind == Origin::File && !m_pathName.isEmpty(); }
    // The folder of the file last opened or saved (for the file dialogs).
    const QString& lastFolder() const { return m_lastFolder; }
    // The name the status bar shows for the document: the file's, or what its data are.
    QString DisplayName() const;
    // A file name for a Save As after a read: the date and time of the read and the band.
    QString SuggestedFileName() const;

    // What the form shows. The view edits it through the calls below.
    const orx::ScreenCopy& screen() const { return m_screen; }
    orx::ChannelEntryTable& channels() { return m_screen.channels; }
    const orx::ChannelEntryTable& channels() const { return m_screen.channels; }
    // Application-wide, they survive New (the band chosen last stays in force).
    orx::BandLimits& bandLimits() { return m_limits; }
    const orx::BandLimits& bandLimits() const { return m_limits; }

    // The one history of the document's changes.
    QUndoStack* undoStack() const { return m_undoStack; }

    // The settings panel's edits, each one step of the history (typing a password is one step).
    void SetSetting(orx::Setting setting, int index);
    void SetPassword(const std::string& password);
    // The user's choice of model or band (also the one shown): lists and limits follow.
    void SelectModel(int model);
    void SelectBand(int band);
    // A feature dialog's result: the image with its blocks edited, as one step named step.
    void SetImageBlocks(const char* step, const orx::RadioImage& edited);
    // The serial number's 16 bytes; row 63 follows them. Nothing else writes those bytes.
    void SetSerialNumber(std::span<const std::uint8_t> bytes, const char* step = nullptr);

    // Every change of the channel table: whole entries into their rows, as one step named step. A
    // row named twice ends as named last; the serial number's row takes nothing; an edit that
    // changes nothing leaves no step.
    void EditEntries(const char* step, const std::vector<EntryEdit>& edits);
    // The table after an operation on a copy of it, as one step of the rows that differ.
    void EditTable(const char* step, const orx::ChannelEntryTable& after);

    // A text put straight into the table (no step of the history) changed it.
    void ScreenEdited();

    // Used by the history's steps: entries put into rows, and a whole state put back.
    void ApplyEntries(const std::vector<EntryEdit>& edits);
    State CurrentState() const { return {m_image, m_screen, m_limits}; }
    void RestoreState(const State& state);

    // The image the screen gives: this image with the settings, the band and every channel stored.
    orx::RadioImage ScreenImage() const;
    // Puts the screen into the image (an open cell editor commits first).
    void StoreScreen();
    // The screen gives other bytes than those last opened, saved or read.
    bool IsModified() const;

    // Another image as a whole: the screen shows it, its bytes are what later edits are compared
    // with, and the history starts afresh. The origin stays.
    void ReplaceImage(const orx::RadioImage& image);
    // A complete read from the radio on port: the document is now the radio's data, no file's.
    void OnReadFromRadio(const orx::RadioImage& image, const QString& port,
                         const QDateTime& time = QDateTime::currentDateTime());

    // Erase the image and store the new-document values; the screen shows it.
    bool OnNewDocument();
    // Load a channel-data file (as a file of the user's, the factory defaults or a backup). A file
    // that cannot be read or is shorter than 4096 bytes leaves the image, the path and the screen
    // as they were; error then holds the message for the user.
    bool OnOpenDocument(const QString& path, QString* error = nullptr, Origin::Kind as = Origin::File);
    // The screen into the image, then the 4096 bytes into the file, which becomes the document's.
    // A failed save leaves the file as it was; error holds the message.
    // problem, when given, tells a write-protected file (which stays as it was) from other failures.
    bool OnSaveDocument(const QString& path, QString* error = nullptr, orx::SaveProblem* problem = nullptr);

signals:
    // The image was replaced (new, open, read, factory defaults): the form shows the screen anew.
    void imageReplaced();
    // A step of the history put a whole state back: the form shows the screen anew.
    void stateRestored();
    // Channel rows first to last changed through a step of the history.
    void rowsChanged(int first, int last);
    // Undo or redo took a step of the channel table back or again: first is its first row.
    void stepRevisited(int first);
    // An open cell editor writes its value into the screen now: the screen is about to be read.
    void commitRequested();
    // Something the user edits changed, was saved or was replaced.
    void contentsChanged();
    // A save ended well; path is the file written.
    void documentSaved(const QString& path);

private:
    void pushState(const char* step, const State& after, int mergeId = -1);
    void startAfresh(const orx::RadioImage& image);

    CAppContext& m_context;
    orx::RadioImage m_image;
    orx::ScreenCopy m_screen;
    orx::BandLimits m_limits;
    orx::RadioImage m_baseline; // what the screen gave when last opened, saved or read
    QString m_pathName;
    QString m_lastFolder;
    Origin m_origin;
    QUndoStack* m_undoStack = nullptr;
};
