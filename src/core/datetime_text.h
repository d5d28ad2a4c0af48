#pragma once
// Dates and times as the printouts and keys write them: month and weekday names, 12-hour times,
// second counts and the newest-first ordering key. Times are "HH:MM:SS" (or "HH:MM") texts.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/date.h"

namespace qz {

// "05/SET/2014" (language 1), "05/SEP/2014" (2), "05/09/2014" (any other); blanks when empty.
std::string DTOC2(const Date& date, int language = 2);
// "ENERO".."DICIEMBRE" (1) or "JANUARY".."DECEMBER" (2); "-----------" for anything else.
std::string MES_EN_LETRAS(int month, int language = 1);
// 1 = "DOMINGO" .. 7 = "SABADO", or "DO".."SA" when short_form is 1; "-----------" otherwise.
std::string DIAS_EN_LETRAS(int weekday, int short_form = 0);
// "13:05:09" -> "01:05:09 PM"; "12:00:00" -> "12:00:00 PM"; "00:30:00" -> "00:30:00 AM".
std::string TIME_AMPM(std::string_view time);
// Seconds since midnight of "HH:MM" or "HH:MM:SS".
long TIME_TO_S(std::string_view time);
// "HH:MM" moved by a signed number of minutes, carrying into the hour without wrapping at
// midnight: "23:55" + 10 gives "24:05".
std::string ALTER_TIME(std::string_view hhmm, int minutes);
// A comparable instant in seconds counting every month as 31 days; only differences and order
// mean anything.
long long N_DATETIME(const Date& date, std::string_view time);
// The second instant minus the first.
long long N_DT_DIFF(const Date& date1, std::string_view time1, const Date& date2,
                    std::string_view time2);
// Newest-first ordering key: days to 01/01/2090, 24 - hour, 60 - minutes, 60 - seconds, each
// right-aligned in 10 characters, so an ascending sort lists the latest instant first.
std::string NUM_INVERSO(const Date& date, std::string_view time);
// Applies the {from, to} replacements in order, then writes each word capitalised: the first
// letter of the text and every letter after one of " ,.:;-_()*" upper case, the rest lower case.
std::string UP_LOW(std::string_view text,
                   const std::vector<std::pair<std::string, std::string>>& replacements = {});
// The trimmed address has "@" and ".", more than 4 characters and no blank.
bool VALID_EMAIL(std::string_view address);

}  // namespace qz
