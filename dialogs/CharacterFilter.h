#pragma once

// The character rules of the dialogs' edit boxes. KeyCharacterFilter drops typed characters that a
// field does not take, as the keys arrive; CharacterValidator applies the same rule to whatever else
// reaches the box (paste, drop, an input method) and holds the box to its length, so that only
// single-byte characters of the field's set, and never more than the field's bytes, reach the image.

#include <QObject>
#include <QValidator>

class QLineEdit;

// Whether a character belongs to a field's set.
using CharacterTest = bool (*)(char32_t);

// An event filter for the widgets of a dialog: a key whose text is a printable character outside
// the set is discarded. Keys without such text (Enter, Escape, Backspace, the arrows, shortcuts
// such as Ctrl+V) pass unchanged.
class KeyCharacterFilter : public QObject {
    Q_OBJECT
public:
    KeyCharacterFilter(CharacterTest allowed, QObject* parent);
    void watch(QObject* widget) { widget->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CharacterTest m_allowed;
};

// What an edit box may hold. Every change is taken as text inserted into the previous contents;
// the inserted characters go through the set (letters made upper case first when asked) and are
// cut where the box is full, exactly as if they had been typed one by one. Text loaded from the
// image with Load() is shown as it is, even when it holds characters outside the set.
class CharacterValidator : public QValidator {
    Q_OBJECT
public:
    CharacterValidator(CharacterTest allowed, int maxLength, bool upperCase, QLineEdit* edit);

    // Puts text into the box unfiltered, as the starting point of the next edits.
    void Load(const QString& text);

    State validate(QString& input, int& pos) const override;

private:
    QString filtered(const QString& inserted) const;

    CharacterTest m_allowed;
    int m_maxLength;
    bool m_upperCase;
    QLineEdit* m_edit;
    mutable QString m_previous; // the box's text as last accepted
};
