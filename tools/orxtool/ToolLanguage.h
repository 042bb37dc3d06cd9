#pragma once

// The language orxtool speaks: English unless the locale is Chinese, or what --lang says. Messages
// of the program's own catalogue (res/Texts.h, the radio link's words) and the values dump and diff
// show go through the window's translation; the values the options take are accepted in both
// languages (high and 高, narrow and 窄, 88.5 Hz and 模拟:88.5).

#include "GridTexts.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orxtool {

// Chooses the language from --lang ("en" or "zh", null when not given) or else the locale
// (LC_ALL, LC_MESSAGES, LANG: Chinese when the first set one begins with "zh"), and installs the
// English catalogue when it is English. False, with the message printed, for another --lang.
// Needs the application object.
bool SetUpLanguage(const std::string* option);
bool IsEnglish();

// A text of the program's catalogue (a Chinese source text) in the language chosen, as UTF-8.
std::string Tr(const char* source);
std::string Tr(std::string_view source);
// The same with %1, %2 ... filled from args in one pass (an argument holding "%2" stays as it is).
std::string Tr(const char* source, std::initializer_list<std::string> args);
std::string Tr(const char* source, const std::vector<std::string>& args);
// The English of a text of the catalogue, whatever the language chosen.
std::string English(const char* source);
// A text with %n in the plural form n takes in the language chosen, and %1 ... filled from args.
std::string TrN(const char* source, int n, std::initializer_list<std::string> args = {});
// A name in the quotation marks of the language: 'name' or “name”.
std::string InQuotes(const std::string& name);

// A grid cell as the language shows it: choice words translated, tones as 67.0 Hz and D023N in
// English, frequencies and names as they are.
std::string ShownCell(orx::ChannelColumn column, const std::string& cell);

// What a value typed for a column means as a grid text, in either language and without regard to
// the case of English words: "high" and "高" give "高", "88.5 Hz" and "模拟:88.5" give "模拟:88.5",
// "D023N" and "数字:023N" give "数字:023N". The text itself when nothing matches (the column's
// rule then refuses it).
std::string GridValue(orx::ChannelColumn column, std::string_view typed);

// The values a choice column takes, as "high/高, low/低".
std::string ChoiceValues(orx::ChannelColumn column);

} // namespace orxtool
