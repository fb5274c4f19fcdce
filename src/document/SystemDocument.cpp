#include "document/SystemDocument.h"

QString fixedWidth(const QString& text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '), true);
}

void SystemDocument::reset(quint8 defaultQuote, const QDate& today)
{
    SystemName.clear();
    Modified = 0;
    NumFisse = NumDoppie = NumTriple = 0;
    Segni1 = SegniX = Segni2 = 0;
    Fissi1 = FissiX = Fissi2 = 0;
    IntegralCount = 0;
    IntegralColumns.clear();
    ReducedCount = 0;
    WorkColumns.clear();
    MergedCount = 0;
    Quote = defaultQuote;
    NumConcorso = QStringLiteral("0 ");
    DataConcorso = dateText(today);
    EnableFlags = EnableFlagsText::Default;
    Conditions.resetToDefaults();
    Advanced = {};
    SlipCount = 0;
    for (int i = 0; i <= 14; ++i)
        setRecord(i, QString());
    setRecord(15, EnableFlags);
    setRecord(16, QString());
}

void SystemDocument::setRecord(int index, const QString& text)
{
    MatchRecords[index] = fixedWidth(text, RecordWidth);
}

QString SystemDocument::homeTeam(int match) const
{
    return MatchRecords[match].left(TeamWidth);
}

QString SystemDocument::awayTeam(int match) const
{
    return MatchRecords[match].mid(TeamWidth, TeamWidth);
}

QString SystemDocument::signsOf(int match) const
{
    return MatchRecords[match].right(SignsWidth).trimmed();
}

void SystemDocument::setHomeTeam(int match, const QString& name)
{
    setRecord(match, fixedWidth(name, TeamWidth) + MatchRecords[match].mid(TeamWidth));
}

void SystemDocument::setAwayTeam(int match, const QString& name)
{
    setRecord(match, MatchRecords[match].left(TeamWidth) + fixedWidth(name, TeamWidth) +
                         MatchRecords[match].right(SignsWidth));
}

void SystemDocument::setSigns(int match, const QString& signs)
{
    setRecord(match, MatchRecords[match].left(2 * TeamWidth) + fixedWidth(signs, SignsWidth));
}

void SystemDocument::countSigns()
{
    Segni1 = SegniX = Segni2 = 0;
    Fissi1 = FissiX = Fissi2 = 0;
    for (int i = 1; i <= Matches; ++i) {
        for (QChar c : MatchRecords[i].right(SignsWidth)) {
            if (c == QLatin1Char('1'))
                ++Segni1;
            else if (c == QLatin1Char('X'))
                ++SegniX;
            else if (c == QLatin1Char('2'))
                ++Segni2;
        }
        const QString signs = signsOf(i);
        if (signs == QLatin1String("1"))
            ++Fissi1;
        else if (signs == QLatin1String("X"))
            ++FissiX;
        else if (signs == QLatin1String("2"))
            ++Fissi2;
    }
}

void SystemDocument::countKinds()
{
    NumFisse = NumDoppie = NumTriple = 0;
    for (int i = 1; i <= Matches; ++i) {
        switch (signsOf(i).size()) {
        case 1:
            ++NumFisse;
            break;
        case 2:
            ++NumDoppie;
            break;
        case 3:
            ++NumTriple;
            break;
        default:
            break;
        }
    }
}

QString SystemDocument::dateText(const QDate& date)
{
    return fixedWidth(date.toString(QStringLiteral("dd/MM/yyyy")), 10);
}

QDate SystemDocument::dateFromText(const QString& text)
{
    const QDate date = QDate::fromString(text.trimmed(), QStringLiteral("dd/MM/yyyy"));
    return date.isValid() ? date : QDate::currentDate();
}
