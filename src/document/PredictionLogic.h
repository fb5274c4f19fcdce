#pragma once

#include <QString>

#include <array>
#include <functional>
#include <optional>

class ProgressReporter;
struct SystemDocument;

// What the prediction window knows without its widgets: the sign-field key filter, the live
// recount and cost texts, the validation of OK, the change test and the confirmation that
// stores the signs and enumerates the integral system.
namespace PredictionLogic {

constexpr int Matches = 13;
constexpr int FieldLength = 3;
using Fields = std::array<QString, Matches>;

// The character a typed key enters in a sign field: 1 and 2 as typed, X, x and 3 as X.
// nullopt discards the key. Blanks are discarded too: a blank is no sign, and letting it in
// would only move the question of its meaning to the enumeration.
std::optional<QChar> signKey(QChar typed);

// The counts the window shows while the user types.
struct Recount {
    int fixed = 0;
    int doubles = 0;
    int triples = 0;
    qint32 integralCount = 0;
};
Recount recount(const Fields& fields);

// Label texts: the counts in plain decimal, the column count with its leading blank, and the
// cost in euro and lire as unrounded decimal text.
struct LabelTexts {
    QString fixed;
    QString doubles;
    QString triples;
    QString integral;
    QString euro;
    QString lire;
};
LabelTexts labelTexts(const Recount& counts, double columnCost);

// The first problem OK finds, in the order the user is told about them; nullopt when valid.
std::optional<QString> validationError(const Fields& fields);

// The signs a field stands for: its text without blanks.
QString signsOf(const QString& field);

// True when some field differs from the signs stored for its match.
bool isChanged(const Fields& fields, const SystemDocument& document);

// Where the generation reports what it is doing, besides the progress bar.
struct GenerationFeedback {
    std::function<void(const QString&)> message;      // the wait window's message line
    std::function<void(const QString&)> progressText; // its progress line
};

// A changed prediction confirmed: the reduced system goes, the signs are stored, the integral
// system is enumerated and the signs and kinds counted. The commands and status are the
// caller's (Session::predictionConfirmed).
void confirm(SystemDocument& document, const Fields& fields, ProgressReporter& progress,
             const GenerationFeedback& feedback = {});

} // namespace PredictionLogic
