#include "EntryValidators.h"

#include "ChannelEdit.h"

#include <string>

namespace {

using Filter = std::string (*)(std::string_view);

// Replaces input by its filtered text and keeps the cursor behind the same kept characters.
QValidator::State applyFilter(Filter filter, QString& input, int& pos)
{
    const QString filtered = QString::fromStdString(filter(input.toStdString()));
    if (filtered != input) {
        pos = static_cast<int>(QString::fromStdString(filter(input.left(pos).toStdString())).size());
        input = filtered;
    }
    return QValidator::Acceptable;
}

} // namespace

CFrequencyValidator::CFrequencyValidator(QObject* parent) : QValidator(parent) {}

QValidator::State CFrequencyValidator::validate(QString& input, int& pos) const
{
    return applyFilter(&orx::FilterFrequencyEntry, input, pos);
}

CNameValidator::CNameValidator(QObject* parent) : QValidator(parent) {}

QValidator::State CNameValidator::validate(QString& input, int& pos) const
{
    return applyFilter(&orx::FilterNameEntry, input, pos);
}
