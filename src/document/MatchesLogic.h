#pragma once

#include "document/TeamList.h"

#include <QDate>
#include <QString>

#include <array>

struct SystemDocument;

// What the team-names, matches and contest windows know without their widgets: the defaults
// empty names receive and how their values reach the document.
namespace MatchesLogic {

constexpr int Matches = 13;
using TeamTexts = std::array<QString, TeamList::Count>;
using MatchTexts = std::array<QString, Matches>;

// The team-name fields after OK: an empty field (blanks aside) receives "SQUADRA" & Str(k).
TeamTexts completedTeams(TeamTexts texts);

// "SQUADRA CASA" & Str(i) and "SQUADRA OSPITE" & Str(i), before they are cut to 15 characters.
QString defaultHome(int match);
QString defaultAway(int match);

// Writes the 13 home and away names into the match records, empty ones replaced by their
// defaults; each name is stored in exactly 15 characters.
void applyMatches(SystemDocument& document, const MatchTexts& home, const MatchTexts& away);

// A stored 15-character name as a box shows it: without the blanks that pad it on the right,
// so that a name typed into the box replaces it instead of following the padding.
QString shownName(const QString& stored);

// Contest number keys: digits only (Backspace is no character and always passes).
bool acceptsNumberKey(QChar typed);

// Stores the contest number (2 characters) and date; true when either differs from what the
// document held.
bool applyContest(SystemDocument& document, const QString& number, const QDate& date);

} // namespace MatchesLogic
