#include "ToolLanguage.h"

#include "ChannelEdit.h"
#include "Texts.h"
#include "ToolSupport.h"
#include "Tr.h"

#include <QCoreApplication>
#include <QTranslator>

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace orxtool {

namespace {

bool g_english = true;

// The English catalogue, loaded once; used to read the English of a value whatever the language.
QTranslator& englishCatalogue()
{
    static QTranslator translator;
    static const bool loaded = translator.load(QStringLiteral(":/i18n/orxprog_en.qm"));
    (void)loaded;
    return translator;
}

std::string english(std::string_view source)
{
    const std::string text(source);
    const QString shown = englishCatalogue().translate(res::kTrContext, text.c_str());
    return shown.isEmpty() ? text : shown.toStdString();
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool localeIsChinese()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::string_view(value).substr(0, 2) == "zh";
    }
    return false;
}

// The words of the picker's "PTT ID" list read as the help names them, besides the catalogue's
// BOT and EOT.
struct Alias {
    std::string_view word;
    std::string_view grid;
};
constexpr Alias kAliases[] = {
    {"before", orx::text::kBeforeTx},
    {"after", orx::text::kAfterTx},
    {"none", orx::text::kNoTone},
};

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::string();
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

template <class Args> std::string filled(const QString& text, const Args& args)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype at = i + 1 < text.size() ? text[i + 1].digitValue() : -1;
        if (text[i] == u'%' && at >= 1 && static_cast<std::size_t>(at) <= args.size()) {
            out += QString::fromStdString(*(args.begin() + (at - 1)));
            ++i;
        } else {
            out += text[i];
        }
    }
    return out.toStdString();
}

std::optional<std::string> toneValue(std::string_view typed)
{
    std::string text = lower(trimmed(typed));
    if (text == lower(english(orx::text::kNoTone)) || text == "none")
        return std::string(orx::text::kNoTone);
    // CTCSS: 88.5 or 88.5 Hz or 88.5hz.
    if (text.size() > 2 && text.substr(text.size() - 2) == "hz")
        text = trimmed(text.substr(0, text.size() - 2));
    if (!text.empty() && text.find_first_not_of("0123456789.") == std::string::npos)
        return std::string(orx::text::kAnalogPrefix) + text;
    // DCS: D023N, d023i, 023N.
    if (!text.empty() && text.front() == 'd')
        text.erase(0, 1);
    if (text.size() >= 2 && (text.back() == 'n' || text.back() == 'i') &&
        text.substr(0, text.size() - 1).find_first_not_of("0123456789") == std::string::npos) {
        return std::string(orx::text::kDigitalPrefix) + text.substr(0, text.size() - 1) +
               static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
    }
    return std::nullopt;
}

} // namespace

bool SetUpLanguage(const std::string* option)
{
    const bool known = !option || *option == "en" || *option == "zh";
    // A --lang that is neither is told in the language of the locale.
    g_english = option && known ? *option == "en" : !localeIsChinese();
    if (g_english)
        QCoreApplication::installTranslator(&englishCatalogue());
    if (!known)
        PrintError(Tr(res::kToolBadLang, {*option}));
    return known;
}

bool IsEnglish()
{
    return g_english;
}

std::string Tr(const char* source)
{
    return res::Tr(source).toStdString();
}

std::string Tr(std::string_view source)
{
    return res::Tr(source).toStdString();
}

std::string Tr(const char* source, std::initializer_list<std::string> args)
{
    return filled(res::Tr(source), args);
}

std::string Tr(const char* source, const std::vector<std::string>& args)
{
    return filled(res::Tr(source), args);
}

std::string English(const char* source)
{
    return english(source);
}

std::string TrN(const char* source, int n, std::initializer_list<std::string> args)
{
    return filled(res::Tr(source, n), args);
}

std::string InQuotes(const std::string& name)
{
    return g_english ? "'" + name + "'" : "“" + name + "”";
}

std::string ShownCell(orx::ChannelColumn column, const std::string& cell)
{
    if (cell.empty() || column == orx::ColRxFrequency || column == orx::ColTxFrequency ||
        column == orx::ColName)
        return cell;
    if (column == orx::ColRxTone || column == orx::ColTxTone) {
        for (const auto& [prefix, shown] : {std::pair{orx::text::kAnalogPrefix, res::kAnalogToneShown},
                                            std::pair{orx::text::kDigitalPrefix, res::kDigitalToneShown}}) {
            if (cell.rfind(prefix, 0) == 0)
                return res::Tr(shown).arg(res::FromUtf8(cell.substr(prefix.size()))).toStdString();
        }
    }
    return Tr(std::string_view(cell));
}

std::string GridValue(orx::ChannelColumn column, std::string_view typed)
{
    if (column == orx::ColRxTone || column == orx::ColTxTone) {
        if (typed.find(':') != std::string_view::npos || typed == orx::text::kNoTone)
            return std::string(typed);
        return toneValue(typed).value_or(std::string(typed));
    }
    const std::string word = lower(trimmed(typed));
    for (std::string_view option : orx::ChoiceOptions(column)) {
        if (typed == option || word == lower(english(option)))
            return std::string(option);
        for (const Alias& alias : kAliases) {
            if (alias.grid == option && word == alias.word)
                return std::string(option);
        }
    }
    return std::string(typed);
}

std::string ChoiceValues(orx::ChannelColumn column)
{
    std::string out;
    for (std::string_view option : orx::ChoiceOptions(column)) {
        std::string forms = lower(english(option));
        for (const Alias& alias : kAliases) {
            if (alias.grid == option)
                forms = std::string(alias.word) + "/" + forms;
        }
        out += (out.empty() ? "" : ", ") + forms + "/" + std::string(option);
    }
    return out;
}

} // namespace orxtool
