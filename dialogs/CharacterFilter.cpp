#include "CharacterFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>

namespace {

bool isControl(uint c)
{
    return c < 0x20 || c == 0x7F;
}

} // namespace

KeyCharacterFilter::KeyCharacterFilter(CharacterTest allowed, QObject* parent)
    : QObject(parent), m_allowed(allowed)
{
}

bool KeyCharacterFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Shortcuts and the keys that type no character (Enter, Escape, Backspace, Tab, Delete) are no
    // typed characters: the dialog and the box handle them as usual.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QList<uint> text = key->text().toUcs4();
    if (text.isEmpty() || std::any_of(text.begin(), text.end(), isControl))
        return false;
    return !std::all_of(text.begin(), text.end(), [this](uint c) { return m_allowed(c); });
}

CharacterValidator::CharacterValidator(CharacterTest allowed, int maxLength, bool upperCase, QLineEdit* edit)
    : QValidator(edit), m_allowed(allowed), m_maxLength(maxLength), m_upperCase(upperCase), m_edit(edit),
      m_previous(edit->text())
{
    edit->setValidator(this);
}

void CharacterValidator::Load(const QString& text)
{
    m_previous = text;
    m_edit->setText(text);
}

QString CharacterValidator::filtered(const QString& inserted) const
{
    QString kept;
    for (char32_t c : inserted.toUcs4()) {
        if (m_upperCase && c >= U'a' && c <= U'z')
            c = c - U'a' + U'A';
        if (m_allowed(c))
            kept += QChar(static_cast<char16_t>(c)); // the sets hold only ASCII characters
    }
    return kept;
}

QValidator::State CharacterValidator::validate(QString& input, int& pos) const
{
    if (input == m_previous)
        return Acceptable;
    // The change is the part between what the old and the new text share at both ends.
    const qsizetype common = std::min(input.size(), m_previous.size());
    qsizetype prefix = 0;
    while (prefix < common && input[prefix] == m_previous[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < common - prefix &&
           input[input.size() - 1 - suffix] == m_previous[m_previous.size() - 1 - suffix])
        ++suffix;
    const qsizetype insertedLength = input.size() - prefix - suffix;
    QString kept = filtered(input.mid(prefix, insertedLength));
    // A full box takes no more characters; what was there stays, even a longer loaded text.
    const qsizetype room = std::max<qsizetype>(0, m_maxLength - (prefix + suffix));
    kept.truncate(room);

    if (pos >= prefix + insertedLength)
        pos -= static_cast<int>(insertedLength - kept.size());
    else if (pos > prefix)
        pos = static_cast<int>(prefix + std::min<qsizetype>(pos - prefix, kept.size()));
    input = input.left(prefix) + kept + input.right(suffix);
    m_previous = input;
    return Acceptable;
}
