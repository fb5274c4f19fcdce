#include "document/MatchesLogic.h"

#include "document/SystemDocument.h"
#include "platform/NumberFormat.h"

namespace MatchesLogic {

namespace {

bool isBlank(const QString& text)
{
    return QString(text).remove(QLatin1Char(' ')).isEmpty();
}

} // namespace

TeamTexts completedTeams(TeamTexts texts)
{
    for (int k = 1; k <= TeamList::Count; ++k) {
        if (isBlank(texts[k - 1]))
            texts[k - 1] = TeamList::defaultName(k);
    }
    return texts;
}

QString defaultHome(int match)
{
    return QStringLiteral("SQUADRA CASA") + NumberFormat::Str(match);
}

QString defaultAway(int match)
{
    return QStringLiteral("SQUADRA OSPITE") + NumberFormat::Str(match);
}

void applyMatches(SystemDocument& document, const MatchTexts& home, const MatchTexts& away)
{
    for (int i = 1; i <= Matches; ++i) {
        const QString& homeText = home[i - 1];
        const QString& awayText = away[i - 1];
        document.setHomeTeam(i, isBlank(homeText) ? defaultHome(i) : homeText);
        document.setAwayTeam(i, isBlank(awayText) ? defaultAway(i) : awayText);
    }
}

QString shownName(const QString& stored)
{
    qsizetype end = stored.size();
    while (end > 0 && stored.at(end - 1) == QLatin1Char(' '))
        --end;
    return stored.left(end);
}

bool acceptsNumberKey(QChar typed)
{
    return typed >= QLatin1Char('0') && typed <= QLatin1Char('9');
}

bool applyContest(SystemDocument& document, const QString& number, const QDate& date)
{
    const QString numberText = fixedWidth(number, 2);
    const QString dateText = SystemDocument::dateText(date);
    const bool changed = numberText != document.NumConcorso || dateText != document.DataConcorso;
    document.NumConcorso = numberText;
    document.DataConcorso = dateText;
    return changed;
}

} // namespace MatchesLogic
