#pragma once

#include "platform/LegacyTextFile.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <array>
#include <optional>

struct SystemDocument;

// The final results of a contest for the open system: the 33 fields of the results window, the
// winning signs the scores give, the points, the .rsl file beside the system, and what the
// reduced system's columns won.
namespace ResultsLogic {

constexpr int FieldCount = 33;
constexpr int Matches = 13;

// Field numbers (1..33) of the figures; the scores and the winning signs follow the matches.
enum Field {
    Contest = 1,
    MatchDate = 2,
    PrizePool = 16,
    FirstWinners = 17,
    FirstPrize = 18,
    SecondWinners = 19,
    SecondPrize = 20,
};
constexpr int scoreField(int match)
{
    return match + 2;
}
constexpr int signField(int match)
{
    return match + 20;
}

// Field n at index n - 1.
using Fields = std::array<QString, FieldCount>;

// The caption beside a box of a figure ("Concorso n."); empty for scores and signs.
QString caption(int field);
// Whether a typed character may enter the box of a field; the winning signs take none, they
// follow from the scores.
bool acceptsKey(int field, QChar key);

// A score box as it is left: the text it keeps ("*" when there is no valid score) and the
// winning sign of its match ("-" then).
struct Score {
    QString text;
    QString sign;
};
Score parseScore(const QString& typed);

// Whether the prediction covers a winning sign: a sign among those played; "-" and an empty
// sign never do, and are shown in red like a missed one.
bool isCovered(const QString& sign, const QString& played);
// Matches whose winning sign is covered by the signs played on them.
int points(const Fields& fields, const SystemDocument& document);
// Matches (1..13) whose winning sign is shown in red.
QList<int> uncovered(const Fields& fields, const SystemDocument& document);

// A system without a results file: its contest number and date, no results.
Fields initial(const SystemDocument& document);

// systems folder / name.rsl
QString filePath(const QString& systemsFolder, const QString& systemName);
// A shorter file leaves the missing fields empty. A winning sign other than 1, X, 2 or "-", or
// an amount with a character its box refuses, makes the file Malformed and `fields` unchanged.
LegacyTextFile::ReadStatus read(const QString& path, Fields& fields);
bool write(const QString& path, const Fields& fields, QString* error = nullptr);

// An amount as typed, in the locale's or in plain form; 0 when it is empty or not a number.
double amountOf(const QString& text, const QLocale& locale = QLocale());
// "###,###,##0.00" of an amount field.
QString amountText(const QString& text, const QLocale& locale = QLocale());

// How many reduced columns score 13, 12, 11 and 10 with the winning signs entered, and what
// the first two categories bring at the prizes per winner entered.
struct Winnings {
    static constexpr int Categories = 4;
    std::array<qint32, Categories> counts{}; // index 0: 13 points
    double total = 0;
};
// Nothing when the system has no reduced columns.
std::optional<Winnings> winningsOf(const Fields& fields, const SystemDocument& document,
                                   const QLocale& locale = QLocale());
// "Vincita totale: 1.234,00 €"
QString totalText(double total, const QLocale& locale = QLocale());

} // namespace ResultsLogic
