#pragma once

#include "document/AdvancedConditions.h"
#include "document/ConditionSet.h"
#include "platform/ColumnBuffer.h"

#include <QDate>
#include <QString>

#include <array>

// The one open system: prediction, matches, contest, counts, the integral and reduced columns,
// shares and conditions. Field names are the domain's own words.
struct SystemDocument {
    static constexpr int Matches = 13;
    static constexpr int RecordWidth = 33;
    static constexpr int TeamWidth = 15;
    static constexpr int SignsWidth = 3;

    QString SystemName;
    int Modified = 0;
    // 0: reduced count text; 1..13: home (15) + away (15) + signs (3); 14: integral count text;
    // 15: enable flags; 16: contest number (2) + date (10). Always exactly 33 characters.
    std::array<QString, 17> MatchRecords;
    quint8 NumFisse = 0, NumDoppie = 0, NumTriple = 0;
    quint8 Segni1 = 0, SegniX = 0, Segni2 = 0;
    quint8 Fissi1 = 0, FissiX = 0, Fissi2 = 0;
    qint32 IntegralCount = 0;
    ColumnBuffer IntegralColumns;
    qint32 ReducedCount = 0;
    ColumnBuffer WorkColumns;
    qint32 MergedCount = 0;
    quint8 Quote = 1;
    QString NumConcorso = QStringLiteral("0 ");
    QString DataConcorso;
    QString EnableFlags = EnableFlagsText::Default;
    ConditionSet Conditions;
    AdvancedConditions Advanced;
    double SlipCount = 0;

    SystemDocument() { reset(1, QDate::currentDate()); }

    // Every field back to its value for a new system.
    void reset(quint8 defaultQuote, const QDate& today);

    // Stores exactly 33 characters: padded with blanks or cut.
    void setRecord(int index, const QString& text);

    QString homeTeam(int match) const; // positions 1-15, as stored
    QString awayTeam(int match) const; // positions 16-30, as stored
    QString signsOf(int match) const;  // positions 31-33 without outer blanks
    void setHomeTeam(int match, const QString& name);
    void setAwayTeam(int match, const QString& name);
    void setSigns(int match, const QString& signs);

    void countSigns();
    void countKinds();

    // The contest date as short date text of 10 characters.
    static QString dateText(const QDate& date);
    static QDate dateFromText(const QString& text);
};

// Fixed-width text: padded with blanks on the right or cut.
QString fixedWidth(const QString& text, int width);
