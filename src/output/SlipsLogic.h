#pragma once

#include "output/SlipCalibration.h"

#include <QLocale>
#include <QString>

#include <optional>

// What the slip printing window holds and checks: the range of slips, the two offsets in tenths
// of a millimetre as their scroll bars hold them, and the dot diameter as typed.
class SlipsLogic final {
public:
    static inline const QString NotAllowed = QStringLiteral("Valore non consentito !");
    static inline const QString DotTooLarge = QStringLiteral("Valore Diametro Massimo = 2,5 mm !");
    static constexpr int OffsetTenths = 200;

    SlipsLogic(qsizetype slipCount, const SlipCalibration& calibration);

    qsizetype slipCount() const { return m_slipCount; }
    int verticalTenths() const { return m_vertical; }
    int horizontalTenths() const { return m_horizontal; }
    void setVerticalTenths(int tenths) { m_vertical = tenths; }
    void setHorizontalTenths(int tenths) { m_horizontal = tenths; }
    // "1.5", "-0.3", "0": an offset as its label shows it.
    static QString offsetText(int tenths);

    // "3 su 5": the slips in the range and the total.
    QString rangeText(const QString& from, const QString& to) const;
    // The first slip alone: refused when 0, empty or beyond the last slip.
    bool firstAllowed(const QString& from) const;
    // The range as a whole, checked when the last slip's box is left.
    bool rangeAllowed(const QString& from, const QString& to) const;
    // The range as numbers, when allowed.
    std::optional<std::pair<qsizetype, qsizetype>> range(const QString& from,
                                                         const QString& to) const;

    // The diameter typed in the user's number format; nullopt when it is no number.
    static std::optional<double> dotOf(const QString& text, const QLocale& locale = QLocale());
    // Empty when allowed, else the message.
    static QString dotRefusal(const QString& text, const QLocale& locale = QLocale());
    static QString dotText(double dot, const QLocale& locale = QLocale());

    // The calibration with the offsets held and the diameter `dot`.
    SlipCalibration calibration(double dot) const;

private:
    qsizetype m_slipCount;
    int m_vertical;
    int m_horizontal;
};
