#pragma once

// Validators for the two floating text editors of the channel grid. Keys are filtered by the
// view, but text can also arrive by paste, drag and drop, the selection clipboard or an input
// method; these validators hold every such text to what typing could have put there.

#include <QValidator>

// Frequency editor: digits and the decimal point only; anything else is dropped from the text.
class CFrequencyValidator : public QValidator {
    Q_OBJECT
public:
    explicit CFrequencyValidator(QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;
};

// Name editor: capitals for lower-case letters, no control characters.
class CNameValidator : public QValidator {
    Q_OBJECT
public:
    explicit CNameValidator(QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;
};
